#include "Main/Auswahl.h"

#include "Main/Texte.h"

namespace {

using std::chrono::milliseconds;

// A user lets go of a combination within moments; two seconds means a stuck key or a finger resting.
constexpr milliseconds kLoslassen{2000};
constexpr milliseconds kTastenTakt{10};
// A program answers Strg+C at once or not at all: an elevated one drops input from here silently.
constexpr milliseconds kKopie{1000};
// The paste reads the result when it handles Strg+V; a window that never does gets its clipboard back.
constexpr milliseconds kEinfuegen{2000};
constexpr milliseconds kAblageTakt{50};
constexpr milliseconds kUmschauen{200};

}  // namespace

TAuswahlEnde AuswahlErsetzen(TAuswahlUmgebung& umgebung, MessageSink& meldungen, const std::function<bool()>& befehl) {
  const auto fehler = [&](std::string_view text, TAuswahlEnde ende) {
    meldungen.ShowMessage(text, texte::kFehler, kIconError);
    return ende;
  };
  // Strg+C sent while the user still holds Alt or Umschalt would arrive as another combination.
  if (!umgebung.Warten(kLoslassen, kTastenTakt, [&] { return !umgebung.TastenGedrueckt(); })) {
    return fehler(texte::kTastenGehalten, TAuswahlEnde::TastenGehalten);
  }
  const std::uintptr_t fenster = umgebung.Vordergrund();
  if (!umgebung.Sichern()) return fehler(texte::kZwischenablageBelegt, TAuswahlEnde::AblageBelegt);
  const std::uint32_t vorher = umgebung.Sequenznummer();
  const bool kopiert = umgebung.StrgUnd('C') &&
                       umgebung.Warten(kKopie, kAblageTakt, [&] { return umgebung.Sequenznummer() != vorher; });
  if (!kopiert) return fehler(texte::kNichtsMarkiert, TAuswahlEnde::KeineKopie);
  // A copy of a picture or of files changed the clipboard too, but brought no text to work on.
  if (!umgebung.TextDa()) {
    umgebung.Zurueckgeben();
    return fehler(texte::kNichtsMarkiert, TAuswahlEnde::KeineKopie);
  }
  bool geliefert = false;
  try {
    geliefert = befehl();
  } catch (...) {
    // A settings value of the wrong type ends the command in the error box; the copy of the
    // selection must not take the place of what the clipboard held.
    umgebung.Zurueckgeben();
    throw;
  }
  if (!geliefert) {
    umgebung.Zurueckgeben();
    return TAuswahlEnde::BefehlAbgelehnt;
  }
  // Strg+V into another window would put the text where the user never selected anything.
  if (umgebung.Vordergrund() != fenster) {
    umgebung.Zurueckgeben();
    return fehler(texte::kFensterGewechselt, TAuswahlEnde::FensterGewechselt);
  }
  // A clipboard watcher that ignores the marks reads every update the moment it comes; its reads are
  // over before the paste is sent, so that only the paste's read counts.
  umgebung.Warten(kUmschauen, kUmschauen, [] { return false; });
  const int gelesen = umgebung.Gelesen();
  if (umgebung.StrgUnd('V')) {
    umgebung.Warten(kEinfuegen, kAblageTakt, [&] { return umgebung.Gelesen() > gelesen; });
  }
  umgebung.Zurueckgeben();
  return TAuswahlEnde::Ersetzt;
}
