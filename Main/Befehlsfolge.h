// The commands one at a time. A box or the tray menu runs a message loop of its own, which serves the
// tray icon and the hotkeys meanwhile; a command that comes in there while another runs is dropped, and
// what has to wait for the running command (a warning it found, the end of the program) follows it.
#pragma once

#include <functional>
#include <vector>

class TBefehlsfolge {
 public:
  // `abgewiesen` tells the user that a command was dropped (a short beep); `fehlerZeigen` is called
  // inside the catch block of an exception that escaped a command, and shows it.
  TBefehlsfolge(std::function<void()> abgewiesen, std::function<void()> fehlerZeigen);

  // Runs `befehl` now, followed by what it left to run after it, all of it counting as the command;
  // drops it while another command runs or once the end of the program is due.
  void Ausfuehren(const std::function<void()>& befehl);
  // Runs `danach` at once when no command runs, otherwise after the running one, as part of it.
  void Danach(std::function<void()> danach);
  // Ends the program by `ende` at once when no command runs, otherwise after the running one; no
  // command starts any more.
  void Beenden(std::function<void()> ende);

  bool Laeuft() const { return laeuft_; }

 private:
  void Geschuetzt(const std::function<void()>& schritt);

  std::function<void()> abgewiesen_;
  std::function<void()> fehlerZeigen_;
  bool laeuft_ = false;
  bool endeFaellig_ = false;
  std::vector<std::function<void()>> danach_;
};
