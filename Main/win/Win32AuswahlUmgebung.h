// The in-place commands' desktop on Windows: the physical state of the modifier keys, the foreground
// window and its class, SendInput, the clipboard's every format kept as bytes and put back, the result
// offered delayed and rendered for the paste, and a message loop to wait in, woken by the clipboard's
// updates (the form listens to them while a command runs) and by the requests for the result, which
// arrive as messages to the form.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include <string>

#include "Main/Auswahl.h"
#include "verschl/Text.h"

class Win32AuswahlUmgebung final : public TAuswahlUmgebung {
 public:
  Win32AuswahlUmgebung();
  ~Win32AuswahlUmgebung() override;
  Win32AuswahlUmgebung(const Win32AuswahlUmgebung&) = delete;
  Win32AuswahlUmgebung& operator=(const Win32AuswahlUmgebung&) = delete;

  bool TastenGedrueckt() override;
  std::uintptr_t Vordergrund() override;
  std::string Fensterklasse(std::uintptr_t fenster) override;
  bool Sichern() override;
  void Einsetzen() override;
  void Vergessen() override;
  bool StrgUnd(char taste) override;
  std::uint32_t Prozess(std::uintptr_t fenster) override;
  std::uint32_t LeserProzess() override;
  void Rendern(unsigned format) override;
  std::chrono::milliseconds Jetzt() override;
  // While the clipboard is open and empty: the result for the paste, offered as CF_UNICODETEXT and
  // CF_TEXT to be made when asked for, with the marks by which the clipboard's watchers leave it alone.
  void Anbieten(const verschl::TUtf16& text);
  bool Warten(std::chrono::milliseconds frist, std::chrono::milliseconds takt,
              const std::function<bool()>& bedingung) override;

  // One format of what the clipboard held: its number and its data as bytes (a picture's by the
  // system's own serialisation of it).
  struct TFormat {
    UINT format;
    std::vector<unsigned char> bytes;
  };

 private:
  std::vector<TFormat> gesichert_;
  verschl::TUtf16 angeboten_;
};
