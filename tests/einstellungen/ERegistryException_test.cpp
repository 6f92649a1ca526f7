#include "einstellungen/ERegistryException.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Compared as bytes: the texts are code-page-1252, with ü as the single byte 0xFC.
TEST(ERegistryException, MessagesAreTheGermanTextsWithTheValueName) {
  const std::string wrongType = ERegistryException::WrongType("Methode").what();
  EXPECT_EQ(wrongType, "Ung\xFCltiger Datentyp f\xFCr 'Methode'");
  ASSERT_GT(wrongType.size(), 3u);
  EXPECT_EQ(static_cast<unsigned char>(wrongType[3]), 0xFC);

  EXPECT_EQ(std::string(ERegistryException::CannotRead("Kleinschrift").what()),
            "Konnte Daten f\xFCr 'Kleinschrift' nicht holen");
}

TEST(ERegistryException, ValueNameIsInsertedAsWritten) {
  EXPECT_EQ(std::string(ERegistryException::WrongType("100%s %d").what()),
            "Ung\xFCltiger Datentyp f\xFCr '100%s %d'");
  EXPECT_EQ(std::string(ERegistryException::CannotRead("").what()), "Konnte Daten f\xFCr '' nicht holen");
}

}  // namespace
