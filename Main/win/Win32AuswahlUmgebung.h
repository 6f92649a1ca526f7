// The in-place commands' desktop on Windows: the physical state of the modifier keys, the foreground
// window and its class, SendInput, the clipboard's every format kept as bytes and put back, and a
// message loop to wait in, woken by the clipboard's updates (the form listens to them while a command
// runs) and by the reads of the handover copy, which arrive as messages to this thread.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "Main/Auswahl.h"
#include "Main/win/RichEditBuffer.h"

class Win32AuswahlUmgebung final : public TAuswahlUmgebung {
 public:
  explicit Win32AuswahlUmgebung(const RichEditBuffer& puffer);
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
  int Gelesen() override { return puffer_.Gelesen(); }
  bool Warten(std::chrono::milliseconds frist, std::chrono::milliseconds takt,
              const std::function<bool()>& bedingung) override;

  // One format of what the clipboard held: its number and its data as bytes (a picture's by the
  // system's own serialisation of it).
  struct TFormat {
    UINT format;
    std::vector<unsigned char> bytes;
  };

 private:
  const RichEditBuffer& puffer_;
  std::vector<TFormat> gesichert_;
};
