// Encrypting or decrypting the selected text in place, in whatever program has it: copy the
// selection, run the clipboard command on it, paste the result over the selection, and give the
// clipboard back what it held before. Careful where careless ones are not: it waits until the user
// has let go of the keys instead of sending key-ups of its own, it takes the copy as done only once
// its text can be read, it pastes only into the window that had the selection and never into a
// terminal (where Strg+C stops the running program), it answers only the paste's requests for the
// result and sends Strg+V at once, it gives the clipboard back once the paste has taken the result and
// only while the clipboard still holds what the command put there, and it
// keeps every format the clipboard held, pictures too, or says before it starts that it cannot.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "Main/ClipboardReader.h"
#include "Main/Eigentum.h"
#include "Main/MessageSink.h"
#include "Main/Uebergabe.h"

// What the command needs of the desktop; the Windows half does it with GetAsyncKeyState, SendInput,
// the clipboard and a message loop, the tests with fakes.
class TAuswahlUmgebung {
 public:
  virtual ~TAuswahlUmgebung() = default;
  // Strg, Umschalt, Alt or a Windows key is physically down.
  virtual bool TastenGedrueckt() = 0;
  // The foreground window, as a number, and its window class.
  virtual std::uintptr_t Vordergrund() = 0;
  virtual std::string Fensterklasse(std::uintptr_t fenster) = 0;
  // While the clipboard is open: keeps everything it holds, format by format; false, keeping
  // nothing, when that is more than the limits allow (too many bytes, or a program that renders
  // its formats too slowly).
  virtual bool Sichern() = 0;
  // While the clipboard is open and empty: puts back what Sichern kept. Forget forgets it.
  virtual void Einsetzen() = 0;
  virtual void Vergessen() = 0;
  // Strg with the key ('C' or 'V') as input to the foreground window; false when it was not taken.
  virtual bool StrgUnd(char taste) = 0;
  // The process of a window; the process whose window has the clipboard open now, 0 for none.
  virtual std::uint32_t Prozess(std::uintptr_t fenster) = 0;
  virtual std::uint32_t LeserProzess() = 0;
  // While a reader waits for it: puts the result offered for the paste on the clipboard in `format`.
  virtual void Rendern(unsigned format) = 0;
  virtual std::chrono::milliseconds Jetzt() = 0;
  // Waits until `bedingung` holds, for at most `frist`, serving the program's messages meanwhile;
  // the condition is asked again at each message and at least every `takt`.
  virtual bool Warten(std::chrono::milliseconds frist, std::chrono::milliseconds takt,
                      const std::function<bool()>& bedingung) = 0;
};

// How the in-place command ended.
enum class TAuswahlEnde {
  Ersetzt,            // the result was pasted over the selection and the clipboard given back
  TastenGehalten,     // the keys were still down after two seconds: nothing was done
  Terminal,           // the window in front is a console or terminal: nothing was done
  AblageBelegt,       // another program held the clipboard, so that it could not be kept: nothing was done
  ZuViel,             // the clipboard held more than can be kept: nothing was done
  KeineKopie,         // the copy brought no text: nothing marked, or a window that takes no input from here
  BefehlAbgelehnt,    // the command refused the text in its own box; the clipboard was given back
  FensterGewechselt,  // another window came to the front meanwhile; nothing was pasted, the clipboard given back
  KeinEinfuegen,      // the window never asked for the result: it takes no paste; the clipboard given back
  NichtZurueck,       // the clipboard stayed held by another program, and could not be given back
};

// Whether a window class is a console's or a terminal's, whose Strg+C ends the program running in it.
bool IstTerminal(std::string_view fensterklasse);

// A key pressed or let go of, as the command sends them.
struct TTaste {
  std::uint16_t taste;
  bool los;
  bool operator==(const TTaste&) const = default;
};
// Strg with `taste`: down, down, up, up.
std::vector<TTaste> StrgFolge(char taste);
// After only the first `eingefuegt` events of `folge` went in, the releases of the keys still down,
// so that no key stays pressed in the user's system.
std::vector<TTaste> NochLoslassen(const std::vector<TTaste>& folge, std::size_t eingefuegt);

class TAuswahlBefehl {
 public:
  TAuswahlBefehl(TAuswahlUmgebung& umgebung, ClipboardReader& ablage, TEigentum& eigentum, MessageSink& meldungen);

  // Runs the command. `befehl` is the clipboard command, which offers its result on the clipboard for
  // the paste (recording it with the owner) or says in its box why not; it returns whether it did.
  TAuswahlEnde Ersetzen(const std::function<bool()>& befehl);
  // A reader asks for the offered result in `format`: rendered for the paste only.
  void Anfrage(unsigned format);
  bool Laeuft() const { return laeuft_; }
  // The program has to end in the middle of the command: one try to give the clipboard back now.
  void Notfall();

 private:
  enum class TKopie { Text, KeinText, Nichts };
  TKopie Kopieren();
  // Gives back, trying while another program holds the clipboard; false when it could not.
  bool Zurueckgeben(std::chrono::milliseconds frist);
  TAuswahlEnde Fehler(std::string_view text, TAuswahlEnde ende);

  TAuswahlUmgebung& umgebung_;
  ClipboardReader& ablage_;
  TEigentum& eigentum_;
  MessageSink& meldungen_;
  TUebergabe uebergabe_;
  bool laeuft_ = false;
  bool gesichert_ = false;         // there is something to give back
  bool warEntschluesselt_ = false;  // what is to come back is a decrypted text of ours
};
