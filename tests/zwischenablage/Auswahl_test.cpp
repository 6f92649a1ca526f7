#include "Main/Auswahl.h"

#include <gtest/gtest.h>

#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "Main/AblageLeeren.h"
#include "Main/Zwischenablage.h"
#include "fakes/FakeClipboard.h"
#include "fakes/RecordingMessageSink.h"

namespace {

using std::chrono::milliseconds;

// A desktop on a clock of its own: one window whose selection is "Hallo", a clipboard that another
// program filled with "vorher", the real clipboard commands (Caesar by 2) on that clipboard, and
// other programs that act at given moments. Every step of the command lands in `log`.
struct Desktop final : TAuswahlUmgebung {
  FakeClipboard ablage;
  milliseconds jetzt{0};
  std::vector<std::pair<milliseconds, std::function<void()>>> plan;  // what others do, and when
  std::function<void()> sekunde = [] {};                              // the tray program's clock
  int gehaltenFuer = 3;                          // so many looks at the keys find them down
  std::optional<std::string> auswahl = "Hallo";  // what Strg+C copies; "" a picture; nothing: no copy
  milliseconds kopierdauer{0};                   // how long the copier holds the emptied clipboard
  milliseconds einfuegedauer{30};                // when the paste reads after Strg+V; 0: never
  milliseconds haeltNachEinfuegen{0};            // how long the paste holds the clipboard after it
  std::string klasse = "Edit";
  bool zuViel = false;
  bool wechseltFenster = false;
  std::optional<std::u16string> gesichert;
  std::u16string angeboten;  // the result offered for the paste, made when asked for
  std::uint32_t leser = 0;  // the process that reads the clipboard now
  std::string eingefuegt;
  std::vector<std::string> log;

  TWartefrist frist{[this] { return jetzt; }, [this](milliseconds d) { Vergehen(d); }};
  TEigentum eigentum{ablage, frist};
  TOptionen optionen;
  struct : RecordingMessageSink {
    std::function<void()> offen = [] {};  // what the user does while a box is open
    void ShowMessage(std::string_view text, std::string_view caption, std::uint32_t icon) override {
      RecordingMessageSink::ShowMessage(text, caption, icon);
      offen();
    }
  } meldungen;
  ZwischenablageBefehle befehle{optionen, {}, ablage, eigentum, meldungen, frist,
                                [this](const verschl::TUtf16& text) { angeboten.assign(text.begin(), text.end()); }};
  TAuswahlBefehl befehl{*this, ablage, eigentum, meldungen};

  Desktop() { ablage.SetBytes("vorher"); }

  void Spaeter(milliseconds dann, std::function<void()> was) { plan.emplace_back(jetzt + dann, std::move(was)); }
  void Vergehen(milliseconds dauer) {
    for (const milliseconds ende = jetzt + dauer; jetzt < ende;) {
      jetzt += milliseconds(1);
      if (jetzt.count() % 1000 == 0) sekunde();
      for (std::size_t i = 0; i < plan.size();) {
        if (plan[i].first > jetzt) {
          ++i;
          continue;
        }
        const auto was = std::move(plan[i].second);
        plan.erase(plan.begin() + static_cast<std::ptrdiff_t>(i));
        was();
      }
    }
  }
  // Another program holds the clipboard for the time.
  void Haelt(milliseconds dauer) {
    ablage.busyFor = 1 << 30;
    Spaeter(dauer, [this] { ablage.busyFor = 0; });
  }

