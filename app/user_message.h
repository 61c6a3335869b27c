#pragma once

#include <functional>
#include <string>

namespace qv {

// User-level messages (a file that cannot be opened, a full document): plain message boxes in
// the editor, lines on stderr in the command-line tool and the tests.
using MessageHandler = std::function<void(const std::string& text)>;

// Installs a handler and returns the previous one; an empty handler restores the default.
MessageHandler SetMessageHandler(MessageHandler handler);

void ShowMessage(const std::string& text);

// Shows the message, then ends the process at once with the quit status, running no clean-up.
[[noreturn]] void ShowMessageAndQuit(const std::string& text);

// The exit status of ShowMessageAndQuit: 0 unless set, as the editor quits; the command-line
// tool sets 1 so that a script sees the failure.
void SetQuitStatus(int status);

}  // namespace qv
