#include "MenuAccelerators.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <string_view>
#include <utility>

#include "gui/Texte.h"

namespace {

constexpr std::string_view kAcceleratorChars = "1234567890ABCDEFGHIJKLMNOPQRSTUVWXYZ";
constexpr std::size_t kNone = std::string::npos;

// ASCII only: the captions are code-page-1252 bytes, and an accented letter such as ä must not
// be folded onto a key of the set.
char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// Index into kAcceleratorChars, or kNone for a character that cannot serve as an accelerator.
std::size_t KeyIndex(char c) {
  return c == '\0' ? kNone : kAcceleratorChars.find(AsciiUpper(c));
}

// The part of a caption that can carry the accelerator: what stands after a tab is the item's
// shortcut, which the platform draws apart and which the menu's keys never choose.
std::size_t LabelEnd(std::string_view caption) { return std::min(caption.find('\t'), caption.size()); }

// Position of the "&" that marks the accelerator, or kNone. "&&" stands for a literal ampersand
// and marks nothing; a lone "&" at the very end has nothing to mark.
std::size_t MarkPosition(std::string_view caption) {
  caption = caption.substr(0, LabelEnd(caption));
  for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') {
      continue;
    }
    if (caption[i + 1] != '&') {
      return i;
    }
    ++i;
  }
  return kNone;
}

// Removes every mark but keeps literal "&&". Dropping only the first mark would let a second
// "&" further on become the mark, and an insertion next to it could then pair it up into "&&".
void StripMarks(std::string& caption) {
  std::string stripped;
  stripped.reserve(caption.size());
  const std::size_t end = LabelEnd(caption);
  for (std::size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&' && i + 1 < end) {
      if (caption[i + 1] == '&') {
        stripped += "&&";
        ++i;
      }
      continue;
    }
    stripped += caption[i];
  }
  caption = std::move(stripped);
}

bool IsSeparator(std::string_view caption) { return caption == gui::texte::kSeparator; }

}  // namespace

std::vector<bool> VisibleItems(std::span<const std::string> captions) {
  std::vector<bool> visible(captions.size(), true);
  // A separator is worth showing only between two items; of a run, the last one stands for all.
  bool itemBefore = false;
  for (std::size_t i = 0; i < captions.size(); ++i) {
    if (!IsSeparator(captions[i])) {
      itemBefore = true;
      continue;
    }
    const bool nextIsSeparator = i + 1 < captions.size() && IsSeparator(captions[i + 1]);
    visible[i] = itemBefore && !nextIsSeparator;
  }
  for (std::size_t i = captions.size(); i > 0 && IsSeparator(captions[i - 1]); --i) {
    visible[i - 1] = false;
  }
  return visible;
}

void SettleAccelerators(std::span<std::string> captions, const std::vector<bool>& visible) {
  std::array<bool, kAcceleratorChars.size()> taken{};
  // An entry missing from `visible` counts as shown, so a short vector can never hide an item.
  const auto settles = [&](std::size_t i) {
    return (i >= visible.size() || visible[i]) && !IsSeparator(captions[i]);
  };

  std::vector<std::size_t> withoutAccelerator;
  for (std::size_t i = 0; i < captions.size(); ++i) {
    if (!settles(i)) {
      continue;
    }
    const std::size_t mark = MarkPosition(captions[i]);
    if (mark == kNone) {
      withoutAccelerator.push_back(i);
      continue;
    }
    const std::size_t key = KeyIndex(captions[i][mark + 1]);
    if (key == kNone) {
      continue;  // a mark on a key outside the set stays, but claims nothing
    }
    if (taken[key]) {
      StripMarks(captions[i]);
      withoutAccelerator.push_back(i);
    } else {
      taken[key] = true;
    }
  }

  for (const std::size_t i : withoutAccelerator) {
    std::string& caption = captions[i];
    for (std::size_t pos = 0; pos < LabelEnd(caption); ++pos) {
      const std::size_t key = KeyIndex(caption[pos]);
      if (key != kNone && !taken[key]) {
        caption.insert(pos, 1, '&');
        taken[key] = true;
        break;
      }
    }
  }
}
