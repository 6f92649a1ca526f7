#include "Main/Auswahl.h"

#include <algorithm>
#include <array>

#include "Main/Texte.h"

namespace {

using std::chrono::milliseconds;

// A user lets go of a combination within moments; two seconds means a stuck key or a finger resting.
constexpr milliseconds kLoslassen{2000};
constexpr milliseconds kTastenTakt{10};
// A program answers Strg+C at once or not at all: an elevated one drops input from here silently.
constexpr milliseconds kKopie{1000};
// The paste asks for the result when it handles Strg+V; busy programs take a few hundred
// milliseconds, and a window that has not asked in five seconds takes no paste.
constexpr milliseconds kEinfuegen{5000};
constexpr milliseconds kAblageTakt{20};
// Clipboard managers hold the clipboard for moments; the snapshot is taken within the copy's time.
constexpr milliseconds kOeffnen{1000};
// A paste or a clipboard tool that holds the clipboard longer than this holds it for good.
constexpr milliseconds kZurueckgeben{10000};

// The consoles' and the common terminals' main windows, where Strg+C interrupts the running program
// and Strg+V may type into a shell: the console host, Windows Terminal, Wine's console, mintty (Git
// Bash, Cygwin, MSYS2), PuTTY and KiTTY, ConEmu and Cmder, Tera Term, WezTerm, Alacritty.
constexpr std::array<std::string_view, 10> kTerminals = {
    "ConsoleWindowClass", "CASCADIA_HOSTING_WINDOW_CLASS", "WineConsoleClass", "mintty", "PuTTY", "KiTTY",
    "VirtualConsoleClass", "VTWin32", "org.wezfurlong.wezterm", "Alacritty"};

}  // namespace

bool IstTerminal(std::string_view fensterklasse) {
  return std::find(kTerminals.begin(), kTerminals.end(), fensterklasse) != kTerminals.end();
}

std::vector<TTaste> StrgFolge(char taste) {
  constexpr std::uint16_t kStrg = 0x11;  // VK_CONTROL
  const auto t = static_cast<std::uint16_t>(static_cast<unsigned char>(taste));
  return {{kStrg, false}, {t, false}, {t, true}, {kStrg, true}};
}

std::vector<TTaste> NochLoslassen(const std::vector<TTaste>& folge, std::size_t eingefuegt) {
  std::vector<TTaste> unten;
  for (std::size_t i = 0; i < std::min(eingefuegt, folge.size()); ++i) {
    if (!folge[i].los) {
      unten.push_back({folge[i].taste, true});
    } else {
      std::erase(unten, TTaste{folge[i].taste, true});
    }
  }
  std::reverse(unten.begin(), unten.end());
  return unten;
}

TAuswahlBefehl::TAuswahlBefehl(TAuswahlUmgebung& umgebung, ClipboardReader& ablage, TEigentum& eigentum,
                               MessageSink& meldungen)
    : umgebung_(umgebung), ablage_(ablage), eigentum_(eigentum), meldungen_(meldungen) {}

TAuswahlEnde TAuswahlBefehl::Fehler(std::string_view text, TAuswahlEnde ende) {
  meldungen_.ShowMessage(text, texte::kFehler, kIconError);
  return ende;
}

// The copy is there once the clipboard has changed and its text can be read: the copier's
// EmptyClipboard moves the clipboard on before its text is there, and it holds the clipboard open
// until it is. The copy, text or not, is then the command's to give back.
TAuswahlBefehl::TKopie TAuswahlBefehl::Kopieren() {
  if (!umgebung_.StrgUnd('C')) return TKopie::Nichts;
  const bool text = umgebung_.Warten(kKopie, kAblageTakt, [&] {
    if (eigentum_.Haelt() || !ablage_.Open()) return false;
    const Geoeffnet geoeffnet(ablage_);
    if (!ablage_.UnicodeText()) return false;
    eigentum_.Anvertraut(false);
    return true;
  });
  if (text) return TKopie::Text;
  if (eigentum_.Haelt()) return TKopie::Nichts;
  // Something came that is no text (a picture, files), or the copier still holds the clipboard.
  umgebung_.Warten(kOeffnen, kAblageTakt, [&] {
    if (!ablage_.Open()) return false;
    const Geoeffnet geoeffnet(ablage_);
    eigentum_.Anvertraut(false);
    return true;
  });
  return TKopie::KeinText;
}

bool TAuswahlBefehl::Zurueckgeben(milliseconds frist) {
  if (!gesichert_) return true;
  TEigentum::TErgebnis ergebnis = TEigentum::TErgebnis::Belegt;
  umgebung_.Warten(frist, kAblageTakt, [&] {
    ergebnis = eigentum_.Ersetzen(TZweck::Rueckgabe, warEntschluesselt_, [this] { umgebung_.Einsetzen(); });
    return ergebnis != TEigentum::TErgebnis::Belegt;
  });
  if (ergebnis == TEigentum::TErgebnis::Belegt) return false;
  // Whatever somebody else put there meanwhile is theirs, and stays.
  gesichert_ = false;
  umgebung_.Vergessen();
  return true;
}

