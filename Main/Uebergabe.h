// The in-place command's result on the clipboard for one paste. It is offered delayed, so that every
// request for it comes to this program, and only the paste's requests are answered: a clipboard tool
// that reads the moment the clipboard changes, before the window has even been sent Strg+V, gets
// nothing (the result carries the marks by which such tools are asked to leave it alone anyway), and
// the format stays offered, so that the paste's own request still comes here and is the one that
// counts. Answered once, the data stays on the clipboard for the paste's further reads.
#pragma once

#include <chrono>
#include <cstdint>

class TUebergabe {
 public:
  // After a request answered, so long without another one ends the paste: a program that reads
  // twice (the text as Unicode and in its code page, say) does so within one paste, a few
  // milliseconds apart.
  static constexpr std::chrono::milliseconds kRuhe{100};

  // The result is offered anew; Strg+V has not gone out.
  void Angeboten();
  // Strg+V goes now to a window of the process `ziel`.
  void Gesendet(std::uint32_t ziel);
  // A request for the result from the process whose window has the clipboard open, 0 for a reader
  // that opened it without a window (ole32 does so for a program that pastes through OLE): whether
  // it is answered. Only after Strg+V, and only from the window's process or from a reader without
  // a window, which cannot be told apart from the window's own OLE paste.
  bool Anfrage(std::uint32_t prozess, std::chrono::milliseconds jetzt);
  int Beantwortet() const { return beantwortet_; }
  // The paste is over: a request was answered, and none came for the quiet time.
  bool Fertig(std::chrono::milliseconds jetzt) const;

 private:
  bool gesendet_ = false;
  std::uint32_t ziel_ = 0;
  int beantwortet_ = 0;
  std::chrono::milliseconds letzte_{0};
};
