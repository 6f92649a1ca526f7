#include "Main/win/RichEditOleCallback.h"

#include <string>

#include "Main/win/PrivateTextData.h"

namespace {

// The control's text in `range`, as its ANSI messages give it.
std::string TextIn(HWND control, CHARRANGE range) {
  const auto laenge = static_cast<LONG>(::SendMessageA(control, WM_GETTEXTLENGTH, 0, 0));
  if (range.cpMax < 0 || range.cpMax > laenge) range.cpMax = laenge;
  if (range.cpMin < 0 || range.cpMin > range.cpMax) range.cpMin = range.cpMax;
  // Room for two bytes a character, which a double-byte code page may need.
  std::string text(static_cast<std::size_t>(range.cpMax - range.cpMin) * 2 + 1, '\0');
  TEXTRANGEA bereich{range, text.data()};
  const LRESULT kopiert = ::SendMessageA(control, EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&bereich));
  text.resize(static_cast<std::size_t>(kopiert));
  return text;
}

}  // namespace

void RichEditOleCallback::Serve(HWND control) {
  control_ = control;
  ::SendMessageA(control, EM_SETOLECALLBACK, 0, reinterpret_cast<LPARAM>(static_cast<IRichEditOleCallback*>(this)));
}

HRESULT RichEditOleCallback::QueryInterface(REFIID iid, void** object) noexcept {
  if (object == nullptr) return E_POINTER;
  if (!::IsEqualIID(iid, __uuidof(IUnknown)) && !::IsEqualIID(iid, __uuidof(IRichEditOleCallback))) {
    *object = nullptr;
    return E_NOINTERFACE;
  }
  *object = static_cast<IRichEditOleCallback*>(this);
  AddRef();
  return S_OK;
}

ULONG RichEditOleCallback::AddRef() noexcept { return static_cast<ULONG>(::InterlockedIncrement(&refs_)); }

ULONG RichEditOleCallback::Release() noexcept {
  const LONG left = ::InterlockedDecrement(&refs_);
  if (left == 0) delete this;
  return static_cast<ULONG>(left);
}

// The buffer holds plain text only: no embedded objects, no in-place editing, no menus.
HRESULT RichEditOleCallback::GetNewStorage(IStorage**) noexcept { return E_NOTIMPL; }
HRESULT RichEditOleCallback::GetInPlaceContext(IOleInPlaceFrame**, IOleInPlaceUIWindow**,
                                               OLEINPLACEFRAMEINFO*) noexcept {
  return E_NOTIMPL;
}
HRESULT RichEditOleCallback::ShowContainerUI(BOOL) noexcept { return E_NOTIMPL; }
HRESULT RichEditOleCallback::QueryInsertObject(CLSID*, IStorage*, LONG) noexcept { return E_NOTIMPL; }
HRESULT RichEditOleCallback::DeleteObject(IOleObject*) noexcept { return E_NOTIMPL; }
HRESULT RichEditOleCallback::ContextSensitiveHelp(BOOL) noexcept { return E_NOTIMPL; }
HRESULT RichEditOleCallback::GetDragDropEffect(BOOL, DWORD, DWORD*) noexcept { return E_NOTIMPL; }
HRESULT RichEditOleCallback::GetContextMenu(WORD, IOleObject*, CHARRANGE*, HMENU*) noexcept { return E_NOTIMPL; }

// A failure here would make the control refuse the paste; S_OK with the format left alone lets it
// choose as it does without a callback.
HRESULT RichEditOleCallback::QueryAcceptData(IDataObject*, CLIPFORMAT*, DWORD, BOOL, HGLOBAL) noexcept {
  return S_OK;
}

// E_NOTIMPL asks the control to build its own data object. Any other failure fails the copy under
// Windows, so that the commands' copy check reports it; Wine's control then makes its own instead.
HRESULT RichEditOleCallback::GetClipboardData(CHARRANGE* range, DWORD, IDataObject** data) noexcept {
  if (data == nullptr) return E_INVALIDARG;
  *data = nullptr;
  if (scope_ == CopyScope::Shared) return E_NOTIMPL;
  if (range == nullptr) return E_INVALIDARG;
  try {
    *data = NewPrivateTextData(TextIn(control_, *range));
  } catch (...) {
    return E_OUTOFMEMORY;
  }
  return *data != nullptr ? S_OK : E_OUTOFMEMORY;
}