  bool TastenGedrueckt() override { return gehaltenFuer-- > 0; }
  std::uintptr_t Vordergrund() override { return wechseltFenster && log.size() > 1 ? 2 : 1; }
  std::string Fensterklasse(std::uintptr_t) override { return klasse; }
  bool Sichern() override {
    FakeClipboard::Require(ablage.IsOpen(), "the snapshot is taken from a closed clipboard");
    log.emplace_back("sichern");
    gesichert = ablage.text;
    return !zuViel;
  }
  void Einsetzen() override {
    FakeClipboard::Require(ablage.IsOpen() && !ablage.text, "the give-back writes into a clipboard not emptied");
    log.emplace_back("zurueck");
    ablage.text = gesichert;
  }
  void Vergessen() override {
    gesichert.reset();
    angeboten.clear();
  }
  bool StrgUnd(char taste) override {
    log.push_back(std::string("strg+") + taste);
    if (taste == 'C' && auswahl) {
      // The copier empties the clipboard first and holds it until its text is there.
      ablage.text.reset();
      ++ablage.sequence;
      ablage.fromUs = false;
      Haelt(kopierdauer);
      Spaeter(kopierdauer, [this] {
        if (!auswahl->empty()) ablage.SetBytes(*auswahl);
      });
    }
    if (taste == 'V' && einfuegedauer.count() > 0) Spaeter(einfuegedauer, [this] { Lesen(7, &eingefuegt); });
    return true;
  }
  // A program of the process reads the clipboard's text, asking for the result while it is offered.
  void Lesen(std::uint32_t prozess, std::string* text) {
    leser = prozess;
    if (!ablage.text && !angeboten.empty()) befehl.Anfrage(13);  // CF_UNICODETEXT
    leser = 0;
    *text = ablage.Bytes();
    if (prozess == 7 && haeltNachEinfuegen.count() > 0) Haelt(haeltNachEinfuegen);
  }
  std::uint32_t Prozess(std::uintptr_t fenster) override { return fenster == 1 ? 7 : 8; }
  std::uint32_t LeserProzess() override { return leser; }
  void Rendern(unsigned) override { ablage.SetUnicode(angeboten, CopyScope::Private, true); }
  milliseconds Jetzt() override { return jetzt; }
  bool Warten(milliseconds dauer, milliseconds takt, const std::function<bool()>& bedingung) override {
    for (milliseconds zeit{0};; zeit += takt) {
      if (bedingung()) return true;
      if (zeit >= dauer) return false;
      Vergehen(takt);
    }
  }

