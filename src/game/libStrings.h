#pragma once
#include <string>

inline std::string IfThenStr(bool condition, const std::string& a, const std::string& b) { return condition ? a : b; }
