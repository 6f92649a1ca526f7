// The text buffer's OLE callback for its rich edit control. The control's copy asks it for the data
// object that it puts on the clipboard: for a private copy it hands out the selected text with the
// formats that keep it from the clipboard's watchers, all in the one clipboard update of the copy;
// for any other copy it lets the control make its own, as without a callback.
#pragma once

#include <windows.h>
#include <ole2.h>
#include <richedit.h>
#include <richole.h>

#include "Main/TextBuffer.h"

// The interface's identifier for __uuidof, as the system headers declare others: the GUID library
// would bring the identifiers of every interface, some 40 KB.
__CRT_UUID_DECL(IRichEditOleCallback, 0x00020D03, 0, 0, 0xC0, 0, 0, 0, 0, 0, 0, 0x46)

// A COM interface has no virtual destructor: the object deletes itself in Release, as its own type.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
class RichEditOleCallback final : public IRichEditOleCallback {
 public:
  // With one reference, the caller's.
  RichEditOleCallback() = default;
  RichEditOleCallback(const RichEditOleCallback&) = delete;
  RichEditOleCallback& operator=(const RichEditOleCallback&) = delete;

  // Makes this the callback of `control`, whose copies it serves from now on.
  void Serve(HWND control);
  // How the copies that follow are marked.
  void SetScope(CopyScope scope) { scope_ = scope; }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) noexcept override;
  ULONG STDMETHODCALLTYPE AddRef() noexcept override;
  ULONG STDMETHODCALLTYPE Release() noexcept override;

  HRESULT STDMETHODCALLTYPE GetNewStorage(IStorage** storage) noexcept override;
  HRESULT STDMETHODCALLTYPE GetInPlaceContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document,
                                              OLEINPLACEFRAMEINFO* info) noexcept override;
  HRESULT STDMETHODCALLTYPE ShowContainerUI(BOOL show) noexcept override;
  HRESULT STDMETHODCALLTYPE QueryInsertObject(CLSID* clsid, IStorage* storage, LONG position) noexcept override;
  HRESULT STDMETHODCALLTYPE DeleteObject(IOleObject* object) noexcept override;
  HRESULT STDMETHODCALLTYPE QueryAcceptData(IDataObject* data, CLIPFORMAT* format, DWORD operation, BOOL really,
                                            HGLOBAL metafile) noexcept override;
  HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL enter) noexcept override;
  HRESULT STDMETHODCALLTYPE GetClipboardData(CHARRANGE* range, DWORD operation, IDataObject** data) noexcept override;
  HRESULT STDMETHODCALLTYPE GetDragDropEffect(BOOL drag, DWORD keys, DWORD* effect) noexcept override;
  HRESULT STDMETHODCALLTYPE GetContextMenu(WORD selection, IOleObject* object, CHARRANGE* range,
                                           HMENU* menu) noexcept override;

 private:
  ~RichEditOleCallback() = default;

  LONG refs_ = 1;
  HWND control_ = nullptr;
  CopyScope scope_ = CopyScope::Shared;
};
#pragma GCC diagnostic pop
