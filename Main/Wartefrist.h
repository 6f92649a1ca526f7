// How long a command waits for a clipboard that another program holds open, and the clock and the
// sleep it waits by; tests hand in their own, so that nothing there really waits.
#pragma once

#include <chrono>
#include <functional>

struct TWartefrist {
  std::function<std::chrono::milliseconds()> jetzt;
  std::function<void(std::chrono::milliseconds)> schlafen;
  // Clipboard managers and remote-desktop tools hold the clipboard for moments; a second covers
  // them and is still short enough for a user waiting on a menu command.
  std::chrono::milliseconds dauer{1000};
  std::chrono::milliseconds pause{20};
};

// Runs `versuch` until it succeeds or the time that began at `beginn` is up, at least once, with a
// pause between tries. Returns whether it succeeded.
bool Versuchen(const TWartefrist& frist, std::chrono::milliseconds beginn, const std::function<bool()>& versuch);
