#include "einstellungen/Registry.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "einstellungen/ERegistryException.h"
#include "fakes/InMemoryRegistry.h"

using fakes::InMemoryRegistry;

namespace {

constexpr std::string_view kPath = "Software\\Holvarin\\Test";

std::vector<unsigned char> Bytes(std::string_view text) { return {text.begin(), text.end()}; }

class RegistryTest : public ::testing::Test {
 protected:
  InMemoryRegistry::KeyWriter Key() { return fake.Key(kPath); }
  // The message of what a read threw, or nothing.
  template <typename Read>
  std::optional<std::string> ErrorOf(Read read) {
    Registry registry(fake);
    EXPECT_TRUE(registry.OpenKey(kPath));
    try {
      read(registry);
    } catch (const ERegistryException& e) {
      return e.what();
    }
    return std::nullopt;
  }

  InMemoryRegistry fake;
};

const std::string kWrongType = "Ung\xFCltiger Datentyp f\xFCr 'v'";
const std::string kCannotRead = "Konnte Daten f\xFCr 'v' nicht holen";

TEST_F(RegistryTest, ReadStringTakesTheDataUpToItsFirstZeroByte) {
  const struct {
    std::uint32_t type;
    std::string data;
    std::string text;
  } cases[] = {
      {kRegSz, std::string("abc\0", 4), "abc"},
      {kRegSz, "abc", "abc"},  // written without its terminator
      {kRegExpandSz, std::string("%TEMP%\\x\0", 10), "%TEMP%\\x"},
      {kRegSz, std::string("ab\0cd\0", 6), "ab"},
      {kRegSz, std::string("\0", 1), ""},
      {kRegSz, "\x80\xE4\xFF", "\x80\xE4\xFF"},
      {kRegNone, "", ""},
      {kRegDword, "", ""},  // no data gives the empty text whatever the type
  };
  for (const auto& c : cases) {
    Key().SetRaw("v", c.type, Bytes(c.data));
    Registry registry(fake);
    ASSERT_TRUE(registry.OpenKey(kPath));
    EXPECT_EQ(registry.ReadString("v"), c.text) << c.data;
    EXPECT_EQ(registry.ReadString("missing"), "");
  }
}

TEST_F(RegistryTest, ReadStringRejectsDataOfAnotherType) {
  Key().SetDword("v", 0x00636261);  // "abc" with its 0
  EXPECT_EQ(ErrorOf([](Registry& r) { r.ReadString("v"); }), kWrongType);
  Key().SetBinary("v", Bytes("abc"));
  EXPECT_EQ(ErrorOf([](Registry& r) { r.ReadString("v"); }), kWrongType);
  Key().SetRaw("v", kRegNone, Bytes("abc"));
  EXPECT_EQ(ErrorOf([](Registry& r) { r.ReadString("v"); }), kWrongType);
}

TEST_F(RegistryTest, ReadStringGoesByWhatTheSecondQueryFinds) {
  Key().SetString("v", "kurz");
  fake.BeforeNextDataQuery(kPath, "v", [this] { Key().SetString("v", "laenger"); });
  EXPECT_EQ(ErrorOf([](Registry& r) { r.ReadString("v"); }), kCannotRead);

  Key().SetString("v", "laenger");
  fake.BeforeNextDataQuery(kPath, "v", [this] { Key().SetString("v", "kurz"); });
  Registry registry(fake);
  ASSERT_TRUE(registry.OpenKey(kPath));
  EXPECT_EQ(registry.ReadString("v"), "kurz");

  Key().SetString("v", "abc");
  fake.BeforeNextDataQuery(kPath, "v", [this] { Key().SetDword("v", 7); });
  EXPECT_EQ(ErrorOf([](Registry& r) { r.ReadString("v"); }), kWrongType);

  // The type is judged from the size query already, before a second query could fail.
  Key().SetDword("v", 7);
  fake.BeforeNextDataQuery(kPath, "v", [this] { Key().SetQword("v", 7); });
  EXPECT_EQ(ErrorOf([](Registry& r) { r.ReadString("v"); }), kWrongType);
}

TEST_F(RegistryTest, ReadIntegerTakesFourLittleEndianBytesAsSigned) {
  const struct {
    std::uint32_t type;
    std::vector<unsigned char> data;
    std::int32_t value;
    std::optional<std::string> error;
  } cases[] = {
      {kRegDword, {0x04, 0x03, 0x02, 0x01}, 0x01020304, std::nullopt},
      {kRegDword, {0xFF, 0xFF, 0xFF, 0xFF}, -1, std::nullopt},
      {kRegDword, {0x00, 0x00, 0x00, 0x80}, INT32_MIN, std::nullopt},
      {kRegDword, {0x34, 0x12}, 0x1234, std::nullopt},  // short data: the missing high bytes are zero
      {kRegDword, {}, 0, std::nullopt},
      {kRegBinary, {1, 0, 0, 0}, 0, kWrongType},
      {kRegBinary, {1}, 0, kWrongType},
      {kRegSz, {'7', 0}, 0, kWrongType},
      {kRegSz, {'1', '2', '3', '4', 0}, 0, kCannotRead},  // too long comes before the type
      {kRegQword, {1, 0, 0, 0, 0, 0, 0, 0}, 0, kCannotRead},
      {kRegDword, {1, 0, 0, 0, 0}, 0, kCannotRead},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "type " << c.type << ", " << c.data.size() << " bytes");
    Key().SetRaw("v", c.type, c.data);
    std::int32_t value = 0;
    EXPECT_EQ(ErrorOf([&](Registry& r) { value = r.ReadInteger("v"); }), c.error);
    EXPECT_EQ(value, c.value);
  }
  EXPECT_EQ(ErrorOf([](Registry& r) { r.ReadInteger("missing"); }),
            "Konnte Daten f\xFCr 'missing' nicht holen");
}

