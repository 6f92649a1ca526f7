#include "Main/Befehlsfolge.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace {

// The log tells what ran in which order; a box's message loop is played by calling into the folge
// from inside a command, as the tray and the hotkeys would.
struct Ablauf {
  std::string log;
  TBefehlsfolge folge{[this] { log += "piep "; }, [this] { log += "fehlerbox "; }};
};

TEST(Befehlsfolge, ACommandFromInsideARunningOneIsDroppedAndWhatItLeftFollowsItBeforeTheNext) {
  Ablauf a;
  a.folge.Ausfuehren([&] {
    a.log += "erster ";
    a.folge.Danach([&] {
      a.log += "warnung ";
      a.folge.Ausfuehren([&] { a.log += "aus-der-warnung "; });
    });
    a.folge.Ausfuehren([&] { a.log += "aus-der-box "; });
    a.log += "erster-fertig ";
  });
  a.folge.Ausfuehren([&] { a.log += "zweiter "; });
  EXPECT_EQ(a.log, "erster piep erster-fertig warnung piep zweiter ");
}

TEST(Befehlsfolge, AnErrorIsShownWhileTheCommandStillRunsAndTheNextCommandRunsAfterIt) {
  Ablauf a;
  a.folge.Ausfuehren([&] {
    a.folge.Danach([&] { a.log += "danach "; });
    throw std::runtime_error("kaputt");
  });
  EXPECT_FALSE(a.folge.Laeuft());
  a.folge.Ausfuehren([&] { a.log += "naechster "; });
  EXPECT_EQ(a.log, "fehlerbox danach naechster ");
}

TEST(Befehlsfolge, EndingDuringACommandWaitsForItAndThenNothingRunsAnyMore) {
  Ablauf a;
  a.folge.Ausfuehren([&] {
    a.log += "befehl ";
    a.folge.Beenden([&] { a.log += "ende "; });
    a.log += "befehl-fertig ";
  });
  a.folge.Ausfuehren([&] { a.log += "noch-einer "; });
  EXPECT_EQ(a.log, "befehl befehl-fertig ende piep ");

  Ablauf ohne;
  ohne.folge.Beenden([&] { ohne.log += "ende "; });
  EXPECT_EQ(ohne.log, "ende ") << "without a command running the end comes at once";
}

}  // namespace
