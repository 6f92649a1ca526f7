#include "Main/win/PrivateTextData.h"

#include <windows.h>
#include <shlobj.h>

#include <array>
#include <cstring>
#include <new>
#include <utility>

#include "Main/Texte.h"

namespace {

constexpr std::size_t kTextFormate = 2;
using Formate = std::array<CLIPFORMAT, kTextFormate + texte::kPrivatFormate.size()>;

// Each call hands out a block of its own: OLE puts it on the clipboard, which then owns it.
HGLOBAL Block(const void* bytes, std::size_t size) {
  const HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, size);
  if (block == nullptr) return nullptr;
  void* target = ::GlobalLock(block);
  if (target == nullptr) {
    ::GlobalFree(block);
    return nullptr;
  }
  std::memcpy(target, bytes, size);
  ::GlobalUnlock(block);
  return block;
}

// A COM interface has no virtual destructor: the object deletes itself in Release, as its own type.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
class PrivateTextData final : public IDataObject {
 public:
  PrivateTextData(std::string text, const Formate& formate) : text_(std::move(text)), formate_(formate) {}
  PrivateTextData(const PrivateTextData&) = delete;
  PrivateTextData& operator=(const PrivateTextData&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) noexcept override {
    if (object == nullptr) return E_POINTER;
    if (!::IsEqualIID(iid, __uuidof(IUnknown)) && !::IsEqualIID(iid, __uuidof(IDataObject))) {
      *object = nullptr;
      return E_NOINTERFACE;
    }
    *object = static_cast<IDataObject*>(this);
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() noexcept override { return static_cast<ULONG>(::InterlockedIncrement(&refs_)); }
  ULONG STDMETHODCALLTYPE Release() noexcept override {
    const LONG left = ::InterlockedDecrement(&refs_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }

  HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) noexcept override {
    if (medium == nullptr) return E_INVALIDARG;
    const HRESULT angeboten = QueryGetData(format);
    if (angeboten != S_OK) return angeboten;
    const HGLOBAL block = Render(format->cfFormat);
    if (block == nullptr) return E_OUTOFMEMORY;
    medium->tymed = TYMED_HGLOBAL;
    medium->hGlobal = block;
    medium->pUnkForRelease = nullptr;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) noexcept override {
    if (format == nullptr) return E_INVALIDARG;
    if (format->dwAspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    if ((format->tymed & TYMED_HGLOBAL) == 0) return DV_E_TYMED;
    for (const CLIPFORMAT angeboten : formate_) {
      if (angeboten == format->cfFormat) return S_OK;
    }
    return DV_E_FORMATETC;
  }
  HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) noexcept override {
    if (out != nullptr) out->ptd = nullptr;
    return DATA_S_SAMEFORMATETC;
  }
  HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** formats) noexcept override {
    if (formats == nullptr) return E_INVALIDARG;
    *formats = nullptr;
    if (direction != DATADIR_GET) return E_NOTIMPL;
    std::array<FORMATETC, std::tuple_size_v<Formate>> liste{};
    for (std::size_t i = 0; i < liste.size(); ++i) {
      liste[i] = {formate_[i], nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    }
    return ::SHCreateStdEnumFmtEtc(static_cast<UINT>(liste.size()), liste.data(), formats);
  }
  HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) noexcept override {
    return OLE_E_ADVISENOTSUPPORTED;
  }
  HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) noexcept override { return OLE_E_ADVISENOTSUPPORTED; }
  HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) noexcept override { return OLE_E_ADVISENOTSUPPORTED; }

 private:
  ~PrivateTextData() = default;

  HGLOBAL Render(CLIPFORMAT format) const {
    if (format == CF_TEXT) return Block(text_.c_str(), text_.size() + 1);
    if (format == CF_UNICODETEXT) return UnicodeText();
    // The marks: the two that Windows reads as DWORDs must be 0, and any content does for the others.
    constexpr DWORD kNein = 0;
    return Block(&kNein, sizeof kNein);
  }

  // The text converted as the system converts CF_TEXT, including its terminating zero.
  HGLOBAL UnicodeText() const {
    const int bytes = static_cast<int>(text_.size() + 1);
    const int units = ::MultiByteToWideChar(CP_ACP, 0, text_.c_str(), bytes, nullptr, 0);
    if (units <= 0) return nullptr;
    const HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, static_cast<SIZE_T>(units) * sizeof(wchar_t));
    if (block == nullptr) return nullptr;
    auto* target = static_cast<wchar_t*>(::GlobalLock(block));
    if (target == nullptr || ::MultiByteToWideChar(CP_ACP, 0, text_.c_str(), bytes, target, units) != units) {
      if (target != nullptr) ::GlobalUnlock(block);
      ::GlobalFree(block);
      return nullptr;
    }
    ::GlobalUnlock(block);
    return block;
  }

  LONG refs_ = 1;
  const std::string text_;
  const Formate formate_;
};
#pragma GCC diagnostic pop

}  // namespace

IDataObject* NewPrivateTextData(std::string text) noexcept {
  // Unicode first: a reader that takes the first text format it finds gets every character.
  Formate formate{CF_UNICODETEXT, CF_TEXT};
  for (std::size_t i = 0; i < texte::kPrivatFormate.size(); ++i) {
    // The names are literals, so each view ends in a zero byte.
    formate[kTextFormate + i] = static_cast<CLIPFORMAT>(::RegisterClipboardFormatA(texte::kPrivatFormate[i].data()));
    if (formate[kTextFormate + i] == 0) return nullptr;
  }
  return new (std::nothrow) PrivateTextData(std::move(text), formate);
}
