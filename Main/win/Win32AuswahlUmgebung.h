// The in-place commands' desktop on Windows: the physical state of the modifier keys, the foreground
// window, SendInput, the clipboard as a whole kept and given back, and a message loop to wait in,
// woken by the clipboard's updates (the form listens to them while a command runs) and by the reads
// of the handover copy, which arrive as messages to this thread.
#pragma once

#include <windows.h>

#include <cstdint>
#include <utility>
#include <vector>

#include "Main/Auswahl.h"
#include "Main/win/RichEditBuffer.h"

class Win32AuswahlUmgebung final : public TAuswahlUmgebung {
 public:
  Win32AuswahlUmgebung(HWND fenster, const RichEditBuffer& puffer);
  ~Win32AuswahlUmgebung() override;
  Win32AuswahlUmgebung(const Win32AuswahlUmgebung&) = delete;
  Win32AuswahlUmgebung& operator=(const Win32AuswahlUmgebung&) = delete;

  bool TastenGedrueckt() override;
  std::uintptr_t Vordergrund() override;
  bool Sichern() override;
  void Zurueckgeben() override;
  std::uint32_t Sequenznummer() override;
  bool TextDa() override;
  bool StrgUnd(char taste) override;
  int Gelesen() override { return puffer_.Gelesen(); }
  bool Warten(std::chrono::milliseconds frist, std::chrono::milliseconds takt,
              const std::function<bool()>& bedingung) override;

 private:
  bool Oeffnen();

  HWND fenster_;
  const RichEditBuffer& puffer_;
  // What the clipboard held before: each format that is plain memory, with its bytes.
  std::vector<std::pair<UINT, std::vector<unsigned char>>> gesichert_;
};
