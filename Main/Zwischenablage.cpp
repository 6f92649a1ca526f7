#include "Zwischenablage.h"

#include <array>
#include <utility>

#include "Texte.h"
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

using Richtung = std::string (*TMethode::*)(std::string_view, const TOptionen&);

// Hands one step's result to the buffer. The control would silently cut a text at its first
// byte 0 and the command would then copy a truncated text as if all went well; refusing the
// whole command keeps the user's clipboard intact instead. Returns false when the command ends.
bool Uebernehmen(TextBuffer& puffer, MessageSink& meldungen, std::string_view bisher,
                 const std::string& ergebnis) {
  if (ergebnis.find('\0') != std::string::npos) {
    meldungen.ShowMessage(texte::kNullzeichen, texte::kFehler, kIconError);
    return false;
  }
  // Resending an unchanged text would only make the control rebuild its contents.
  if (ergebnis != bisher) {
    puffer.SetText(ergebnis);
  }
  return true;
}

// Every step reads the buffer anew rather than carrying the previous result along, so what goes
// to the clipboard is exactly what the control holds.
void Ausfuehren(const TOptionen& optionen, const std::function<void()>& optionenLesen, TextBuffer& puffer,
                MessageSink& meldungen, bool vorbereiten, Richtung richtung) {
  // A failed refresh must leave buffer and clipboard alone, so it runs before either is touched
  // and its exception is left to the caller's error box. Without a refresh the record is used as
  // it stands, which is how the commands behave before the registry part exists.
  if (optionenLesen) {
    optionenLesen();
  }
  puffer.Clear();
  puffer.Paste();

  if (vorbereiten) {
    for (const TFilter& filter : kFilter) {
      if (!(optionen.*filter.schalter)) {
        continue;
      }
      const std::string text = puffer.GetText();
      if (!Uebernehmen(puffer, meldungen, text, filter.anwenden(text))) {
        return;
      }
    }
  }

  const TMethode* methode = MethodeSuchen(optionen.Methode);
  if (methode != nullptr && methode->gilt(optionen)) {
    const std::string text = puffer.GetText();
    if (!Uebernehmen(puffer, meldungen, text, (methode->*richtung)(text, optionen))) {
      return;
    }
  }

  puffer.SelectAll();
  puffer.Copy();
}

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
                                             TextBuffer& puffer, MessageSink& meldungen)
    : optionen_(optionen), optionenLesen_(std::move(optionenLesen)), puffer_(puffer), meldungen_(meldungen) {}

void ZwischenablageBefehle::Verschluesseln() {
  Ausfuehren(optionen_, optionenLesen_, puffer_, meldungen_, true, &TMethode::vorwaerts);
}

// The filters are one-way (case, transcription, spaces cannot be restored), so decryption
// runs none of them whatever the options say.
void ZwischenablageBefehle::Entschluesseln() {
  Ausfuehren(optionen_, optionenLesen_, puffer_, meldungen_, false, &TMethode::rueckwaerts);
}
