#pragma once
// The words of the pictures in the language being drawn. The game's own
// catalogue (core/sysCatalogue) is asked, and a translation, which it keeps in
// the font's one-byte code page, is given back as the UTF-8 the drawing kit
// takes; an untranslated text stays as written here (UTF-8).
#include <cstdint>
#include <string>
#include <vector>

std::string W(const char* msgid);
// Marks a text for the catalogue where it is kept; W looks it up where it is drawn.
constexpr const char* WMark(const char* msgid) { return msgid; }
// The same for a text that has another meaning elsewhere.
std::string WC(const char* context, const char* msgid);
// The form for n of a text with a plural, its placeholders still to be filled.
std::string WN(const char* singular, const char* plural, std::int64_t n);
// A pattern filled as the game's Format fills it (%s, %1$s, %d, %%).
std::string WF(const std::string& pattern, const std::vector<std::string>& values);
// A point written the way the language's schools write it: "(3, -2)", "(3 ; -2)",
// its spaces no-break spaces.
std::string PointWords(const std::string& x, const std::string& y);
std::string PointWords(std::int64_t x, std::int64_t y);
// Capitals of UTF-8 text, accented letters too ("é" becomes "É").
std::string UpperWords(const std::string& utf8);

// Draws the following pictures in the language of a compiled catalogue (.mo);
// an empty path draws English. False (and why) when the file is not one.
bool UseLanguage(const std::string& moPath, std::string& why);
