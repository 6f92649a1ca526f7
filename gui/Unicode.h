// A folder's name between the settings' UTF-8 and the registry's UTF-16, in portable code: the
// refresh and the writer of "Programmpfad" use it; the clipboard and the ciphers never do.
#pragma once

#include <string>
#include <string_view>

// An invalid sequence (an old value in another code page, a lone surrogate) becomes U+FFFD: a name
// that is then not found rather than an error.
std::string Utf8AusUtf16(std::u16string_view utf16);
std::u16string Utf16AusUtf8(std::string_view utf8);
