#include "app/user_message.h"

#include <cstdio>
#include <cstdlib>
#include <utility>

namespace qv {
namespace {

void PrintToStderr(const std::string& text) { std::fprintf(stderr, "%s\n", text.c_str()); }

MessageHandler& CurrentHandler() {
    static MessageHandler handler = PrintToStderr;
    return handler;
}

int& QuitStatus() {
    static int status = 0;
    return status;
}

}  // namespace

MessageHandler SetMessageHandler(MessageHandler handler) {
    MessageHandler previous = std::move(CurrentHandler());
    CurrentHandler() = handler ? std::move(handler) : MessageHandler(PrintToStderr);
    return previous;
}

void ShowMessage(const std::string& text) {
    MessageHandler handler = CurrentHandler();
    handler(text);
}

void SetQuitStatus(int status) { QuitStatus() = status; }

void ShowMessageAndQuit(const std::string& text) {
    ShowMessage(text);
    std::fflush(nullptr);
    std::_Exit(QuitStatus());
}

}  // namespace qv
