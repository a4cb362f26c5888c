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

void LogLine(const std::string& line) {
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
  LogLine("message" + (caption.empty() ? std::string() : " [" + caption + "]") + ": " + text);
  if (Handler()) Handler()(DisplayUtf8(caption), DisplayUtf8(text));
}

TMessageBoxHandler SetMessageBoxHandler(TMessageBoxHandler handler) {
  TMessageBoxHandler previous = std::move(Handler());
  Handler() = std::move(handler);
  return previous;
}
