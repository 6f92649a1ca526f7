#include "Zwischenablage.h"

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
     [](std::string_view t, const TOptionen& o) {
       return verschl::TranspositionVerschluesseln(t, o.MatrixQuadratisch, o.Spaltenzahl);
     },
     [](std::string_view t, const TOptionen& o) {
       return verschl::TranspositionEntschluesseln(t, o.MatrixQuadratisch, o.Spaltenzahl);
     },
     Immer},
    {1, [](std::string_view t, const TOptionen& o) { return verschl::CaesarVerschieben(t, o.CaesarVerschiebung); },
     [](std::string_view t, const TOptionen& o) { return verschl::CaesarVerschieben(t, -o.CaesarVerschiebung); },
     Immer},
    {2, [](std::string_view t, const TOptionen&) { return verschl::Rot13(t); },
     [](std::string_view t, const TOptionen&) { return verschl::Rot13(t); }, Immer},
    {3, [](std::string_view t, const TOptionen&) { return verschl::Verschiebe128(t); },
     [](std::string_view t, const TOptionen&) { return verschl::Verschiebe128(t); }, Immer},
    {4,
     [](std::string_view t, const TOptionen& o) {
       return verschl::VigenereVerschluesseln(t, o.VigenereSchluessel, o.SonderzeichenIgnorieren);
     },
     [](std::string_view t, const TOptionen& o) {
       return verschl::VigenereEntschluesseln(t, o.VigenereSchluessel, o.SonderzeichenIgnorieren);
     },
     SchluesselVorhanden},
}};

struct TFilter {
  bool TOptionen::*schalter;
  std::string (*anwenden)(std::string_view);
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
                                             TextBuffer& puffer, ClipboardReader& ablage, TEigentum& eigentum,
                                             MessageSink& meldungen, TWartefrist frist,
                                             std::function<void(const std::string&)> uebergeben)
    : optionen_(optionen),
      optionenLesen_(std::move(optionenLesen)),
      puffer_(puffer),
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

// Every step works on the text as the buffer gives it back rather than on the previous result held
// aside, so what goes to the clipboard is exactly what the control holds.
bool ZwischenablageBefehle::Ausfuehren(bool verschluesseln, Richtung richtung, CopyScope kopie) {
  // A failed refresh must leave buffer and clipboard alone, so it runs before either is touched
  // and its exception is left to the caller's error box. Without a refresh the record is used as
  // it stands, which is how the commands behave before the registry part exists.
  if (optionenLesen_) {
    optionenLesen_();
  }
  // Any window may read a control's text and bring back its undo: nothing of the clipboard's text
  // or of the result stays in the buffer once the command is over, however it ends.
  // A control that cannot be made anew fails the next command's own emptying, in its error box; a
  // destructor that threw would end the program.
  struct Leeren {
    TextBuffer& puffer;
    ~Leeren() {
      try {
        puffer.Clear();
      } catch (...) {
      }
    }
  } const leeren{puffer_};
  std::optional<std::string> text = Einfuegen();
  if (!text) return false;
  const bool eingabeLeer = text->empty();

  if (verschluesseln) {
    for (const TFilter& filter : kFilter) {
      if ((optionen_.*filter.schalter) && !Uebernehmen(*text, filter.anwenden(*text))) return false;
    }
  }
  const TMethode* methode = MethodeSuchen(optionen_.Methode);
  if (methode != nullptr && methode->gilt(optionen_) && !Uebernehmen(*text, (methode->*richtung)(*text, optionen_))) {
    return false;
  }
  // Pasted over a selection, an empty text would delete it; on the clipboard it would look like a
  // result. Only an empty clipboard gives an empty text as it always has.
  if (text->empty() && !eingabeLeer) {
    Fehler(texte::kErgebnisLeer);
    return false;
  }
  return Kopieren(*text, kopie, !verschluesseln);
}

std::optional<ZwischenablageBefehle::TGelesen> ZwischenablageBefehle::Lesen(
    std::chrono::milliseconds beginn, bool pruefen, const std::function<void(const TGelesen&)>& offen) {
  if (!Versuchen(frist_, beginn, [this] { return ablage_.Open(); })) return std::nullopt;
  const Geoeffnet geoeffnet(ablage_);
  TGelesen gelesen;
  const std::optional<std::size_t> laenge = ablage_.Length();
  if (!laenge) return gelesen;
  if (pruefen && *laenge > kHoechsteZeichenzahl) {
    gelesen.meldung = Einsetzen(texte::kTextZuLang, {MitTausenderpunkten(*laenge)});
    return gelesen;
  }
  const std::u16string unicode = ablage_.UnicodeText().value_or(u"");
  TAnsiText ansi = ablage_.InAnsi(unicode);
  if (ansi.fremd) {
    const TZeichenStelle zeichen = ZeichenAn(unicode, *ansi.fremd);
    gelesen.meldung = Einsetzen(texte::kNichtInCodepage, {MitTausenderpunkten(zeichen.stelle), CodeHex(zeichen.code),
                                                          std::to_string(ablage_.Codepage())});
    return gelesen;
  }
  gelesen.text = std::move(ansi.text);
  gelesen.markiert = ablage_.Markiert();
  if (offen) offen(gelesen);
  return gelesen;
}

