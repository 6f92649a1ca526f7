// The encrypt and decrypt clipboard commands and their method table.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string_view>

#include "ClipboardReader.h"
#include "Eigentum.h"
#include "MessageSink.h"
#include "einstellungen/Optionen.h"
#include "verschl/Text.h"
#include "Wartefrist.h"

// One row of the method table: a method code with its forward and backward operation.
struct TMethode {
  std::int32_t code;
  verschl::TText (*vorwaerts)(std::u32string_view text, const TOptionen& optionen);
  verschl::TText (*rueckwaerts)(std::u32string_view text, const TOptionen& optionen);
  bool (*gilt)(const TOptionen& optionen);  // the row applies only when this holds
};

std::span<const TMethode> Methodentabelle();

// The most characters a command takes: a limit that keeps every command within a time that a user
// waits for, and that stored texts and habits have grown up with.
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
  ZwischenablageBefehle(TOptionen& optionen, std::function<void()> optionenLesen, ClipboardReader& ablage,
                        TEigentum& eigentum, MessageSink& meldungen, TWartefrist frist,
                        std::function<void(const verschl::TUtf16&)> uebergeben = {});
  // Each returns whether its result is on the clipboard. Every copy of the text that it made is
  // overwritten before it ends.
  bool Verschluesseln();
  bool Entschluesseln();
  // The same for the in-place commands, whose result is offered to one paste.
  bool AuswahlVerschluesseln();
  bool AuswahlEntschluesseln();

 private:
  using Richtung = verschl::TText (*TMethode::*)(std::u32string_view, const TOptionen&);
  // Encryption prepares the text first; decryption gives a plain text.
  bool Ausfuehren(bool verschluesseln, Richtung richtung, CopyScope kopie);
  std::optional<verschl::TText> Einfuegen();
  bool Kopieren(const verschl::TText& text, CopyScope kopie, bool entschluesselt);
  bool Uebergeben(const verschl::TUtf16& text, bool entschluesselt);
  void Fehler(std::string_view text);

  TOptionen& optionen_;
  std::function<void()> optionenLesen_;
  ClipboardReader& ablage_;
  TEigentum& eigentum_;
  MessageSink& meldungen_;
  TWartefrist frist_;
  std::function<void(const verschl::TUtf16&)> uebergeben_;
};
