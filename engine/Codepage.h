// Windows-1252 <-> UTF-8 conversion, used only at the program's edges (files,
// terminal, widgets). Inside the engine every text is Windows-1252.
#pragma once

#include <string>
#include <string_view>

namespace pladdo {

// The byte that stands for a character Windows-1252 cannot hold: 0x1A (SUB),
// a control code, so it is neither a letter, nor a wildcard, nor "%" or "#";
// a profile row blanks it like any control code.
inline constexpr char kSubstituteByte = '\x1A';

// Converts UTF-8 to Windows-1252. Characters outside Windows-1252 and
// malformed sequences become kSubstituteByte, one per character or bad byte.
std::string Utf8ToCp1252(std::string_view utf8);

// Converts Windows-1252 to UTF-8. The five bytes Windows-1252 leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 controls U+0081...
std::string Cp1252ToUtf8(std::string_view cp1252);

// True when text is well-formed UTF-8 (no overlongs, surrogates or code
// points above U+10FFFF).
bool IsValidUtf8(std::string_view text);

// True when text holds a byte of 0x80 or more.
bool HasHighBytes(std::string_view text);

// A line read from a file: converted from UTF-8 when it is valid UTF-8 and
// holds a byte of 0x80 or more, otherwise taken as Windows-1252 unchanged.
std::string FileLineToCp1252(std::string_view line);

// Windows-1252 <-> UTF-16 code units (for the Qt widgets).
std::u16string Cp1252ToUtf16(std::string_view cp1252);
std::string Utf16ToCp1252(std::u16string_view utf16);

}  // namespace pladdo
