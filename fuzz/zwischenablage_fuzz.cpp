// The encrypt and decrypt clipboard commands with arbitrary option records and clipboard texts.
// The clipboard must end up with the command's full result or keep the text it had, and the
// command says why in one box when it did not deliver; a failed write leaves no text at all, never
// a part of the result or an unmarked plain text. A text within code page 1252 gives exactly the
// cipher library's byte-road result, character for byte; a text beyond it keeps its other
// characters as they are, in their order (the transposition only moves them). A delivered
// encryption must decrypt to the prepared text, and a failed refresh must leave the clipboard
// untouched. A delivered decryption, and no encryption, is copied private, and every delivered
// result is recorded as the program's own.
//
// Input: record, refresh byte, [second record], then the clipboard text.
//   record        switches byte, method code (-7 + byte mod 15, so -7..7: codes without a row
//                 too), Caesar shift 0..25, column count 1..100, length-prefixed key (any bytes
//                 mapped onto letters; an empty key is possible)
//   switches      bit 0 square matrix, 1 ignore non-letters, 2 lower case, 3 upper case,
//                 4 delete spaces, 5 transcribe umlauts
//   refresh byte  bit 0 the refresh throws, bit 1 the refresh replaces the record by the second;
//                 bits 2-6 what may come between: 2 another program holds the clipboard beyond the
//                 waiting time, 3 another program takes it once the text is read, 4 no write
//                 arrives, 5 a private write arrives without its marks, 6 another program holds
//                 the clipboard briefly. With any of them the clipboard must still end with the full
//                 result and no box, or keep its text (or hold none after a failed write) and show
//                 exactly one of the refusals.
//                 bit 7 the text is UTF-16 (little-endian pairs of bytes, lone surrogates and
//                 U+0000 included) rather than code-page-1252 bytes
#include <algorithm>
#include <cstddef>
#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "einstellungen/ERegistryException.h"
#include "einstellungen/Namen.h"
#include "Main/Texte.h"
#include "Main/Zeichen.h"
#include "Main/Zwischenablage.h"
#include "fuzz/FuzzSupport.h"
#include "tests/fakes/FakeClipboard.h"
#include "tests/fakes/RecordingMessageSink.h"
#include "verschl/verschl.h"