  TAuswahlEnde Ersetzen() {
    return befehl.Ersetzen([this] { return befehle.AuswahlVerschluesseln(); });
  }
};

struct Fall {
  const char* name;
  void (*einstellen)(Desktop&);
  TAuswahlEnde ende;
  std::vector<std::string> log;
  std::string eingefuegt;
  std::optional<std::string> danach;  // the clipboard's text at the end
  const char* box;                    // the first words of the command's last box; nullptr for none
};

TEST(AuswahlErsetzen, CopiesRunsTheCommandPastesAndGivesBackOnlyWhatIsStillItsOwn) {
  const std::vector<std::string> ganz{"sichern", "strg+C", "strg+V", "zurueck"};
  const Fall faelle[] = {
      {"keys let go of", [](Desktop&) {}, TAuswahlEnde::Ersetzt, ganz, "Jcnnq", "vorher", nullptr},
      {"an empty clipboard before", [](Desktop& d) { d.ablage.text.reset(); }, TAuswahlEnde::Ersetzt, ganz, "Jcnnq",
       std::nullopt, nullptr},
      {"the copier empties the clipboard 300 ms before its text is there", [](Desktop& d) { d.kopierdauer = milliseconds(300); },
       TAuswahlEnde::Ersetzt, ganz, "Jcnnq", "vorher", nullptr},
      {"keys held beyond two seconds", [](Desktop& d) { d.gehaltenFuer = 1000; }, TAuswahlEnde::TastenGehalten, {}, "",
       "vorher", "Strg, Umschalt, Alt"},
      {"a console in front", [](Desktop& d) { d.klasse = "ConsoleWindowClass"; }, TAuswahlEnde::Terminal, {}, "",
       "vorher", "Das Fenster im Vordergrund ist eine Konsole"},
      {"more on the clipboard than can be kept", [](Desktop& d) { d.zuViel = true; }, TAuswahlEnde::ZuViel,
       {"sichern"}, "", "vorher", "Die Zwischenablage enth\xE4lt mehr"},
      {"held by another program beyond a second", [](Desktop& d) { d.Haelt(milliseconds(1500)); },
       TAuswahlEnde::AblageBelegt, {}, "", "vorher", "Die Zwischenablage wird gerade"},
      {"no update after Strg+C", [](Desktop& d) { d.auswahl.reset(); }, TAuswahlEnde::KeineKopie, {"sichern", "strg+C"},
       "", "vorher", "Es ist kein Text markiert"},
      {"a copy that brings no text", [](Desktop& d) { d.auswahl = ""; }, TAuswahlEnde::KeineKopie,
       {"sichern", "strg+C", "zurueck"}, "", "vorher", "Es ist kein Text markiert"},
      {"the command refuses in its box", [](Desktop& d) { d.optionen.Methode = 3, d.auswahl = "\x80"; },
       TAuswahlEnde::BefehlAbgelehnt, {"sichern", "strg+C", "zurueck"}, "", "vorher", "Der Text enth\xE4lt das Zeichen"},
      {"the user copies while the command's box is open",
       [](Desktop& d) {
         d.optionen.Methode = 3, d.auswahl = "\x80";
         d.meldungen.offen = [&d] { d.ablage.SetBytes("neu"); };
       },
       TAuswahlEnde::BefehlAbgelehnt, {"sichern", "strg+C"}, "", "neu", "Der Text enth\xE4lt das Zeichen"},
      {"the user copies while the paste is awaited",
       [](Desktop& d) {
         d.einfuegedauer = milliseconds(0);
         d.Spaeter(milliseconds(700), [&d] { d.ablage.SetBytes("neu"); });
       },
       TAuswahlEnde::KeinEinfuegen, {"sichern", "strg+C", "strg+V"}, "", "neu", "Das Fenster hat das Ergebnis nicht"},
      {"the paste holds the clipboard three seconds", [](Desktop& d) { d.haeltNachEinfuegen = milliseconds(3000); },
       TAuswahlEnde::Ersetzt, ganz, "Jcnnq", "vorher", nullptr},
      {"the paste holds the clipboard beyond ten seconds", [](Desktop& d) { d.haeltNachEinfuegen = milliseconds(11000); },
       TAuswahlEnde::NichtZurueck, {"sichern", "strg+C", "strg+V"}, "Jcnnq", "Jcnnq", "Der fr\xFChere Inhalt"},
      {"another window in front", [](Desktop& d) { d.wechseltFenster = true; }, TAuswahlEnde::FensterGewechselt,
       {"sichern", "strg+C", "zurueck"}, "", "vorher", "Das Fenster mit dem markierten Text"},
      {"a paste 400 ms late, a tool reading before it", [](Desktop& d) {
         d.einfuegedauer = milliseconds(400);
         d.Spaeter(milliseconds(100), [&d] {
           std::string gesehen;
           d.Lesen(9, &gesehen);
         });
       }, TAuswahlEnde::Ersetzt, ganz, "Jcnnq", "vorher", nullptr},
      {"a paste later than the limit", [](Desktop& d) { d.einfuegedauer = milliseconds(6000); },
       TAuswahlEnde::KeinEinfuegen, {"sichern", "strg+C", "strg+V", "zurueck"}, "vorher", "vorher",
       "Das Fenster hat das Ergebnis nicht"},
      {"a window that never asks", [](Desktop& d) { d.einfuegedauer = milliseconds(0); }, TAuswahlEnde::KeinEinfuegen,
       {"sichern", "strg+C", "strg+V", "zurueck"}, "", "vorher", "Das Fenster hat das Ergebnis nicht"},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.name);
    Desktop d;
    f.einstellen(d);
    const std::uint32_t sequenzVorher = d.ablage.sequence;
    EXPECT_EQ(d.Ersetzen(), f.ende);
    d.Vergehen(milliseconds(12000));
    EXPECT_EQ(d.log, f.log);
    EXPECT_EQ(d.eingefuegt, f.eingefuegt);
    EXPECT_EQ(d.ablage.text ? std::optional(d.ablage.Bytes()) : std::nullopt, f.danach);
    if (d.log.size() <= 2 && f.danach == "vorher") {
      EXPECT_EQ(d.ablage.sequence, sequenzVorher) << "a command that did nothing leaves the clipboard untouched";
    }
    EXPECT_FALSE(d.ablage.IsOpen());
    EXPECT_EQ(d.meldungen.messages.empty() ? nullptr : f.box, f.box);
    if (f.box && !d.meldungen.messages.empty()) {
      EXPECT_TRUE(d.meldungen.messages.back().text.starts_with(f.box)) << d.meldungen.messages.back().text;
    }
  }
}

