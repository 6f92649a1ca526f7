// The one place where text crosses between the program's byte strings and the system's UTF-16:
// paths and folder names travel as UTF-8 inside the programs, the clipboard text and the ciphers
// stay in code page 1252, and every W call gets UTF-16 made here.
#pragma once

#include <string>
#include <string_view>

namespace gui {

// UTF-8 to UTF-16. An invalid sequence becomes U+FFFD, so a path read back from an old value
// still yields a name (that then simply is not found) instead of an exception.
std::wstring Breit(std::string_view utf8);

// UTF-16 to UTF-8; a lone surrogate becomes U+FFFD.
std::string Utf8(std::wstring_view breit);

// Code page 1252 to UTF-16: every byte has its character, so nothing is lost.
std::wstring BreitAus1252(std::string_view text1252);

// UTF-16 to code page 1252; a character that the code page lacks becomes "?".
std::string In1252(std::wstring_view breit);

}  // namespace gui
