#pragma once

#include <string>
#include <string_view>

// The 8-bit code page of text fields, Windows-1252, and its conversions to and
// from the Unicode forms of table files. Text that the code page cannot hold
// becomes "?" per character, so a reader never fails on a foreign letter. So does
// malformed UTF-8, one "?" for each longest start of a well-formed sequence or
// byte that starts none: a bad byte sequence in a saved name costs that name a
// character, never the whole table. The five byte values that Windows-1252 leaves
// undefined travel as the control characters of the same number, which keeps
// every 8-bit text round-trippable.
class TCodePage
{
public:
    static bool IsAscii(std::string_view text);
    static std::string ToUtf8(std::string_view text);
    static std::string FromUtf8(std::string_view utf8);
    // The characters of a UTF-8 text that the code page cannot hold, each once, in the order
    // they first appear, as UTF-8; empty when FromUtf8 keeps every character.
    static std::string Unencodable(std::string_view utf8);
    // Little-endian 16-bit characters, as stored after TagWideString.
    static std::string FromUtf16(std::string_view utf16);
};
