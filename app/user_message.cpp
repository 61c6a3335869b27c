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

void ShowMessageAndQuit(const std::string& text) {
    ShowMessage(text);
    std::fflush(nullptr);
    std::_Exit(0);
}

}  // namespace qv
