// The encrypt and decrypt clipboard commands with arbitrary option records and clipboard texts.
// The clipboard must end up with the command's full result or keep the text it had; a text cut
// short by the buffer (at a byte 0) must never reach it. A delivered encryption must decrypt to
// the prepared text, and a failed refresh must leave buffer and clipboard untouched. A delivered
// decryption, and no encryption, is copied private.
//
// Input: record, refresh byte, [second record], then the clipboard text.
//   record        switches byte, method code (-7 + byte mod 15, so -7..7: codes without a row
//                 too), Caesar shift 0..25, column count 1..100, length-prefixed key (any bytes
//                 mapped onto letters; an empty key is possible)
//   switches      bit 0 square matrix, 1 ignore non-letters, 2 lower case, 3 upper case,
//                 4 delete spaces, 5 transcribe umlauts
//   refresh byte  bit 0 the refresh throws, bit 1 the refresh replaces the record by the second;
//                 bits 2-6 what may come between: 2 another program holds the clipboard beyond the
//                 waiting time, 3 the first paste brings nothing, 4 no copy arrives, 5 the control
//                 turns lone line breaks into CR LF, 6 another program holds the clipboard briefly.
//                 With any of them the clipboard must still end with the full result and no box,
//                 or keep its text and show exactly one of the refusals.
#include <algorithm>
#include <cstddef>
#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>

#include "einstellungen/ERegistryException.h"
#include "einstellungen/Namen.h"
#include "Main/Texte.h"
#include "Main/Zwischenablage.h"
#include "fuzz/FuzzSupport.h"
#include "tests/fakes/FakeClipboard.h"
#include "tests/fakes/FakeTextBuffer.h"
#include "tests/fakes/RecordingMessageSink.h"
#include "verschl/verschl.h"

