#include "Main/Auswahl.h"

#include <gtest/gtest.h>

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "fakes/RecordingMessageSink.h"

namespace {

// A desktop with one window whose selection is "Hallo", a clipboard that holds "vorher", and keys
// that the user lets go of after a few looks. Every step the command takes lands in `log`.
struct Desktop final : TAuswahlUmgebung {
  int gehaltenFuer = 3;                      // so many looks at the keys find them down
  std::optional<std::string> auswahl = "Hallo";  // what Strg+C copies; nothing: the copy never happens
  bool wechseltFenster = false;              // another window comes to the front during the command
  std::optional<std::string> ablage = "vorher";
  std::optional<std::string> gesichert;
  std::uint32_t sequenz = 7;
  int gelesen = 0;
  std::string eingefuegt;
  std::vector<std::string> log;

  bool TastenGedrueckt() override { return gehaltenFuer-- > 0; }
  std::uintptr_t Vordergrund() override { return wechseltFenster && log.size() > 2 ? 2 : 1; }
  bool Sichern() override {
    log.emplace_back("sichern");
    gesichert = ablage;
    return true;
  }
  void Zurueckgeben() override {
    log.emplace_back("zurueck");
    ablage = gesichert;
    ++sequenz;
  }
  std::uint32_t Sequenznummer() override { return sequenz; }
  bool TextDa() override { return ablage.has_value(); }
  bool StrgUnd(char taste) override {
    log.push_back(std::string("strg+") + taste);
    if (taste == 'C' && auswahl) {
      ablage = auswahl;
      ++sequenz;
    }
    if (taste == 'V') {
      eingefuegt = ablage.value_or("");
      ++gelesen;
    }
    return true;
  }
  int Gelesen() override { return gelesen; }
  bool Warten(std::chrono::milliseconds frist, std::chrono::milliseconds takt,
              const std::function<bool()>& bedingung) override {
    for (auto zeit = std::chrono::milliseconds(0); zeit <= frist; zeit += takt) {
      if (bedingung()) return true;
    }
    return false;
  }
};

struct Fall {
  const char* name;
  void (*einstellen)(Desktop&);
  bool befehlGelingt;
  TAuswahlEnde ende;
  std::vector<std::string> log;
  std::string eingefuegt;
  const char* box;  // the first words of the box; nullptr for none
};

TEST(AuswahlErsetzen, CopiesRunsTheCommandPastesAndGivesTheClipboardBackOrSaysWhyNot) {
  const Fall faelle[] = {
      {"keys let go of", [](Desktop&) {}, true, TAuswahlEnde::Ersetzt,
       {"sichern", "strg+C", "befehl", "strg+V", "zurueck"}, "HALLO", nullptr},
      {"an empty clipboard before", [](Desktop& d) { d.ablage.reset(); }, true, TAuswahlEnde::Ersetzt,
       {"sichern", "strg+C", "befehl", "strg+V", "zurueck"}, "HALLO", nullptr},
      {"keys held beyond two seconds", [](Desktop& d) { d.gehaltenFuer = 1000; }, true, TAuswahlEnde::TastenGehalten,
       {}, "", "Strg, Umschalt, Alt"},
      {"no update after Strg+C", [](Desktop& d) { d.auswahl.reset(); }, true, TAuswahlEnde::KeineKopie,
       {"sichern", "strg+C"}, "", "Es ist kein Text markiert"},
      {"the command refuses in its box", [](Desktop&) {}, false, TAuswahlEnde::BefehlAbgelehnt,
       {"sichern", "strg+C", "befehl", "zurueck"}, "", nullptr},
      {"another window in front", [](Desktop& d) { d.wechseltFenster = true; }, true, TAuswahlEnde::FensterGewechselt,
       {"sichern", "strg+C", "befehl", "zurueck"}, "", "Das Fenster mit dem markierten Text"},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.name);
    Desktop d;
    f.einstellen(d);
    const std::optional<std::string> vorher = d.ablage;
    const std::uint32_t sequenzVorher = d.sequenz;
    RecordingMessageSink meldungen;
    const TAuswahlEnde ende = AuswahlErsetzen(d, meldungen, [&] {
      d.log.emplace_back("befehl");
      if (f.befehlGelingt) d.ablage = "HALLO";
      return f.befehlGelingt;
    });
    EXPECT_EQ(ende, f.ende);
    EXPECT_EQ(d.log, f.log);
    EXPECT_EQ(d.eingefuegt, f.eingefuegt);
    EXPECT_EQ(d.ablage, vorher) << "the clipboard holds what it held before";
    if (f.ende == TAuswahlEnde::KeineKopie || f.ende == TAuswahlEnde::TastenGehalten) {
      EXPECT_EQ(d.sequenz, sequenzVorher) << "a command that did nothing leaves the clipboard untouched";
    }
    ASSERT_EQ(meldungen.messages.size(), f.box ? 1U : 0U);
    if (f.box) {
      EXPECT_TRUE(meldungen.messages[0].text.starts_with(f.box)) << meldungen.messages[0].text;
    }
  }
}

TEST(AuswahlErsetzen, ACommandThatThrowsGivesTheClipboardBackBeforeItsErrorBox) {
  Desktop d;
  RecordingMessageSink meldungen;
  EXPECT_THROW(AuswahlErsetzen(d, meldungen, []() -> bool { throw std::runtime_error("Methode"); }),
               std::runtime_error);
  EXPECT_EQ(d.ablage, std::optional<std::string>("vorher"));
  EXPECT_EQ(d.log, (std::vector<std::string>{"sichern", "strg+C", "zurueck"}));
}

}  // namespace
