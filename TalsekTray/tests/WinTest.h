// A minimal test runner for the Windows side, which runs under Wine where no GoogleTest for
// MinGW is at hand. Test names read as sentences: TEST(Suite, WhatHolds).
#pragma once

#include <sstream>
#include <string>
#include <string_view>

namespace wintest {

using TestFunction = void (*)();
bool Register(const char* name, TestFunction function);
void Fail(const char* file, int line, const std::string& what);

// Strings shown with their control and high bytes escaped, so that CR LF and cp1252 are readable.
std::string Printable(std::string_view text);
inline std::string Printable(const std::string& text) { return Printable(std::string_view(text)); }
inline std::string Printable(const char* text) { return Printable(std::string_view(text)); }
template <class T>
std::string Printable(const T& value) {
  std::ostringstream out;
  out << value;
  return out.str();
}

template <class A, class B>
void ExpectEqual(const A& actual, const B& expected, const char* actualText, const char* file, int line) {
  if (actual == expected) return;
  std::ostringstream out;
  out << actualText << " is " << Printable(actual) << ", expected " << Printable(expected);
  Fail(file, line, out.str());
}

}  // namespace wintest

#define TEST(suite, name)                                                                         \
  static void suite##_##name();                                                                   \
  [[maybe_unused]] static const bool suite##_##name##_registered =                                \
      wintest::Register(#suite "." #name, &suite##_##name);                                       \
  static void suite##_##name()

#define EXPECT_EQ(actual, expected) wintest::ExpectEqual((actual), (expected), #actual, __FILE__, __LINE__)
#define EXPECT_TRUE(condition) \
  ((condition) ? void() : wintest::Fail(__FILE__, __LINE__, "expected true: " #condition))
#define EXPECT_FALSE(condition) \
  ((condition) ? wintest::Fail(__FILE__, __LINE__, "expected false: " #condition) : void())
