#include "Zwischenablage.h"

#include <algorithm>
#include <array>
#include <utility>

#include "einstellungen/Einsetzen.h"
#include "Texte.h"
#include "Zeichen.h"
#include "verschl/verschl.h"

namespace {

bool Immer(const TOptionen&) { return true; }

// The refresh never leaves the key empty, but a record filled by other means may; the cipher
// itself has no sensible answer for an empty key, so the row steps aside instead.
bool SchluesselVorhanden(const TOptionen& o) { return !o.VigenereSchluessel.empty(); }

constexpr std::array<TMethode, 5> kMethoden{{
    {0,
     [](std::u32string_view t, const TOptionen& o) {
       return verschl::TranspositionVerschluesseln(t, o.MatrixQuadratisch, o.Spaltenzahl);
     },
     [](std::u32string_view t, const TOptionen& o) {
       return verschl::TranspositionEntschluesseln(t, o.MatrixQuadratisch, o.Spaltenzahl);
     },
     Immer},
    {1, [](std::u32string_view t, const TOptionen& o) { return verschl::CaesarVerschieben(t, o.CaesarVerschiebung); },
     [](std::u32string_view t, const TOptionen& o) { return verschl::CaesarVerschieben(t, -o.CaesarVerschiebung); },
     Immer},
    {2, [](std::u32string_view t, const TOptionen&) { return verschl::Rot13(t); },
     [](std::u32string_view t, const TOptionen&) { return verschl::Rot13(t); }, Immer},
    {3, [](std::u32string_view t, const TOptionen&) { return verschl::Verschiebe128(t); },
     [](std::u32string_view t, const TOptionen&) { return verschl::Verschiebe128(t); }, Immer},
    {4,
     [](std::u32string_view t, const TOptionen& o) {
       return verschl::VigenereVerschluesseln(t, o.VigenereSchluessel, o.SonderzeichenIgnorieren);
     },
     [](std::u32string_view t, const TOptionen& o) {
       return verschl::VigenereEntschluesseln(t, o.VigenereSchluessel, o.SonderzeichenIgnorieren);
     },
     SchluesselVorhanden},
}};

struct TFilter {
  bool TOptionen::*schalter;
  verschl::TText (*anwenden)(std::u32string_view);
};

// Transcription comes first so that ß reaches the case filters as "ss"; upper case after lower
// case so that a record with both switched on ends in capitals.
constexpr std::array<TFilter, 4> kFilter{{
    {&TOptionen::UmlauteErsetzen, verschl::ErsetzeUmlaute},
    {&TOptionen::Kleinschrift, verschl::InKleinschrift},
    {&TOptionen::Grossschrift, verschl::InGrossschrift},
    {&TOptionen::LeerzeichenLoeschen, verschl::EntferneLeerzeichen},
}};

}  // namespace

std::span<const TMethode> Methodentabelle() { return kMethoden; }

const TMethode* MethodeSuchen(std::int32_t code) {
  for (const TMethode& methode : kMethoden) {
    if (methode.code == code) {
      return &methode;
    }
  }
  return nullptr;
}

ZwischenablageBefehle::ZwischenablageBefehle(TOptionen& optionen, std::function<void()> optionenLesen,
                                             ClipboardReader& ablage, TEigentum& eigentum, MessageSink& meldungen,
                                             TWartefrist frist, std::function<void(const verschl::TUtf16&)> uebergeben)
    : optionen_(optionen),
      optionenLesen_(std::move(optionenLesen)),
      ablage_(ablage),
      eigentum_(eigentum),
      meldungen_(meldungen),
      frist_(std::move(frist)),
      uebergeben_(std::move(uebergeben)) {}

// A ciphertext is meant to be pasted and shared; the user may well want it in the clipboard history.
bool ZwischenablageBefehle::Verschluesseln() { return Ausfuehren(true, &TMethode::vorwaerts, CopyScope::Shared); }

// The filters are one-way (case, transcription, spaces cannot be restored), so decryption
// runs none of them whatever the options say. Its result is a plain text that was never on this
// computer's clipboard before, so this program must not be the one that hands it to the clipboard
// history, the cloud clipboard and every clipboard recorder.
bool ZwischenablageBefehle::Entschluesseln() {
  return Ausfuehren(false, &TMethode::rueckwaerts, CopyScope::Private);
}

// A result that replaces a selection is no one's to keep, whichever way it went.
bool ZwischenablageBefehle::AuswahlVerschluesseln() {
  return Ausfuehren(true, &TMethode::vorwaerts, CopyScope::Handover);
}

bool ZwischenablageBefehle::AuswahlEntschluesseln() {
  return Ausfuehren(false, &TMethode::rueckwaerts, CopyScope::Handover);
}