namespace {

using fuzz::Require;

TOptionen ReadRecord(fuzz::Input& input) {
  TOptionen o;
  fuzz::SetSwitches(o, input.Byte(), 0);
  o.Methode = input.InRange(-7, 7);
  o.CaesarVerschiebung = input.InRange(0, 25);
  o.Spaltenzahl = input.InRange(1, 100);
  o.VigenereSchluessel = fuzz::AsLetters(input.Chunk());
  return o;
}

// The method codes and what they stand for, as the options document them.
std::string Method(std::string_view text, const TOptionen& o, bool forward) {
  switch (o.Methode) {
    case 0:
      return forward ? verschl::TranspositionVerschluesseln(text, o.MatrixQuadratisch, o.Spaltenzahl)
                     : verschl::TranspositionEntschluesseln(text, o.MatrixQuadratisch, o.Spaltenzahl);
    case 1:
      return verschl::CaesarVerschieben(text, forward ? o.CaesarVerschiebung : -o.CaesarVerschiebung);
    case 2:
      return verschl::Rot13(text);
    case 3:
      return verschl::Verschiebe128(text);
    case 4:
      if (o.VigenereSchluessel.empty()) return std::string(text);
      return forward ? verschl::VigenereVerschluesseln(text, o.VigenereSchluessel, o.SonderzeichenIgnorieren)
                     : verschl::VigenereEntschluesseln(text, o.VigenereSchluessel, o.SonderzeichenIgnorieren);
    default:
      return std::string(text);
  }
}

std::string Prepared(std::string text, const TOptionen& o) {
  if (o.UmlauteErsetzen) text = verschl::ErsetzeUmlaute(text);
  if (o.Kleinschrift) text = verschl::InKleinschrift(text);
  if (o.Grossschrift) text = verschl::InGrossschrift(text);
  if (o.LeerzeichenLoeschen) text = verschl::EntferneLeerzeichen(text);
  return text;
}

std::string BeforeNul(std::string_view text) { return std::string(text.substr(0, text.find('\0'))); }

bool HasNul(std::string_view text) { return text.find('\0') != std::string_view::npos; }

struct Trouble {
  bool heldOpen = false;
  bool firstPasteEmpty = false;
  bool copiesLost = false;
  bool loneBreaksToCrLf = false;
  bool heldBriefly = false;
  bool Any() const { return heldOpen || firstPasteEmpty || copiesLost || loneBreaksToCrLf || heldBriefly; }
};

struct Run {
  std::string clipboard;
  bool threw = false;
  bool touchedBuffer = false;
  bool pasted = false;
  std::size_t messages = 0;
  bool onlyNulMessages = true;
  std::string firstMessage;
};

Run Command(const std::string& clipboard, const TOptionen& start, const TOptionen& refreshed, bool refreshThrows,
            bool encrypt, const Trouble& trouble = {}) {
  TOptionen optionen = start;
  FakeClipboard ablage;
  // Marked the other way round, so that only the command's own copy passes the check of its scope.
  ablage.SetBytes(clipboard, encrypt ? CopyScope::Private : CopyScope::Shared);
  ablage.busyFor = trouble.heldOpen ? 1 << 20 : trouble.heldBriefly ? 3 : 0;
  FakeTextBuffer puffer(ablage);
  puffer.emptyPastes = trouble.firstPasteEmpty ? 1 : 0;
  puffer.lostCopies = trouble.copiesLost ? 1 << 20 : 0;
  puffer.loneBreaksToCrLf = trouble.loneBreaksToCrLf;
  RecordingMessageSink meldungen;
  std::chrono::milliseconds clock{0};
  const TWartefrist frist{[&] { return clock; }, [&](std::chrono::milliseconds d) { clock += d; }};
  TEigentum eigentum(ablage, frist);
  ZwischenablageBefehle befehle(
      optionen,
      [&] {
        if (refreshThrows) throw ERegistryException::WrongType(texte::kMethode);
        optionen = refreshed;
      },
      puffer, ablage, eigentum, meldungen, frist);
  Run run;
  try {
    if (encrypt) {
      befehle.Verschluesseln();
    } else {
      befehle.Entschluesseln();
    }
  } catch (const ERegistryException&) {
    run.threw = true;
  }
  run.clipboard = ablage.Bytes();
  if (!run.threw && meldungen.messages.empty() && !trouble.copiesLost) {
    Require(ablage.scope == (encrypt ? CopyScope::Shared : CopyScope::Private),
            "a decryption's result, and no encryption's, is copied private");
  }
  run.touchedBuffer = !puffer.calls.empty();
  run.pasted = std::find(puffer.calls.begin(), puffer.calls.end(), "Paste") != puffer.calls.end();
  Require(run.threw || puffer.text.empty(), "nothing of a text stays in the buffer after its command");
  run.messages = meldungen.messages.size();
  if (!meldungen.messages.empty()) run.firstMessage = meldungen.messages.front().text;
  for (const RecordedMessage& m : meldungen.messages) {
    run.onlyNulMessages = run.onlyNulMessages && m.text == texte::kNullzeichen && m.iconFlag == kIconError;
  }
  return run;
}

// Whether a command refuses its result for being empty: only a text that was not empty gives one.
bool LeerAbgelehnt(const std::string& pasted, const std::string& full) { return full.empty() && !pasted.empty(); }

// A command delivers `full` unless some step's result held a byte 0 or the result of a text is
// empty; then the clipboard keeps its text and the user is told why.
void RequireFullOrKept(const Run& run, const std::string& before, const std::string& pasted, const std::string& full,
                       bool someStepHadNul) {
  Require(!run.threw, "only the refresh throws");
  if (someStepHadNul) {
    Require(run.clipboard == before, "a result with a byte 0 leaves the clipboard as it was");
    Require(run.messages == 1 && run.onlyNulMessages, "a refused result is reported once, as an error");
  } else if (LeerAbgelehnt(pasted, full)) {
    Require(run.clipboard == before && run.messages == 1 && run.firstMessage == texte::kErgebnisLeer,
            "an empty result of a text leaves the clipboard as it was and says so");
  } else {
    Require(run.clipboard == full, "the clipboard receives the command's full result");
    Require(run.messages == 0, "a delivered result shows no message");
  }
}

// Under trouble the clipboard still never lies: it holds the full result and no box was shown, or
// it keeps its text and exactly one refusal says why.
void RequireTruthful(const Run& run, const std::string& before, const std::string& full) {
  Require(!run.threw, "only the refresh throws");
  if (run.messages == 0) {
    // Readers of the clipboard stop at its first U+0000, so a copy that did not arrive over a text
    // that already reads as the result is no lie. What the platform makes of the copy of an empty
    // selection is its own affair.
    Require(BeforeNul(run.clipboard) == full || (full.empty() && run.clipboard == before),
            "a command without a box delivers its full result");
    return;
  }
  Require(run.messages == 1 && run.clipboard == before, "a refused command keeps the clipboard and says so once");
  const std::string_view refusals[] = {texte::kNullzeichen,       texte::kZwischenablageBelegt, texte::kNichtUebernommen,
                                       texte::kErgebnisVeraendert, texte::kNichtKopiert,         texte::kErgebnisLeer};
  bool known = false;
  for (const std::string_view refusal : refusals) known = known || run.firstMessage == refusal;
  Require(known, "a refusal is one of the commands' boxes");
}

void RequireUnderTrouble(const std::string& clipboard, const TOptionen& start, const TOptionen& used,
                         const Trouble& trouble) {
  const std::string pasted = FakeTextBuffer::AsControlKeepsIt(clipboard, trouble.loneBreaksToCrLf);
  for (const bool encrypt : {true, false}) {
    const std::string full = encrypt ? Method(Prepared(pasted, used), used, true) : Method(pasted, used, false);
    const Run run = Command(clipboard, start, used, false, encrypt, trouble);
    RequireTruthful(run, clipboard, full);
    if (trouble.heldOpen) {
      Require(run.firstMessage == texte::kZwischenablageBelegt && !run.pasted,
              "a clipboard held open beyond the time is reported before anything is pasted");
    }
    if (trouble.copiesLost && !HasNul(full) && !full.empty() && !trouble.heldOpen && BeforeNul(clipboard) != full) {
      Require(run.messages == 1, "a copy that never arrives is reported");
    }
    if (!trouble.heldOpen && !trouble.copiesLost && !trouble.loneBreaksToCrLf) {
      Require(run.messages == (HasNul(full) || LeerAbgelehnt(pasted, full) ? 1u : 0u),
              "a brief hold or one empty paste changes nothing");
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) { return fuzz::BuildCipherTables(); }

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::Input input(data, size);
  const TOptionen start = ReadRecord(input);
  const std::uint8_t refresh = input.Byte();
  const bool refreshThrows = input.Bit(refresh, 0);
  Trouble trouble;
  trouble.heldOpen = input.Bit(refresh, 2);
  trouble.firstPasteEmpty = input.Bit(refresh, 3);
  trouble.copiesLost = input.Bit(refresh, 4);
  trouble.loneBreaksToCrLf = input.Bit(refresh, 5);
  trouble.heldBriefly = input.Bit(refresh, 6);
  const TOptionen used = input.Bit(refresh, 1) ? ReadRecord(input) : start;
  const std::string clipboard = input.Rest();

  if (refreshThrows) {
    for (const bool encrypt : {true, false}) {
      const Run run = Command(clipboard, start, used, true, encrypt);
      Require(run.threw, "a failed refresh ends the command with its error");
      Require(!run.touchedBuffer && run.clipboard == clipboard && run.messages == 0,
              "a failed refresh leaves buffer and clipboard untouched");
    }
    return 0;
  }

  if (trouble.Any()) {
    RequireUnderTrouble(clipboard, start, used, trouble);
    return 0;
  }

  // The buffer holds only the clipboard's text before its first byte 0.
  const std::string pasted = BeforeNul(clipboard);

  const std::string prepared = Prepared(pasted, used);
  const std::string encrypted = Method(prepared, used, true);
  const Run encryption = Command(clipboard, start, used, false, true);
  RequireFullOrKept(encryption, clipboard, pasted, encrypted, HasNul(prepared) || HasNul(encrypted));

  const std::string decrypted = Method(pasted, used, false);
  const Run decryption = Command(clipboard, start, used, false, false);
  RequireFullOrKept(decryption, clipboard, pasted, decrypted, HasNul(decrypted));

  if (encryption.clipboard == encrypted && !HasNul(encrypted)) {
    const Run back = Command(encrypted, start, used, false, false);
    std::string expected = prepared;
    if (used.Methode == 0) expected.erase(expected.find_last_not_of(' ') + 1);
    // A text of spaces comes back from the transposition as nothing, which is refused as empty.
    RequireFullOrKept(back, encrypted, encrypted, expected, false);
    Require(LeerAbgelehnt(encrypted, expected) || back.clipboard == expected,
            "decrypting gives the prepared text back (the transposition less its trailing spaces)");
  }
  return 0;
}
