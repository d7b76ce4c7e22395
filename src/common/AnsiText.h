#pragma once
// Text for the record files, which hold one byte per character in the
// Windows-1252 code page.

#include <string>
#include <string_view>

namespace tarnwell {

// Converts UTF-8 text to Windows-1252. A character the code page lacks
// becomes '?'. Bytes that are not valid UTF-8 are taken as Latin-1, as older
// data files are.
std::string Utf8ToAnsi(std::string_view utf8);

// Converts Windows-1252 text to UTF-8. The five bytes the code page leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) become U+FFFD; every other byte,
// zero bytes included, becomes its character.
std::string AnsiToUtf8(std::string_view ansi);

}  // namespace tarnwell