// The text is held as code points from the clipboard's reading to its writing, each step's result
// replacing the one before; every one of them wipes its memory when it goes.
bool ZwischenablageBefehle::Ausfuehren(bool verschluesseln, Richtung richtung, CopyScope kopie) {
  // A failed refresh must leave the clipboard alone, so it runs before it is touched and its
  // exception is left to the caller's error box. Without a refresh the record is used as it stands,
  // which is how the commands behave before the registry part exists.
  if (optionenLesen_) {
    optionenLesen_();
  }
  std::optional<verschl::TText> text = Einfuegen();
  if (!text) return false;
  const bool eingabeLeer = text->empty();

  if (verschluesseln) {
    for (const TFilter& filter : kFilter) {
      if (optionen_.*filter.schalter) *text = filter.anwenden(verschl::Ansicht(*text));
    }
  }
  const TMethode* methode = MethodeSuchen(optionen_.Methode);
  if (methode != nullptr && methode->gilt(optionen_)) *text = (methode->*richtung)(verschl::Ansicht(*text), optionen_);
  // Every reader of the clipboard's text stops at its first U+0000 (the byte shift makes one of the
  // euro sign), and the command would hand on a truncated text as if all went well.
  if (std::find(text->begin(), text->end(), U'\0') != text->end()) {
    Fehler(texte::kNullzeichen);
    return false;
  }
  // Two lone surrogates that a step put side by side would come back from the clipboard as one
  // character, and a ciphertext changed so could never be decrypted.
  if (std::adjacent_find(text->begin(), text->end(), [](char32_t a, char32_t b) {
        return IstHochSurrogat(a) && IstTiefSurrogat(b);
      }) != text->end()) {
    Fehler(texte::kErgebnisVeraendert);
    return false;
  }
  // Pasted over a selection, an empty text would delete it; on the clipboard it would look like a
  // result. Only an empty clipboard gives an empty text, and nothing to copy.
  if (text->empty() && !eingabeLeer) {
    Fehler(texte::kErgebnisLeer);
    return false;
  }
  return Kopieren(*text, kopie, !verschluesseln);
}

// The clipboard's text as code points, or nothing after the box that says why.
std::optional<verschl::TText> ZwischenablageBefehle::Einfuegen() {
  const auto beginn = frist_.jetzt();
  if (!Versuchen(frist_, beginn, [this] { return ablage_.Open(); })) {
    Fehler(texte::kZwischenablageBelegt);
    return std::nullopt;
  }
  const Geoeffnet geoeffnet(ablage_);
  const std::optional<std::size_t> laenge = ablage_.Length();
  if (laenge && *laenge > kHoechsteZeichenzahl) {
    Fehler(Einsetzen(texte::kTextZuLang, {MitTausenderpunkten(*laenge)}));
    return std::nullopt;
  }
  const std::optional<verschl::TUtf16> unicode = laenge ? ablage_.UnicodeText() : std::nullopt;
  if (!unicode) return verschl::TText();
  return verschl::AusUtf16(verschl::Ansicht(*unicode));
}

bool ZwischenablageBefehle::Kopieren(const verschl::TText& text, CopyScope kopie, bool entschluesselt) {
  // An empty clipboard gives an empty text: there is nothing to put there, and what is there stays.
  if (text.empty()) return true;
  const verschl::TUtf16 utf16 = verschl::InUtf16(verschl::Ansicht(text));
  if (kopie == CopyScope::Handover) return Uebergeben(utf16, entschluesselt);
  bool kopiert = false;
  if (Versuchen(frist_, frist_.jetzt(), [this] { return ablage_.Open(); })) {
    const Geoeffnet geoeffnet(ablage_);
    ablage_.Empty();
    kopiert = ablage_.Schreiben(verschl::Ansicht(utf16), kopie != CopyScope::Shared);
    // A decrypted text goes on the clipboard with its marks or not at all.
    if (!kopiert) ablage_.Empty();
  }
  if (!kopiert) {
    Fehler(texte::kNichtKopiert);
    return false;
  }
  // A watcher that holds the clipboard for longer than the wait leaves the copy unrecorded: it is on
  // the clipboard, but no timed clear takes a text off that the program cannot know for its own.
  eigentum_.Eintragen(TZweck::Ergebnis, entschluesselt);
  return true;
}

// The result has passed every check; only the copy is the program's own. It replaces the copy of
// the selection only while the clipboard still holds that: a copy of the user's made since stays,
// and the command ends in its box.
bool ZwischenablageBefehle::Uebergeben(const verschl::TUtf16& text, bool entschluesselt) {
  TEigentum::TErgebnis ergebnis = TEigentum::TErgebnis::Belegt;
  Versuchen(frist_, frist_.jetzt(), [&] {
    ergebnis = eigentum_.Ersetzen(TZweck::Uebergabe, entschluesselt, [&] {
      if (uebergeben_) uebergeben_(text);
    });
    return ergebnis != TEigentum::TErgebnis::Belegt;
  });
  if (ergebnis == TEigentum::TErgebnis::Erledigt) return true;
  Fehler(texte::kNichtKopiert);
  return false;
}

void ZwischenablageBefehle::Fehler(std::string_view text) { meldungen_.ShowMessage(text, texte::kFehler, kIconError); }
