// The encrypt and decrypt clipboard commands and their method table.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "MessageSink.h"
#include "Optionen.h"
#include "TextBuffer.h"

// One row of the method table: a method code with its forward and backward operation.
struct TMethode {
  std::int32_t code;
  std::string (*vorwaerts)(std::string_view text, const TOptionen& optionen);
  std::string (*rueckwaerts)(std::string_view text, const TOptionen& optionen);
  bool (*gilt)(const TOptionen& optionen);  // the row applies only when this holds
};

std::span<const TMethode> Methodentabelle();
// The row for a code, or nullptr when the code has none.
const TMethode* MethodeSuchen(std::int32_t code);

class ZwischenablageBefehle {
 public:
  // optionenLesen refreshes `optionen` and may throw; it runs first in each command.
  ZwischenablageBefehle(TOptionen& optionen, std::function<void()> optionenLesen, TextBuffer& puffer,
                        MessageSink& meldungen);
  void Verschluesseln();
  void Entschluesseln();

 private:
  TOptionen& optionen_;
  std::function<void()> optionenLesen_;
  TextBuffer& puffer_;
  MessageSink& meldungen_;
};
