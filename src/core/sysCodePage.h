#pragma once
// The game's texts are strings of Windows-1252 bytes, the set its font sheet
// draws; the world outside (typed text, translations, reports) speaks UTF-8.
// These convert between the two, character by character.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The Windows-1252 byte of a Unicode code point; 0 when the set has none.
std::uint8_t CodePageByteOf(std::uint32_t codePoint);
// The Unicode code point of a Windows-1252 byte (an unassigned byte stands for itself).
std::uint32_t CodePointOfByte(std::uint8_t byte);
// The code point of the UTF-8 sequence at the start of text and its length in
// bytes; length 0 for a malformed, overlong or truncated sequence.
std::uint32_t DecodeUtf8(std::string_view text, std::size_t& length);
// Whole UTF-8 text in Windows-1252 bytes; nothing when a character has no byte
// there or the text is not UTF-8 (badAt, when given, gets the first such offset).
std::optional<std::string> Utf8ToCodePage(std::string_view utf8, std::size_t* badAt = nullptr);
std::string CodePageToUtf8(std::string_view bytes);
// Text for the world outside (a message box, the terminal): UTF-8 is kept as it
// is, anything else is taken for the game's own bytes and converted.
std::string DisplayUtf8(std::string_view text);
