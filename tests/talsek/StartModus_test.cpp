#include "Talsek/StartModus.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(StartModus, TheTrayProgramsThreeCommandLinesGiveTheThreeModes) {
  struct Fall {
    std::string zeile;
    TStartModus modus;
  };
  const std::vector<Fall> faelle = {
      {"Z:\\app\\talsek.exe", TStartModus::Normal},
      {"Z:\\app\\talsek.exe ", TStartModus::Normal},
      {"Z:\\app\\talsek.exe -onlyoption", TStartModus::NurOptionen},
      {"Z:\\app\\talsek.exe -firstoption", TStartModus::ErsteOptionen},
      {"\"C:\\Program Files\\Talsek\\talsek.exe\" -firstoption", TStartModus::ErsteOptionen},
      {"\"C:\\Program Files\\Talsek\\talsek.exe\"\t-onlyoption", TStartModus::NurOptionen},
      {"talsek.exe -FirstOption", TStartModus::ErsteOptionen},
      {"", TStartModus::Normal},
  };
  for (const Fall& f : faelle) EXPECT_EQ(StartModusAus(f.zeile), f.modus) << f.zeile;
}

TEST(StartModus, OnlyWholeArgumentsCountAndNeverTheProgramsName) {
  struct Fall {
    std::string zeile;
    TStartModus modus;
  };
  const std::vector<Fall> faelle = {
      {"\"C:\\-firstoption\\talsek.exe\"", TStartModus::Normal},
      {"C:\\-firstoption", TStartModus::Normal},
      {"talsek.exe -firstoptions", TStartModus::Normal},
      {"talsek.exe firstoption", TStartModus::Normal},
      {"talsek.exe -x -onlyoption", TStartModus::NurOptionen},
      {"talsek.exe -firstoption -onlyoption", TStartModus::ErsteOptionen},
      {"\"C:\\unclosed quote -firstoption", TStartModus::Normal},
  };
  for (const Fall& f : faelle) EXPECT_EQ(StartModusAus(f.zeile), f.modus) << f.zeile;
}