namespace {

using fuzz::Require;
using verschl::TText;

TOptionen ReadRecord(fuzz::Input& input) {
  TOptionen o;
  fuzz::SetSwitches(o, input.Byte(), 0);
  o.Methode = input.InRange(-7, 7);
  o.CaesarVerschiebung = input.InRange(0, 25);
  o.Spaltenzahl = input.InRange(1, 100);
  o.VigenereSchluessel = fuzz::AsLetters(input.Chunk());
  return o;
}

std::string_view View(const std::string& text) { return text; }
std::u32string_view View(const TText& text) { return verschl::Ansicht(text); }

// The method codes and what they stand for, as the options document them; on either road of the
// library (Text is std::string or TText).
template <class Text>
Text Method(const Text& text, const TOptionen& o, bool forward) {
  const auto t = View(text);
  switch (o.Methode) {
    case 0:
      return forward ? verschl::TranspositionVerschluesseln(t, o.MatrixQuadratisch, o.Spaltenzahl)
                     : verschl::TranspositionEntschluesseln(t, o.MatrixQuadratisch, o.Spaltenzahl);
    case 1:
      return verschl::CaesarVerschieben(t, forward ? o.CaesarVerschiebung : -o.CaesarVerschiebung);
    case 2:
      return verschl::Rot13(t);
    case 3:
      return verschl::Verschiebe128(t);
    case 4:
      if (o.VigenereSchluessel.empty()) return text;
      return forward ? verschl::VigenereVerschluesseln(t, o.VigenereSchluessel, o.SonderzeichenIgnorieren)
                     : verschl::VigenereEntschluesseln(t, o.VigenereSchluessel, o.SonderzeichenIgnorieren);
    default:
      return text;
  }
}

template <class Text>
Text Prepared(Text text, const TOptionen& o) {
  if (o.UmlauteErsetzen) text = verschl::ErsetzeUmlaute(View(text));
  if (o.Kleinschrift) text = verschl::InKleinschrift(View(text));
  if (o.Grossschrift) text = verschl::InGrossschrift(View(text));
  if (o.LeerzeichenLoeschen) text = verschl::EntferneLeerzeichen(View(text));
  return text;
}

std::u16string Utf16(const TText& text) {
  const verschl::TUtf16 units = verschl::InUtf16(View(text));
  return {units.begin(), units.end()};
}

TText CodePoints(std::u16string_view units) { return verschl::AusUtf16(units); }

// The text as code-page-1252 bytes, or nothing when it holds a character that the code page lacks.
std::optional<std::string> Cp1252Bytes(const TText& text) {
  std::string bytes;
  for (const char32_t c : text) {
    const int b = verschl::Cp1252Byte(c);
    if (b < 0) return std::nullopt;
    bytes += static_cast<char>(b);
  }
  return bytes;
}

// The characters that code page 1252 lacks, in their order.
std::u32string Outside(const TText& text) {
  std::u32string outside;
  for (const char32_t c : text) {
    if (verschl::Cp1252Byte(c) < 0) outside += c;
  }
  return outside;
}

bool HasNul(const TText& text) { return std::find(text.begin(), text.end(), U'\0') != text.end(); }

// What the clipboard's readers see of a text: everything before its first U+0000.
std::u16string BeforeNul(std::u16string_view units) { return std::u16string(units.substr(0, units.find(u'\0'))); }

// The full result of a command on a text as read, from the library's two roads: the byte road for
// a text within code page 1252, which the Unicode road must match exactly; the Unicode road for any
// other, whose characters from outside the code page must stay as they were.
TText Expected(const TText& pasted, const TOptionen& o, bool encrypt) {
  if (const std::optional<std::string> bytes = Cp1252Bytes(pasted)) {
    const std::string full = encrypt ? Method(Prepared(*bytes, o), o, true) : Method(*bytes, o, false);
    TText text;
    for (const char c : full) text.push_back(verschl::AusCp1252(static_cast<unsigned char>(c)));
    return text;
  }
  TText full = encrypt ? Method(Prepared(pasted, o), o, true) : Method(pasted, o, false);
  std::u32string before = Outside(pasted);
  std::u32string after = Outside(full);
  if (o.Methode == 0) {
    std::sort(before.begin(), before.end());
    std::sort(after.begin(), after.end());
  }
  Require(before == after, "characters outside the code page stay as they are, moved by the transposition only");
  return full;
}

struct Trouble {
  bool heldOpen = false;
  bool heldAfterReading = false;
  bool writesLost = false;
  bool writesUnmarked = false;
  bool heldBriefly = false;
  bool Any() const { return heldOpen || heldAfterReading || writesLost || writesUnmarked || heldBriefly; }
};

struct Run {
  std::optional<std::u16string> clipboard;
  bool threw = false;
  bool delivered = false;  // what the command returned
  bool untouched = false;  // the clipboard was neither emptied nor written
  int opens = 0;
  std::size_t messages = 0;
  std::string firstMessage;
};

Run Command(const std::u16string& clipboard, const TOptionen& start, const TOptionen& refreshed, bool refreshThrows,
            bool encrypt, const Trouble& trouble = {}) {
  TOptionen optionen = start;
  FakeClipboard ablage;
  // Marked the other way round, so that only the command's own copy passes the check of its scope.
  ablage.SetUnicode(clipboard, encrypt ? CopyScope::Private : CopyScope::Shared);
  ablage.busyFor = trouble.heldOpen ? 1 << 20 : trouble.heldBriefly ? 3 : 0;
  ablage.busyAfterOpens = trouble.heldAfterReading ? 1 : -1;
  ablage.lostWrites = trouble.writesLost ? 1 << 20 : 0;
  ablage.unmarkedWrites = trouble.writesUnmarked ? 1 << 20 : 0;
  const std::uint32_t sequence = ablage.sequence;
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
      ablage, eigentum, meldungen, frist);
  Run run;
  try {
    run.delivered = encrypt ? befehle.Verschluesseln() : befehle.Entschluesseln();
  } catch (const ERegistryException&) {
    run.threw = true;
  }
  Require(!ablage.IsOpen(), "a command closes the clipboard on every way out");
  run.clipboard = ablage.text;
  run.untouched = ablage.sequence == sequence;
  run.opens = ablage.opens;
  run.messages = meldungen.messages.size();
  if (!meldungen.messages.empty()) run.firstMessage = meldungen.messages.front().text;
  for (const RecordedMessage& m : meldungen.messages) {
    Require(m.caption == texte::kFehler && m.iconFlag == kIconError, "a refusal is an error box");
  }
  if (!run.threw) Require(run.delivered == meldungen.messages.empty(), "a command fails exactly when it says why");
  if (run.delivered && !run.untouched) {
    Require(ablage.scope == (encrypt ? CopyScope::Shared : CopyScope::Private),
            "a decryption's result, and no encryption's, is copied private");
    if (!trouble.heldAfterReading) {
      Require(eigentum.Zweck() == TZweck::Ergebnis && eigentum.Entschluesselt() == !encrypt && eigentum.Haelt(),
              "a delivered result is recorded as the program's own");
    }
  }
  return run;
}

