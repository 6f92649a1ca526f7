// Keeps every message box that the code under test asks for, instead of showing it.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "Main/MessageSink.h"

struct RecordedMessage {
  std::string text;
  std::string caption;
  std::uint32_t iconFlag = 0;

  bool operator==(const RecordedMessage&) const = default;

  friend void PrintTo(const RecordedMessage& m, std::ostream* os) {
    *os << "{text \"" << m.text << "\", caption \"" << m.caption << "\", icon 0x" << std::hex << m.iconFlag
        << std::dec << "}";
  }
};

class RecordingMessageSink : public MessageSink {
 public:
  void ShowMessage(std::string_view text, std::string_view caption, std::uint32_t iconFlag) override {
    messages.push_back({std::string(text), std::string(caption), iconFlag});
  }

  std::vector<RecordedMessage> messages;
};
