#include <windows.h>

#include <cstdio>
#include <exception>
#include <vector>

#include "WinTest.h"

namespace wintest {

namespace {

struct Entry {
  const char* name;
  TestFunction function;
};

std::vector<Entry>& Entries() {
  static std::vector<Entry> entries;
  return entries;
}

int failuresInTest = 0;

}  // namespace

bool Register(const char* name, TestFunction function) {
  Entries().push_back({name, function});
  return true;
}

void Fail(const char* file, int line, const std::string& what) {
  ++failuresInTest;
  std::printf("  %s:%d: %s\n", file, line, what.c_str());
}

std::string Printable(std::string_view text) {
  std::string out = "\"";
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte == '\r') {
      out += "\\r";
    } else if (byte == '\n') {
      out += "\\n";
    } else if (byte < 32 || byte >= 127) {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", byte);
      out += hex;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

}  // namespace wintest

// argv[1], when given, picks the tests whose names contain it.
int main(int argc, char** argv) {
  // A crash must end the run, not wait for someone to close a dialog.
  ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
  const std::string filter = argc > 1 ? argv[1] : "";
  int passed = 0;
  int failed = 0;
  for (const auto& [name, function] : wintest::Entries()) {
    if (!filter.empty() && std::string(name).find(filter) == std::string::npos) continue;
    wintest::failuresInTest = 0;
    std::printf("[ RUN  ] %s\n", name);
    std::fflush(stdout);
    try {
      function();
    } catch (const std::exception& e) {
      wintest::Fail(__FILE__, __LINE__, std::string("exception: ") + e.what());
    }
    if (wintest::failuresInTest == 0) {
      ++passed;
      std::printf("[  OK  ] %s\n", name);
    } else {
      ++failed;
      std::printf("[ FAIL ] %s\n", name);
    }
    std::fflush(stdout);
  }
  std::printf("%d passed, %d failed\n", passed, failed);
  return failed == 0 ? 0 : 1;
}