// Whether a command refuses its result for being empty: only a text that was not empty gives one.
bool LeerAbgelehnt(const TText& pasted, const TText& full) { return full.empty() && !pasted.empty(); }

// A lone high surrogate right before a lone low one, which UTF-16 reads as one character.
bool SurrogateVerbunden(const TText& text) {
  for (std::size_t i = 0; i + 1 < text.size(); ++i) {
    if (IstHochSurrogat(text[i]) && IstTiefSurrogat(text[i + 1])) return true;
  }
  return false;
}

// The clipboard as the command found it, text and all.
bool Kept(const Run& run, const std::u16string& before) { return run.untouched && run.clipboard == before; }

// A command delivers `full` unless it holds a U+0000 or the result of a text is empty; then the
// clipboard keeps its text and the user is told why. An empty clipboard is left as it is.
void RequireFullOrKept(const Run& run, const std::u16string& before, const TText& pasted, const TText& full) {
  Require(!run.threw, "only the refresh throws");
  if (HasNul(full)) {
    Require(Kept(run, before), "a result with a U+0000 leaves the clipboard as it was");
    Require(run.messages == 1 && run.firstMessage == texte::kNullzeichen, "a refused result is reported once");
  } else if (SurrogateVerbunden(full)) {
    Require(Kept(run, before) && run.messages == 1 && run.firstMessage == texte::kErgebnisVeraendert,
            "a result whose lone surrogates would join into one character leaves the clipboard as it was");
  } else if (LeerAbgelehnt(pasted, full)) {
    Require(Kept(run, before) && run.messages == 1 && run.firstMessage == texte::kErgebnisLeer,
            "an empty result of a text leaves the clipboard as it was and says so");
  } else if (pasted.empty()) {
    Require(Kept(run, before) && run.messages == 0, "an empty clipboard is left as it is, without a box");
  } else {
    Require(run.clipboard == Utf16(full), "the clipboard receives the command's full result");
    Require(run.messages == 0, "a delivered result shows no message");
  }
}

// Under trouble the clipboard still never lies: it holds the full result and no box was shown, or
// exactly one refusal says why and the clipboard keeps its text, or holds none after a failed write.
void RequireTruthful(const Run& run, const std::u16string& before, const TText& pasted, const TText& full) {
  Require(!run.threw, "only the refresh throws");
  if (run.messages == 0) {
    Require(pasted.empty() ? Kept(run, before) : run.clipboard == Utf16(full),
            "a command without a box delivers its full result");
    return;
  }
  Require(run.messages == 1, "a refused command says so once");
  if (run.firstMessage == texte::kNichtKopiert && !run.untouched) {
    Require(!run.clipboard.has_value(), "a failed write leaves no text on the clipboard");
    return;
  }
  Require(Kept(run, before), "a refused command keeps the clipboard");
  const std::string_view refusals[] = {texte::kNullzeichen, texte::kZwischenablageBelegt, texte::kNichtKopiert,
                                       texte::kErgebnisLeer, texte::kErgebnisVeraendert};
  bool known = false;
  for (const std::string_view refusal : refusals) known = known || run.firstMessage == refusal;
  Require(known, "a refusal is one of the commands' boxes");
}

