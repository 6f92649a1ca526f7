// Runs a fuzz target over stored inputs without libFuzzer, so that compilers without it (gcc in
// the asan build) still put every corpus file through the target and its sanitizers.
// Usage: <target> FILE_OR_DIRECTORY...
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "fuzz/FuzzSupport.h"

namespace {

void RunFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  const std::vector<char> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

}  // namespace

int main(int argc, char** argv) {
  LLVMFuzzerInitialize(&argc, &argv);
  int runs = 0;
  for (int i = 1; i < argc; ++i) {
    const std::filesystem::path path(argv[i]);
    if (std::filesystem::is_directory(path)) {
      for (const auto& entry : std::filesystem::recursive_directory_iterator(path)) {
        if (entry.is_regular_file()) {
          RunFile(entry.path());
          ++runs;
        }
      }
    } else {
      RunFile(path);
      ++runs;
    }
  }
  std::printf("%d inputs replayed\n", runs);
  // An empty corpus would pass without testing anything.
  return runs > 0 ? 0 : 1;
}
