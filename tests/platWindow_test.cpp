// Helpers of the SDL window layer that need no window.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "platform/platWindow.h"

namespace {

TEST(MessageText, LongLinesAreBrokenAtSpacesAndLineBreaksStay) {
  const std::string text =
      "Note: Your audio output device may have exploded, as we are having trouble making it work. Or maybe someone "
      "stole it...\nShort line\n\nabcdefghijklmnopqrstuvwxyz0123456789 end";
  const std::string wrapped = WrapMessageText(text, 30);
  std::istringstream lines(wrapped);
  std::string line;
  std::string words;
  int count = 0;
  while (std::getline(lines, line)) {
    ++count;
    EXPECT_TRUE(line.size() <= 30 || line.find(' ') == std::string::npos) << "'" << line << "'";
    EXPECT_TRUE(line.empty() || line.front() != ' ') << "'" << line << "'";
    words += line + " ";
  }
  EXPECT_GE(count, 8);
  EXPECT_NE(wrapped.find("\nShort line\n\n"), std::string::npos) << wrapped;
  EXPECT_NE(wrapped.find("\nabcdefghijklmnopqrstuvwxyz0123456789\nend"), std::string::npos) << wrapped;
  // Nothing is lost but the spaces where lines were broken.
  std::string squeezed;
  for (char c : words) squeezed += c == '\n' ? ' ' : c;
  for (const char* w : {"exploded,", "trouble", "stole", "it..."}) EXPECT_NE(squeezed.find(w), std::string::npos);
  EXPECT_EQ(WrapMessageText("short", 30), "short");
}

}  // namespace
