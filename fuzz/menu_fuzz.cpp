// The popup menu's preparation over arbitrary captions: which items are shown, and the settling
// of their accelerators. No accelerator may be taken twice, a caption may change only by its "&"
// marks and never after its tab (the shortcut), an item goes without a key only when every key
// before its tab is taken, and settling a settled menu changes nothing.
//
// Input: mode byte, then the captions separated by line feeds (at most 24; "-" is a separator).
//   mode bit 0  the shown items come from VisibleItems, as in the menu; otherwise mask bytes
//               follow (bit i of byte i / 8 shows item i) and the captions after them
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/FuzzSupport.h"
#include "gui/MenuAccelerators.h"

namespace {

using fuzz::Require;

constexpr std::size_t kMaxItems = 24;
constexpr std::string_view kKeys = "1234567890ABCDEFGHIJKLMNOPQRSTUVWXYZ";

bool IsSeparator(std::string_view caption) { return caption == "-"; }

// The key a character stands for, or npos when it cannot be an accelerator.
std::size_t Key(char c) {
  const char upper = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
  return c == '\0' ? std::string_view::npos : kKeys.find(upper);
}

// The caption before its first tab; after it stands the item's shortcut, which carries no accelerator.
std::string_view Label(std::string_view caption) { return caption.substr(0, caption.find('\t')); }
std::string_view Shortcut(std::string_view caption) { return caption.substr(Label(caption).size()); }

// The marked character: the one after the first "&" before the tab that is not half of a literal
// "&&". Returns false when the caption marks nothing.
bool Marked(std::string_view caption, char& marked) {
  caption = Label(caption);
  for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    if (caption[i + 1] != '&') {
      marked = caption[i + 1];
      return true;
    }
    ++i;
  }
  return false;
}

std::string WithoutAmpersands(std::string caption) {
  std::erase(caption, '&');
  return caption;
}

std::vector<std::string> Split(const std::string& text) {
  std::vector<std::string> captions;
  std::size_t begin = 0;
  while (captions.size() + 1 < kMaxItems) {
    const std::size_t end = text.find('\n', begin);
    if (end == std::string::npos) break;
    captions.push_back(text.substr(begin, end - begin));
    begin = end + 1;
  }
  captions.push_back(text.substr(begin));
  return captions;
}

void CheckVisibleItems(const std::vector<std::string>& captions, const std::vector<bool>& visible) {
  Require(visible.size() == captions.size(), "VisibleItems answers for every item");
  for (std::size_t i = 0; i < captions.size(); ++i) {
    if (!IsSeparator(captions[i])) {
      Require(visible[i], "every item that is not a separator is shown");
      continue;
    }
    bool itemBefore = false;
    bool itemAfter = false;
    for (std::size_t j = 0; j < i; ++j) itemBefore = itemBefore || !IsSeparator(captions[j]);
    for (std::size_t j = i + 1; j < captions.size(); ++j) itemAfter = itemAfter || !IsSeparator(captions[j]);
    const bool lastOfRun = i + 1 == captions.size() || !IsSeparator(captions[i + 1]);
    Require(visible[i] == (itemBefore && itemAfter && lastOfRun),
            "a separator is shown only between items, and only the last of a run");
  }
}

void CheckSettled(const std::vector<std::string>& before, const std::vector<std::string>& after,
                  const std::vector<bool>& visible) {
  Require(after.size() == before.size(), "settling keeps the items");
  const auto settles = [&](std::size_t i) { return (i >= visible.size() || visible[i]) && !IsSeparator(before[i]); };

  std::array<bool, kKeys.size()> taken{};
  std::array<bool, kKeys.size()> takenInOrder{};
  for (std::size_t i = 0; i < before.size(); ++i) {
    if (!settles(i)) {
      Require(after[i] == before[i], "hidden items and separators are left alone");
      continue;
    }
    Require(WithoutAmpersands(after[i]) == WithoutAmpersands(before[i]),
            "a caption changes only by its \"&\" marks");
    Require(Shortcut(after[i]) == Shortcut(before[i]), "the shortcut after the tab stays as it is");

    char was = 0;
    if (Marked(before[i], was) && Key(was) != std::string_view::npos) {
      // A mark on a key that no earlier item claimed is kept as it stands.
      if (!takenInOrder[Key(was)]) Require(after[i] == before[i], "the first item to mark a key keeps its caption");
      takenInOrder[Key(was)] = true;
    }

    char now = 0;
    if (!Marked(after[i], now)) continue;
    const std::size_t key = Key(now);
    if (key == std::string_view::npos) {
      Require(Marked(before[i], was) && was == now, "only a caption's own mark may point outside the keys");
      continue;
    }
    Require(!taken[key], "no accelerator is taken twice");
    taken[key] = true;
  }

  for (std::size_t i = 0; i < before.size(); ++i) {
    char now = 0;
    if (!settles(i) || Marked(after[i], now)) continue;
    for (const char c : Label(after[i])) {
      Require(Key(c) == std::string_view::npos || taken[Key(c)],
              "an item goes without accelerator only when every key before its tab is taken");
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) { return 0; }

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::Input input(data, size);
  const std::uint8_t mode = input.Byte();
  std::array<std::uint8_t, kMaxItems / 8> mask{};
  if (!input.Bit(mode, 0)) {
    for (std::uint8_t& m : mask) m = input.Byte();
  }
  const std::vector<std::string> captions = Split(input.Rest());

  std::vector<bool> visible = VisibleItems(captions);
  CheckVisibleItems(captions, visible);
  if (!input.Bit(mode, 0)) {
    for (std::size_t i = 0; i < visible.size(); ++i) visible[i] = input.Bit(mask[i / 8], static_cast<int>(i % 8));
  }

  std::vector<std::string> settled = captions;
  SettleAccelerators(settled, visible);
  CheckSettled(captions, settled, visible);

  std::vector<std::string> again = settled;
  SettleAccelerators(again, visible);
  Require(again == settled, "settling a settled menu changes nothing");
  return 0;
}