// The clipboard is read before the paste, because the control's paste says nothing: it takes any
// replacement character silently, cuts what exceeds its capacity, and brings nothing while another
// program holds the clipboard.
std::optional<std::string> ZwischenablageBefehle::Einfuegen() {
  const auto beginn = frist_.jetzt();
  std::string meldung(texte::kZwischenablageBelegt);
  std::optional<std::string> eingefuegt;
  Versuchen(frist_, beginn, [&] {
    const std::optional<TGelesen> gelesen = Lesen(beginn, true);
    if (!gelesen) {
      meldung = texte::kZwischenablageBelegt;
      return true;
    }
    if (!gelesen->meldung.empty()) {
      meldung = gelesen->meldung;
      return true;
    }
    const std::string vorher = gelesen->text.value_or(std::string());
    puffer_.Clear();
    puffer_.Paste();
    std::string text = puffer_.GetText();
    // Between the reading and the paste another program may have taken or changed the clipboard.
    // The control may bring a lone CR or LF back as CR LF, which changes nothing for the user.
    if (!GleichBisAufZeilenumbrueche(text, vorher)) {
      // The paste opens the clipboard itself and brings nothing when another program holds it
      // then; a paste that brought something else is a text that the buffer would not keep as
      // it is, and the user must not be sent to try again in vain.
      meldung = text.empty() && !vorher.empty() ? texte::kZwischenablageBelegt : texte::kNichtUebernommen;
      return false;
    }
    eingefuegt = std::move(text);
    return true;
  });
  if (!eingefuegt) Fehler(meldung);
  return eingefuegt;
}

// Hands one step's result to the buffer, and `text` becomes what the buffer gives back. Returns
// false, after its box, when the command has to end.
bool ZwischenablageBefehle::Uebernehmen(std::string& text, const std::string& ergebnis) {
  // The control would silently cut a text at its first byte 0, and the command would then copy a
  // truncated text as if all went well.
  if (ergebnis.find('\0') != std::string::npos) {
    Fehler(texte::kNullzeichen);
    return false;
  }
  // Resending an unchanged text would only make the control rebuild its contents.
  if (ergebnis == text) return true;
  puffer_.SetText(ergebnis);
  text = puffer_.GetText();
  // Some versions of the control turn a lone CR or LF, which a transposition makes, into CR LF; a
  // ciphertext changed so could never be decrypted.
  if (text != ergebnis) {
    Fehler(texte::kErgebnisVeraendert);
    return false;
  }
  return true;
}

bool ZwischenablageBefehle::Kopieren(const std::string& text, CopyScope kopie, bool entschluesselt) {
  const auto beginn = frist_.jetzt();
  if (kopie == CopyScope::Handover) return Uebergeben(text, entschluesselt);
  const bool privat = kopie != CopyScope::Shared;
  bool ohneMarke = false;
  const bool angekommen = Versuchen(frist_, beginn, [&] {
    puffer_.SelectAll();
    puffer_.Copy(kopie);
    // What the platform makes of the copy of an empty selection is its own affair.
    if (text.empty()) return true;
    bool da = false;
    Lesen(beginn, false, [&](const TGelesen& gelesen) {
      // The same text unmarked from before, the user's or an earlier result of ours, is no copy of
      // this command's; only a copy of ours makes the clipboard ours anew, and every such copy is
      // recorded, the one that arrived changed too.
      const bool neu = ablage_.VonUns() && !eigentum_.Unberuehrt();
      if (neu) eigentum_.Eingetragen(TZweck::Ergebnis, entschluesselt);
      if (gelesen.text != text) return;
      // A control that could not make the marked copy puts its own there, unmarked, and says nothing.
      ohneMarke = privat && !gelesen.markiert && neu;
      da = !ohneMarke;
    });
    return da;
  });
  if (angekommen) return true;
  // A decrypted text goes on the clipboard with its marks or not at all; if it cannot be taken off
  // again, the user must know that it is there.
  const bool bleibt = ohneMarke && eigentum_.Leeren() != TEigentum::TErgebnis::Erledigt;
  Fehler(bleibt ? texte::kOhneMarkeDa : texte::kNichtKopiert);
  return false;
}

// What the buffer holds has passed every check; only the copy is the program's own. It replaces the
// copy of the selection only while the clipboard still holds that: a copy of the user's made since
// stays, and the command ends in its box.
bool ZwischenablageBefehle::Uebergeben(const std::string& text, bool entschluesselt) {
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
