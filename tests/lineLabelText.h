#pragma once
// Line labels as the monsters print them ("y=x", "y=-(1/2)x+3") rewritten in
// the plain form the test parsers read ("y=1x", "y=-1/2x+3").
#include <string>

inline std::string PlainLineLabel(std::string label) {
  std::string out;
  for (char c : label)
    if (c != '(' && c != ')') out += c;
  // A bare x after "y=" or "y=-" is one x.
  if (out.rfind("y=x", 0) == 0) out.insert(2, "1");
  if (out.rfind("y=-x", 0) == 0) out.insert(3, "1");
  return out;
}