void RequireUnderTrouble(const std::u16string& clipboard, const TOptionen& start, const TOptionen& used,
                         const Trouble& trouble) {
  const TText pasted = CodePoints(BeforeNul(clipboard));
  for (const bool encrypt : {true, false}) {
    const TText full = Expected(pasted, used, encrypt);
    const Run run = Command(clipboard, start, used, false, encrypt, trouble);
    RequireTruthful(run, clipboard, pasted, full);
    if (trouble.heldOpen) {
      Require(run.firstMessage == texte::kZwischenablageBelegt && run.opens == 0,
              "a clipboard held open beyond the time is reported before anything is read");
      continue;
    }
    const bool toWrite = !pasted.empty() && !HasNul(full) && !SurrogateVerbunden(full) && !LeerAbgelehnt(pasted, full);
    if (toWrite && trouble.heldAfterReading) {
      Require(run.firstMessage == texte::kNichtKopiert && Kept(run, clipboard),
              "a clipboard taken once the text is read keeps its text, and the box says the copy failed");
    } else if (toWrite && (trouble.writesLost || (trouble.writesUnmarked && !encrypt))) {
      Require(run.firstMessage == texte::kNichtKopiert && !run.clipboard,
              "a write that is lost, or a plain text without its marks, is reported and leaves no text");
    } else {
      Require(run.messages == (HasNul(full) || SurrogateVerbunden(full) || LeerAbgelehnt(pasted, full) ? 1U : 0U),
              "a brief hold, or trouble with a write that is not made, changes nothing");
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
  trouble.heldAfterReading = input.Bit(refresh, 3);
  trouble.writesLost = input.Bit(refresh, 4);
  trouble.writesUnmarked = input.Bit(refresh, 5);
  trouble.heldBriefly = input.Bit(refresh, 6);
  const TOptionen used = input.Bit(refresh, 1) ? ReadRecord(input) : start;
  const std::string rest = input.Rest();
  std::u16string clipboard;
  if (input.Bit(refresh, 7)) {
    for (std::size_t i = 0; i + 1 < rest.size(); i += 2) {
      clipboard.push_back(static_cast<char16_t>(static_cast<unsigned char>(rest[i]) |
                                                (static_cast<unsigned char>(rest[i + 1]) << 8U)));
    }
  } else {
    clipboard = FakeClipboard::Cp1252(rest);
  }

  if (refreshThrows) {
    for (const bool encrypt : {true, false}) {
      const Run run = Command(clipboard, start, used, true, encrypt);
      Require(run.threw, "a failed refresh ends the command with its error");
      Require(run.opens == 0 && Kept(run, clipboard) && run.messages == 0,
              "a failed refresh leaves the clipboard untouched");
    }
    return 0;
  }

  if (trouble.Any()) {
    RequireUnderTrouble(clipboard, start, used, trouble);
    return 0;
  }

  // The command reads the clipboard's text before its first U+0000, as every reader does.
  const TText pasted = CodePoints(BeforeNul(clipboard));

  const TText encrypted = Expected(pasted, used, true);
  const Run encryption = Command(clipboard, start, used, false, true);
  RequireFullOrKept(encryption, clipboard, pasted, encrypted);

  const TText decrypted = Expected(pasted, used, false);
  const Run decryption = Command(clipboard, start, used, false, false);
  RequireFullOrKept(decryption, clipboard, pasted, decrypted);

  // A result whose lone surrogates would join is refused; what is delivered decrypts back.
  const std::u16string written = Utf16(encrypted);
  if (encryption.delivered && !encryption.untouched && CodePoints(written) == encrypted) {
    const Run back = Command(written, start, used, false, false);
    TText expected = Prepared(pasted, used);
    if (used.Methode == 0) {
      while (!expected.empty() && expected.back() == U' ') expected.pop_back();
    }
    // A text of spaces comes back from the transposition as nothing, which is refused as empty.
    RequireFullOrKept(back, written, CodePoints(written), expected);
    // Lone surrogates that the space filter joined are apart in the ciphertext and join again in its
    // decryption, which is refused.
    Require(LeerAbgelehnt(encrypted, expected) || SurrogateVerbunden(expected) || back.clipboard == Utf16(expected),
            "decrypting gives the prepared text back (the transposition less its trailing spaces)");
  }
  return 0;
}
