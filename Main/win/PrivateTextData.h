// A text for the clipboard that its watchers are to leave alone: with the text, in the same data
// object, the formats by which Windows keeps it out of the clipboard history and the cloud
// clipboard and the common clipboard managers do not record it.
#pragma once

#include <windows.h>
#include <objidl.h>

#include <string>

// A new data object with one reference, or nullptr when a format cannot be registered or memory is
// short. `text` is in the ANSI code page, as the text buffer holds it: it is the object's CF_TEXT,
// and CF_UNICODETEXT is its conversion from that code page.
IDataObject* NewPrivateTextData(std::string text) noexcept;