TEST_F(RegistryTest, ValueExistsWhateverItsSizeOrType) {
  Key().SetNoData("leer").SetBinary("gross", std::vector<unsigned char>(300, 0xAB)).SetString("text", "x");
  Registry registry(fake);
  ASSERT_TRUE(registry.OpenKey(kPath));
  EXPECT_TRUE(registry.ValueExists("leer"));
  EXPECT_TRUE(registry.ValueExists("gross"));
  EXPECT_TRUE(registry.ValueExists("text"));
  EXPECT_FALSE(registry.ValueExists("fehlt"));
}

TEST_F(RegistryTest, EveryOpenedKeyIsClosedExactlyOnceWithAllAccessAsked) {
  Key().SetString("s", "x");
  fake.Key("Software\\Other");
  {
    Registry registry(fake);
    EXPECT_FALSE(registry.OpenKey("Software\\Missing"));
    ASSERT_TRUE(registry.OpenKey(kPath));
    EXPECT_FALSE(registry.OpenKey("Software\\Missing"));
    EXPECT_TRUE(registry.ValueExists("s")) << "a failed open leaves the current key open";
    ASSERT_TRUE(registry.OpenKey("Software\\Other"));
    EXPECT_EQ(fake.OpenHandleCount(), 1u) << "opening another key closes the current one";
  }
  {
    Registry registry(fake);
    ASSERT_TRUE(registry.OpenKey(kPath));
    registry.CloseKey();
    EXPECT_FALSE(registry.ValueExists("s"));
  }
  {
    Registry registry(fake);
    ASSERT_TRUE(registry.OpenKey(kPath));
    EXPECT_THROW(registry.ReadInteger("s"), ERegistryException);
  }
  EXPECT_EQ(fake.OpenHandleCount(), 0u);
  EXPECT_TRUE(fake.EachOpenedKeyClosedOnce());
  ASSERT_EQ(fake.Opens().size(), 6u);
  for (const auto& open : fake.Opens()) EXPECT_EQ(open.access, kKeyAllAccess) << open.subKey;
}

TEST_F(RegistryTest, FakeAnswersQueriesAsRegQueryValueExADoes) {
  Key().SetString("v", "abc");
  RegKey key = 0;
  ASSERT_EQ(fake.OpenCurrentUserKey("SOFTWARE\\holvarin\\TEST", kKeyAllAccess, key), kErrorSuccess);
  std::uint32_t type = 0;
  std::uint32_t size = 0;
  EXPECT_EQ(fake.QueryValue(key, "V", &type, nullptr, &size), kErrorSuccess);
  EXPECT_EQ(type, kRegSz);
  EXPECT_EQ(size, 4u);
  unsigned char buffer[8] = {};
  size = 3;
  EXPECT_EQ(fake.QueryValue(key, "v", nullptr, buffer, &size), kErrorMoreData);
  EXPECT_EQ(size, 4u);
  size = sizeof buffer;
  EXPECT_EQ(fake.QueryValue(key, "v", nullptr, buffer, &size), kErrorSuccess);
  EXPECT_EQ(size, 4u);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(buffer), 4), std::string("abc\0", 4));
  EXPECT_EQ(fake.QueryValue(key, "w", nullptr, nullptr, nullptr), kErrorFileNotFound);
  fake.DeleteKey(kPath);
  EXPECT_EQ(fake.QueryValue(key, "v", nullptr, nullptr, nullptr), kErrorKeyDeleted);
  EXPECT_EQ(fake.CloseKey(key), kErrorSuccess);
  EXPECT_EQ(fake.CloseKey(key), kErrorInvalidHandle);
  EXPECT_FALSE(fake.EachOpenedKeyClosedOnce());
}

}  // namespace
