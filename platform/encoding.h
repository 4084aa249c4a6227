// Text encoding: UTF-8 inside the program, single-byte ANSI text in files.
#pragma once

#include <string>
#include <string_view>

namespace kvu {

// ANSI bytes (the system ANSI code page on Windows, Windows-1250 elsewhere) to UTF-8.
std::string AnsiToUtf8(std::string_view ansi);

// OEM bytes (the system OEM code page on Windows, code page 852 elsewhere) to
// UTF-8: how archives made on Windows store names without the UTF-8 flag.
std::string OemToUtf8(std::string_view oem);

// UTF-8 to ANSI bytes; a character the code page cannot hold becomes '?'.
std::string Utf8ToAnsi(std::string_view utf8);

// Upper-cases UTF-8 text the same way on every platform and in every locale:
// ASCII, Latin-1 and Latin Extended-A letters (every letter of Windows-1250).
// Used wherever names are compared without regard to case.
std::string UpperCase(std::string_view utf8);

// Upper-cases one Windows-1250 byte (for comparisons done on raw ANSI bytes).
char UpperAnsiChar(char c);

// UTF-8 to UTF-16, the same on every platform; a byte that starts no valid
// sequence stands for itself.
std::u16string Utf8ToUtf16(std::string_view utf8);

// UTF-16 to UTF-8, the same on every platform; a lone surrogate becomes U+FFFD.
std::string Utf16ToUtf8(std::u16string_view utf16);

}  // namespace kvu