TEST(AuswahlErsetzen, ACommandThatThrowsGivesTheClipboardBackBeforeItsErrorBox) {
  Desktop d;
  EXPECT_THROW(d.befehl.Ersetzen([]() -> bool { throw std::runtime_error("Methode"); }), std::runtime_error);
  EXPECT_EQ(d.ablage.Bytes(), "vorher");
  EXPECT_EQ(d.log, (std::vector<std::string>{"sichern", "strg+C", "zurueck"}));
}

// A decrypted text of ours waits to leave the clipboard when an in-place command takes it: it comes
// back with the give-back and stays under its clear, which falls due during the command (the paste
// holds the clipboard) and happens at its end.
TEST(AuswahlErsetzen, APendingClearKeepsItsDecryptedTextAcrossTheCommandAndClearsItAfter) {
  for (const int sekunden : {1, 30}) {
    SCOPED_TRACE(sekunden);
    Desktop d;
    d.ablage.SetBytes("Geheim", CopyScope::Private, true);
    d.eigentum.Eintragen(TZweck::Ergebnis, true);
    TAblageLeeren leeren(d.eigentum, [](bool) {}, [](const std::string&) {});
    d.sekunde = [&] { leeren.Sekunde(); };
    leeren.NachEntschluesseln(sekunden);
    d.haeltNachEinfuegen = milliseconds(2500);
    leeren.Aufschieben();
    EXPECT_EQ(d.Ersetzen(), TAuswahlEnde::Ersetzt);
    EXPECT_EQ(d.log.back(), "zurueck");
    leeren.Fortsetzen();
    EXPECT_EQ(d.ablage.text.has_value(), sekunden == 30) << "a clear that fell due meanwhile happens now";
    d.Vergehen(milliseconds(sekunden * 1000));
    EXPECT_FALSE(d.ablage.text.has_value());
    EXPECT_FALSE(leeren.Anstehend());
  }
}

TEST(AuswahlErsetzen, KeysThatWentInAreLetGoOfWhenSendInputTookOnlyPartOfThem) {
  const std::vector<TTaste> folge = StrgFolge('C');
  const std::uint16_t strg = folge[0].taste;
  const std::vector<std::vector<TTaste>> erwartet{
      {}, {{strg, true}}, {{'C', true}, {strg, true}}, {{strg, true}}, {}};
  for (std::size_t eingefuegt = 0; eingefuegt <= folge.size(); ++eingefuegt) {
    EXPECT_EQ(NochLoslassen(folge, eingefuegt), erwartet[eingefuegt]) << eingefuegt << " of the events went in";
  }
}

}  // namespace

namespace {

// Who gets the offered result: a timeline of requests around Strg+V, sent at 100 ms to process 7.
TEST(Uebergabe, AnswersOnlyThePastesRequestsAndEndsAfterTheQuietTime) {
  struct Anfrage {
    int ms;
    std::uint32_t prozess;
    bool beantwortet;
  };
  const struct {
    const char* name;
    std::vector<Anfrage> anfragen;
    int fertigAb;  // from when on the paste counts as over; -1 never
  } faelle[] = {
      {"a reader before Strg+V, then the paste", {{50, 9, false}, {120, 7, true}}, 220},
      {"a reader without a window before Strg+V", {{50, 0, false}}, -1},
      {"a reader without a window after it counts", {{130, 0, true}}, 230},
      {"a reader of another process after it", {{110, 9, false}}, -1},
      {"the paste asks twice, the second within the quiet time", {{150, 7, true}, {200, 7, true}}, 300},
      {"a paste later than the quiet time after another reader", {{110, 9, false}, {600, 7, true}}, 700},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.name);
    TUebergabe uebergabe;
    uebergabe.Angeboten();
    bool gesendet = false;
    std::size_t naechste = 0;
    for (int ms = 0; ms <= 1000; ++ms) {
      if (ms == 100) uebergabe.Gesendet(7), gesendet = true;
      if (naechste < f.anfragen.size() && f.anfragen[naechste].ms == ms) {
        EXPECT_EQ(uebergabe.Anfrage(f.anfragen[naechste].prozess, milliseconds(ms)), f.anfragen[naechste].beantwortet)
            << "at " << ms << " ms";
        ++naechste;
      }
      EXPECT_EQ(uebergabe.Fertig(milliseconds(ms)), f.fertigAb >= 0 && ms >= f.fertigAb) << "at " << ms << " ms";
    }
    EXPECT_TRUE(gesendet);
  }
}

}  // namespace
