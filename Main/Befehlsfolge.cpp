#include "Main/Befehlsfolge.h"

#include <utility>

TBefehlsfolge::TBefehlsfolge(std::function<void()> abgewiesen, std::function<void()> fehlerZeigen)
    : abgewiesen_(std::move(abgewiesen)), fehlerZeigen_(std::move(fehlerZeigen)) {}

void TBefehlsfolge::Geschuetzt(const std::function<void()>& schritt) {
  // Shown here, while the command still counts as running: its error box is one of its boxes.
  try {
    schritt();
  } catch (...) {
    fehlerZeigen_();
  }
}

void TBefehlsfolge::Ausfuehren(const std::function<void()>& befehl) {
  if (laeuft_ || endeFaellig_) {
    abgewiesen_();
    return;
  }
  laeuft_ = true;
  Geschuetzt(befehl);
  // What the command left may leave more behind it (a box that a refresh in it found): in order.
  while (!danach_.empty()) {
    const std::function<void()> schritt = std::move(danach_.front());
    danach_.erase(danach_.begin());
    Geschuetzt(schritt);
  }
  laeuft_ = false;
}

void TBefehlsfolge::Danach(std::function<void()> danach) {
  if (laeuft_) {
    danach_.push_back(std::move(danach));
    return;
  }
  Ausfuehren(danach);
}

void TBefehlsfolge::Beenden(std::function<void()> ende) {
  if (!laeuft_) {
    ende();
    return;
  }
  endeFaellig_ = true;
  danach_.push_back(std::move(ende));
}
