// The encrypt and decrypt clipboard commands and their method table.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "ClipboardReader.h"
#include "Eigentum.h"
#include "MessageSink.h"
#include "einstellungen/Optionen.h"
#include "TextBuffer.h"
#include "Wartefrist.h"

// One row of the method table: a method code with its forward and backward operation.
struct TMethode {
  std::int32_t code;
  std::string (*vorwaerts)(std::string_view text, const TOptionen& optionen);
  std::string (*rueckwaerts)(std::string_view text, const TOptionen& optionen);
  bool (*gilt)(const TOptionen& optionen);  // the row applies only when this holds
};

std::span<const TMethode> Methodentabelle();

// The most characters a command takes: the text buffer copes with more, but no longer in a time that
// a user waits for, and the control fails on a few times as many.
inline constexpr std::size_t kHoechsteZeichenzahl = std::size_t{8} * 1024 * 1024;
// The row for a code, or nullptr when the code has none.
const TMethode* MethodeSuchen(std::int32_t code);

// A command puts exactly its result on the clipboard, or says in a box why not; in every case but
// the last (the copy that did not arrive) the clipboard then keeps the user's text.
class ZwischenablageBefehle {
 public:
  // optionenLesen refreshes `optionen` and may throw; it runs first in each command.
  // Each copy that reaches the clipboard is recorded with `eigentum` as the program's own.
  // `uebergeben` offers an in-place command's result for its paste, while the clipboard is open and
  // empty; the program offers it itself, so that it sees who asks for it.
  ZwischenablageBefehle(TOptionen& optionen, std::function<void()> optionenLesen, TextBuffer& puffer,
                        ClipboardReader& ablage, TEigentum& eigentum, MessageSink& meldungen, TWartefrist frist,
                        std::function<void(const std::string&)> uebergeben = {});
  // Each returns whether its result is on the clipboard. At its end, whatever way it ends, the
  // buffer holds nothing of the text.
  bool Verschluesseln();
  bool Entschluesseln();
  // The same for the in-place commands, whose result is offered to one paste.
  bool AuswahlVerschluesseln();
  bool AuswahlEntschluesseln();

 private:
  using Richtung = std::string (*TMethode::*)(std::string_view, const TOptionen&);
  // Encryption prepares the text first; decryption gives a plain text.
  bool Ausfuehren(bool verschluesseln, Richtung richtung, CopyScope kopie);
  std::optional<std::string> Einfuegen();
  bool Uebernehmen(std::string& text, const std::string& ergebnis);
  bool Kopieren(const std::string& text, CopyScope kopie, bool entschluesselt);
  bool Uebergeben(const std::string& text, bool entschluesselt);
  // The clipboard's text in the buffer's code page, or nothing when another program holds the
  // clipboard until the time that began at `beginn` is up. `meldung` is set when the text cannot go
  // through the buffer at all.
  struct TGelesen {
    std::optional<std::string> text;  // empty: no text on the clipboard
    std::string meldung;
    bool markiert = false;            // the clipboard carries the private copy's mark
  };
  // `offen` runs while the clipboard is still open after a reading.
  std::optional<TGelesen> Lesen(std::chrono::milliseconds beginn, bool pruefen,
                                const std::function<void(const TGelesen&)>& offen = {});
  void Fehler(std::string_view text);

  TOptionen& optionen_;
  std::function<void()> optionenLesen_;
  TextBuffer& puffer_;
  ClipboardReader& ablage_;
  TEigentum& eigentum_;
  MessageSink& meldungen_;
  TWartefrist frist_;
  std::function<void(const std::string&)> uebergeben_;
};
