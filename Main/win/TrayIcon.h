// The tray icon's record for Shell_NotifyIconA, in the first form that every shell version knows.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <cstddef>
#include <string_view>

#include "gui/win/Handles.h"

// The message the shell sends to the form for mouse events over the icon.
inline constexpr UINT WM_TASKBAREVENT = WM_USER + 1;
inline constexpr UINT kTrayIconId = 0;
inline constexpr UINT kTrayIconFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;

// The record up to and including a 64-byte tip; the newer record's tip is 128 bytes, followed by
// fields (state, balloon, version) that this first form does not have.
inline constexpr std::size_t kTrayTipSize = 64;
inline constexpr DWORD kTrayIconDataSize = static_cast<DWORD>(offsetof(NOTIFYICONDATAA, szTip) + kTrayTipSize);
static_assert(kTrayIconDataSize == (sizeof(void*) == 4 ? 88 : 104), "the first form of NOTIFYICONDATAA");

// Built afresh for every call: all zero, then the fixed values, the form's window, the icon and the
// tip, cut to what the first form holds.
NOTIFYICONDATAA TrayIconData(HWND form, HICON icon, std::string_view tip);

// The program icon MAINICON at the small-icon size of the display's current scale, which is the
// size the notification area shows; empty when the program file has no such icon.
gui::UniqueIcon TraySymbolLaden();
