#include "Main/AblageLeeren.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/FakeClipboard.h"

namespace {

struct Leeren : ::testing::Test {
  FakeClipboard ablage;
  std::chrono::milliseconds uhr{0};
  TEigentum eigentum{ablage, {[this] { return uhr; }, [this](std::chrono::milliseconds d) { uhr += d; }}};
  std::vector<std::string> log;  // the clock's starts and stops and the tips, in order
  TAblageLeeren leeren{eigentum, [this](bool an) { log.push_back(an ? "uhr an" : "uhr aus"); },
                       [this](const std::string& tip) { log.push_back(tip); }};

  void Entschluesselt(std::int32_t sekunden) {
    ablage.SetBytes("Hallo", CopyScope::Private, true);
    eigentum.Eintragen(TZweck::Ergebnis, true);
    leeren.NachEntschluesseln(sekunden);
  }
};

const std::string kTip = "TalsekTray 1.5";
std::string In(int s) { return "TalsekTray 1.5 \x96 Zwischenablage wird in " + std::to_string(s) + " s geleert"; }

TEST_F(Leeren, TheDecryptedTextLeavesAfterItsSecondsAndTheTipCountsDown) {
  Entschluesselt(3);
  leeren.Sekunde();
  leeren.Sekunde();
  EXPECT_TRUE(ablage.text.has_value());
  leeren.Sekunde();
  EXPECT_FALSE(ablage.text.has_value());
  EXPECT_EQ(log, (std::vector<std::string>{"uhr an", In(3), In(2), In(1), "uhr aus", kTip}));
}

TEST_F(Leeren, WhatTheUserCopiedMeanwhileStaysAndTheClockStops) {
  Entschluesselt(3);
  ablage.SetBytes("Eigenes");
  leeren.Sekunde();
  leeren.Sofort();
  EXPECT_EQ(ablage.Bytes(), "Eigenes");
  EXPECT_EQ(ablage.emptied, 0);
  EXPECT_EQ(log, (std::vector<std::string>{"uhr an", In(3), "uhr aus", kTip}));
}

TEST_F(Leeren, ASecondDecryptionStartsTheTimeAgainAndTheEndClearsAtOnce) {
  Entschluesselt(3);
  leeren.Sekunde();
  Entschluesselt(5);
  EXPECT_EQ(log, (std::vector<std::string>{"uhr an", In(3), In(2), In(5)})) << "one clock only";
  leeren.Sofort();
  EXPECT_FALSE(ablage.text.has_value());
  EXPECT_FALSE(leeren.Anstehend());
}

TEST_F(Leeren, NoSecondsAnEncryptionOrAHeldClipboardClearNothingYet) {
  Entschluesselt(0);
  leeren.Sofort();
  EXPECT_TRUE(log.empty());
  EXPECT_TRUE(ablage.text.has_value());

  Entschluesselt(1);
  leeren.Abbrechen();  // an encryption replaced the text
  leeren.Sekunde();
  EXPECT_TRUE(ablage.text.has_value());

  Entschluesselt(1);
  ablage.busyFor = 1;
  leeren.Sekunde();
  EXPECT_TRUE(leeren.Anstehend()) << "a clipboard held open is tried again at the next tick";
  leeren.Sekunde();
  EXPECT_FALSE(ablage.text.has_value());
}

}  // namespace
