#include "core/sysLog.h"

#include <cstdio>
#include <ctime>

#include "core/sysCodePage.h"

namespace {

std::string& LogPath() {
  static std::string path;
  return path;
}

TMessageBoxHandler& Handler() {
  static TMessageBoxHandler handler;
  return handler;
}

}  // namespace

void SetLogFile(const std::string& path) { LogPath() = path; }

void LogLine(const std::string& text) {
  // The terminal and the file speak UTF-8; a line of the game's own one-byte
  // text (a translated message) is converted.
  const std::string line = DisplayUtf8(text);
  std::fprintf(stderr, "plotfray: %s\n", line.c_str());
  if (LogPath().empty()) return;
  if (std::FILE* f = std::fopen(LogPath().c_str(), "a")) {
    char stamp[32];
    const std::time_t now = std::time(nullptr);
    std::tm tm{};
    localtime_r(&now, &tm);
    std::strftime(stamp, sizeof stamp, "%Y-%m-%d %H:%M:%S", &tm);
    std::fprintf(f, "%s %s\n", stamp, line.c_str());
    std::fclose(f);
  }
}

void ShowMessage(const std::string& caption, const std::string& text) {
  // Each converted as the box shows it, so the line is all UTF-8.
  const std::string shownCaption = DisplayUtf8(caption), shownText = DisplayUtf8(text);
  LogLine("message" + (caption.empty() ? std::string() : " [" + shownCaption + "]") + ": " + shownText);
  if (Handler()) Handler()(shownCaption, shownText);
}

TMessageBoxHandler SetMessageBoxHandler(TMessageBoxHandler handler) {
  TMessageBoxHandler previous = std::move(Handler());
  Handler() = std::move(handler);
  return previous;
}
