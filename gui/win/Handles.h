// Small owners for Win32 handles: each gives its handle back exactly once, on every path.
#pragma once

#include <windows.h>

#include <utility>

namespace gui {

// Traits: the handle type, its "none" value and how it is given back.
template <class Traits>
class UniqueHandle {
 public:
  using Handle = typename Traits::Handle;

  UniqueHandle() = default;
  explicit UniqueHandle(Handle handle) : handle_(handle) {}
  ~UniqueHandle() { reset(); }

  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }

  Handle get() const { return handle_; }
  explicit operator bool() const { return handle_ != Traits::None(); }

  Handle release() { return std::exchange(handle_, Traits::None()); }
  void reset(Handle handle = Traits::None()) {
    const Handle old = std::exchange(handle_, handle);
    if (old != Traits::None()) Traits::Close(old);
  }

 private:
  Handle handle_ = Traits::None();
};

struct KernelHandleTraits {
  using Handle = HANDLE;
  static Handle None() { return nullptr; }
  static void Close(Handle h) { ::CloseHandle(h); }
};

// FindFirstFileW reports failure with INVALID_HANDLE_VALUE, not with 0.
struct FindHandleTraits {
  using Handle = HANDLE;
  static Handle None() { return INVALID_HANDLE_VALUE; }
  static void Close(Handle h) { ::FindClose(h); }
};

struct LibraryTraits {
  using Handle = HMODULE;
  static Handle None() { return nullptr; }
  static void Close(Handle h) { ::FreeLibrary(h); }
};

struct MenuTraits {
  using Handle = HMENU;
  static Handle None() { return nullptr; }
  static void Close(Handle h) { ::DestroyMenu(h); }
};

// For icons loaded without LR_SHARED only; shared icons belong to the system.
struct IconTraits {
  using Handle = HICON;
  static Handle None() { return nullptr; }
  static void Close(Handle h) { ::DestroyIcon(h); }
};

struct WindowTraits {
  using Handle = HWND;
  static Handle None() { return nullptr; }
  static void Close(Handle h) { ::DestroyWindow(h); }
};

// One reference to a COM object.
template <class Interface>
struct ComTraits {
  using Handle = Interface*;
  static Handle None() { return nullptr; }
  static void Close(Handle h) { h->Release(); }
};

template <class Interface>
using UniqueCom = UniqueHandle<ComTraits<Interface>>;

using UniqueKernelHandle = UniqueHandle<KernelHandleTraits>;
using UniqueFindHandle = UniqueHandle<FindHandleTraits>;
using UniqueLibrary = UniqueHandle<LibraryTraits>;
using UniqueMenu = UniqueHandle<MenuTraits>;
using UniqueIcon = UniqueHandle<IconTraits>;
using UniqueWindow = UniqueHandle<WindowTraits>;

// A hotkey registered for a window (RegisterHotKey), given back once (UnregisterHotKey). It holds
// a window and a number rather than a handle, so it is no UniqueHandle.
class UniqueHotKey {
 public:
  UniqueHotKey() = default;
  ~UniqueHotKey() { reset(); }
  UniqueHotKey(const UniqueHotKey&) = delete;
  UniqueHotKey& operator=(const UniqueHotKey&) = delete;

  // Gives back what it held, then registers; false when the system refuses (GetLastError says why).
  bool Register(HWND window, int id, UINT modifiers, UINT key) {
    reset();
    if (!::RegisterHotKey(window, id, modifiers, key)) return false;
    window_ = window;
    id_ = id;
    registered_ = true;
    return true;
  }
  explicit operator bool() const { return registered_; }
  void reset() {
    if (std::exchange(registered_, false)) ::UnregisterHotKey(window_, id_);
  }

 private:
  HWND window_ = nullptr;
  int id_ = 0;
  bool registered_ = false;
};

// The Win32 headers' MAKEINTRESOURCE is an old-style cast; this is the same value, spelt in C++.
inline const char* IntResource(WORD id) { return reinterpret_cast<const char*>(static_cast<ULONG_PTR>(id)); }

}  // namespace gui