void TAuswahlBefehl::Notfall() {
  if (laeuft_) Zurueckgeben(milliseconds(0));
}

TAuswahlEnde TAuswahlBefehl::Ersetzen(const std::function<bool()>& befehl) {
  struct Lauf {
    TAuswahlBefehl& b;
    explicit Lauf(TAuswahlBefehl& befehl) : b(befehl) { b.laeuft_ = true; }
    ~Lauf() {
      b.laeuft_ = false;
      b.gesichert_ = false;
      b.umgebung_.Vergessen();
    }
    Lauf(const Lauf&) = delete;
    Lauf& operator=(const Lauf&) = delete;
  } const lauf(*this);
  uebergabe_.Angeboten();
  // Gives back; the box that says why the command ended comes after it, unless the give-back's own
  // box took its place.
  const auto zurueck = [this](TAuswahlEnde ende, std::string_view warum = {}) {
    if (!Zurueckgeben(kZurueckgeben)) return Fehler(texte::kNichtZurueckgegeben, TAuswahlEnde::NichtZurueck);
    return warum.empty() ? ende : Fehler(warum, ende);
  };

  // Strg+C sent while the user still holds Alt or Umschalt would arrive as another combination.
  if (!umgebung_.Warten(kLoslassen, kTastenTakt, [&] { return !umgebung_.TastenGedrueckt(); })) {
    return Fehler(texte::kTastenGehalten, TAuswahlEnde::TastenGehalten);
  }
  const std::uintptr_t fenster = umgebung_.Vordergrund();
  if (IstTerminal(umgebung_.Fensterklasse(fenster))) return Fehler(texte::kTerminal, TAuswahlEnde::Terminal);

  bool passt = true;
  const bool offen = umgebung_.Warten(kOeffnen, kAblageTakt, [&] {
    if (!ablage_.Open()) return false;
    const Geoeffnet geoeffnet(ablage_);
    // A decrypted text of ours that comes back with the give-back stays under its timed clear.
    warEntschluesselt_ = eigentum_.Haelt() && eigentum_.Entschluesselt();
    passt = umgebung_.Sichern();
    if (passt) eigentum_.Anvertraut(warEntschluesselt_);
    return true;
  });
  if (!offen) return Fehler(texte::kZwischenablageBelegt, TAuswahlEnde::AblageBelegt);
  if (!passt) return Fehler(texte::kZuVielInAblage, TAuswahlEnde::ZuViel);
  gesichert_ = true;

  if (const TKopie kopie = Kopieren(); kopie != TKopie::Text) {
    // Nothing came at all: the clipboard is as it was, and there is nothing to give back.
    if (kopie == TKopie::Nichts) gesichert_ = false;
    return zurueck(TAuswahlEnde::KeineKopie, texte::kNichtsMarkiert);
  }
  bool geliefert = false;
  try {
    geliefert = befehl();
  } catch (...) {
    // A settings value of the wrong type ends the command in the error box; the copy of the
    // selection must not take the place of what the clipboard held.
    Zurueckgeben(kZurueckgeben);
    throw;
  }
  if (!geliefert) return zurueck(TAuswahlEnde::BefehlAbgelehnt);
  // Strg+V into another window would put the text where the user never selected anything; the tray
  // menu cannot take the front meanwhile, but any other program can.
  if (umgebung_.Vordergrund() != fenster) return zurueck(TAuswahlEnde::FensterGewechselt, texte::kFensterGewechselt);
  // The clipboard's watchers read the handover's update at once (Wine's X11 bridge among them); a
  // paste that finds one of them holding the clipboard open gets nothing and says nothing.
  umgebung_.Warten(kOeffnen, kAblageTakt, [&] { return umgebung_.LeserProzess() == 0; });
  uebergabe_.Gesendet(umgebung_.Prozess(fenster));
  if (umgebung_.StrgUnd('V')) {
    umgebung_.Warten(kEinfuegen, kAblageTakt, [&] { return uebergabe_.Fertig(umgebung_.Jetzt()); });
  }
  // A read-only page or document copies, but takes no paste.
  if (uebergabe_.Beantwortet() == 0) return zurueck(TAuswahlEnde::KeinEinfuegen, texte::kKeinEinfuegen);
  return zurueck(TAuswahlEnde::Ersetzt);
}

void TAuswahlBefehl::Anfrage(unsigned format) {
  if (laeuft_ && uebergabe_.Anfrage(umgebung_.LeserProzess(), umgebung_.Jetzt())) umgebung_.Rendern(format);
}
