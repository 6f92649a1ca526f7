// Names between the programs' UTF-8 and the system's UTF-16, in portable code: the settings' folder
// on its way to and from the registry, and every wide call's path (gui/win/Breit.h). The clipboard
// and the ciphers never use it.
#pragma once

#include <string>
#include <string_view>

namespace gui {

// An invalid sequence (an old value in another code page, a lone surrogate) becomes U+FFFD: a name
// that is then not found rather than an error.
std::string Utf8AusUtf16(std::u16string_view utf16);
std::u16string Utf16AusUtf8(std::string_view utf8);

}  // namespace gui
