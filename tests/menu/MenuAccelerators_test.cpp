#include "gui/MenuAccelerators.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "einstellungen/Tastenkuerzel.h"
#include "Main/Texte.h"
#include "gui/Texte.h"

namespace {

using Captions = std::vector<std::string>;

Captions Settled(Captions captions) {
  SettleAccelerators(captions, VisibleItems(captions));
  return captions;
}

Captions ProgramMenu() {
  return {std::string(texte::kProgrammTalsekStarten), std::string(texte::kTalsekOptionenAendern),
          std::string(gui::texte::kSeparator),        std::string(texte::kVerschluesseln),
          std::string(texte::kEntschluesseln),        std::string(gui::texte::kSeparator),
          std::string(texte::kBeenden)};
}

TEST(SettleAccelerators, GivesTheTrayMenuPTVEBAndIsStableAfterwards) {
  const Captions expected = {"&Programm Talsek starten", "&Talsek-Optionen \xE4ndern", "-",
                             "Zwischenablage &verschl\xFCsseln", "Zwischenablage &entschl\xFCsseln", "-",
                             "&Beenden"};
  const Captions once = Settled(ProgramMenu());
  EXPECT_EQ(once, expected);
  EXPECT_EQ(Settled(once), expected);
}

struct Case {
  const char* name;
  Captions captions;
  Captions expected;
};

TEST(SettleAccelerators, ResolvesMarksAndFillsInFreeCharacters) {
  const Case cases[] = {
      {"duplicate mark moves to the next free character", {"&Datei", "&Drucken"}, {"&Datei", "D&rucken"}},
      {"marks compare in upper case", {"&open", "&Ordner"}, {"&open", "O&rdner"}},
      {"digits count", {"&1 Datei", "1 Datei"}, {"&1 Datei", "1 &Datei"}},
      {"marked items claim before unmarked ones", {"Xa", "&Xb"}, {"X&a", "&Xb"}},
      {"step two runs in menu order", {"&Bx", "&Bx", "Bx"}, {"&Bx", "B&x", "Bx"}},
      {"marks outside the set stay and claim nothing",
       {"&\xE4pfel", "A&-B", "\xE4pfel"},
       {"&\xE4pfel", "A&-B", "\xE4&pfel"}},
      {"nothing free leaves the caption alone", {"&A", "a", "...", "\xC4\xD6\xDC"}, {"&A", "a", "...", "\xC4\xD6\xDC"}},
      {"a literal ampersand is no mark", {"Q&&A", "&&B", "&&"}, {"&Q&&A", "&&&B", "&&"}},
      {"a mark after a literal ampersand counts", {"A&&&B", "b"}, {"A&&&B", "b"}},
      {"an item that loses its mark loses all of them", {"&Dx", "&D&y"}, {"&Dx", "D&y"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Settled(c.captions), c.expected);
  }
}

TEST(SettleAccelerators, HiddenItemsNeitherTakeNorReceiveACharacter) {
  Captions captions = {"&Datei", "Xyz", "Drucken", "Xa"};
  SettleAccelerators(captions, {false, false, true, true});
  EXPECT_EQ(captions, (Captions{"&Datei", "Xyz", "&Drucken", "&Xa"}));
}

TEST(SettleAccelerators, ShortcutsAfterTheTabLeaveTheTrayMenusAcceleratorsAsTheyAre) {
  Captions menu = ProgramMenu();
  menu[3] = MenueBeschriftung(menu[3], "Strg+Umschalt+V");
  menu[4] = MenueBeschriftung(menu[4], "Strg+Alt+E");
  EXPECT_EQ(Settled(menu), (Captions{"&Programm Talsek starten", "&Talsek-Optionen \xE4ndern", "-",
                                     "Zwischenablage &verschl\xFCsseln\tStrg+Umschalt+V",
                                     "Zwischenablage &entschl\xFCsseln\tStrg+Alt+E", "-", "&Beenden"}));
  EXPECT_EQ(MenueBeschriftung(texte::kBeenden, ""), "&Beenden") << "without a shortcut the caption stays";
  EXPECT_EQ(MenueBeschriftung("X", "Strg+&"), "X\tStrg+&&") << "an ampersand in a key's name marks nothing";
  // Nothing after the tab is ever marked or taken, nor does a mark there count.
  EXPECT_EQ(Settled(Captions{"&A", "A\tStrg+B", "&A\t&C", "C"}), (Captions{"&A", "A\tStrg+B", "A\t&C", "&C"}));
}

TEST(VisibleItems, HidesSeparatorsAtTheEndsAndAllButTheLastOfARun) {
  EXPECT_EQ(VisibleItems(ProgramMenu()), std::vector<bool>(7, true));
  EXPECT_EQ(VisibleItems(Captions{"-", "-", "A", "-", "-", "-", "B", "-", "-"}),
            (std::vector<bool>{false, false, true, false, false, true, true, false, false}));
  EXPECT_EQ(VisibleItems(Captions{"-", "-"}), (std::vector<bool>{false, false}));
  EXPECT_EQ(VisibleItems(Captions{"A", "B"}), (std::vector<bool>{true, true}));
  EXPECT_TRUE(VisibleItems(Captions{}).empty());
}

}  // namespace
