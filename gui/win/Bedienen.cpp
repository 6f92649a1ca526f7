#include "gui/win/Bedienen.h"

namespace gui {

void WartenUndBedienen(DWORD millisekunden) {
  const ULONGLONG ende = ::GetTickCount64() + millisekunden;
  for (ULONGLONG jetzt = ::GetTickCount64(); jetzt < ende; jetzt = ::GetTickCount64()) {
    ::MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(ende - jetzt), QS_SENDMESSAGE, 0);
    // A peek delivers the messages sent to this thread; PM_QS_SENDMESSAGE leaves the rest queued.
    MSG nachricht;
    ::PeekMessageA(&nachricht, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
  }
}

}  // namespace gui
