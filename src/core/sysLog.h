#pragma once
// The diagnostics log and the message box. Both go through hooks so that the
// platform can show real boxes and tests can see what was said.
#include <functional>
#include <string>

// Writes one line to stderr and, once a log file is set, appends it there,
// both in UTF-8 (text in the game's one-byte set is converted).
void LogLine(const std::string& line);
void SetLogFile(const std::string& path);

// Shows a message box (the platform installs the real one; without it the
// message is only logged). An empty caption is used for internal problems.
void ShowMessage(const std::string& caption, const std::string& text);
using TMessageBoxHandler = std::function<void(const std::string& caption, const std::string& text)>;
// Returns the previous handler so a test can restore it.
TMessageBoxHandler SetMessageBoxHandler(TMessageBoxHandler handler);
