// Encrypting or decrypting the selected text in place, in whatever program has it: copy the
// selection, run the clipboard command on it, paste the result over the selection, and give the
// clipboard back what it held before. Careful where careless ones are not: it waits until the user
// has let go of the keys instead of sending key-ups of its own, it knows that the copy happened by
// the clipboard's sequence number, it pastes only into the window that had the selection, and it
// gives the clipboard back only once the paste has taken the result.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>

#include "Main/MessageSink.h"

// What the command needs of the desktop; the Windows half does it with GetAsyncKeyState, SendInput,
// the clipboard and a message loop, the tests with fakes.
class TAuswahlUmgebung {
 public:
  virtual ~TAuswahlUmgebung() = default;
  // Strg, Umschalt, Alt or a Windows key is physically down.
  virtual bool TastenGedrueckt() = 0;
  // The foreground window, as a number.
  virtual std::uintptr_t Vordergrund() = 0;
  // Keeps everything the clipboard holds that can be kept as memory; false when it cannot be opened.
  virtual bool Sichern() = 0;
  // Puts back what Sichern kept, format by format; an empty clipboard before is an empty one after.
  virtual void Zurueckgeben() = 0;
  virtual std::uint32_t Sequenznummer() = 0;
  // Whether the clipboard holds a text.
  virtual bool TextDa() = 0;
  // Strg with the key ('C' or 'V') as input to the foreground window; false when it was not taken.
  virtual bool StrgUnd(char taste) = 0;
  // How often the result that the command put on the clipboard has been read.
  virtual int Gelesen() = 0;
  // Waits until `bedingung` holds, for at most `frist`, serving the program's messages meanwhile;
  // the condition is asked again at each message and at least every `takt`.
  virtual bool Warten(std::chrono::milliseconds frist, std::chrono::milliseconds takt,
                      const std::function<bool()>& bedingung) = 0;
};

// How the in-place command ended.
enum class TAuswahlEnde {
  Ersetzt,          // the result was pasted over the selection and the clipboard given back
  TastenGehalten,   // the keys were still down after two seconds: nothing was done
  AblageBelegt,     // another program held the clipboard, so that it could not be kept: nothing was done
  KeineKopie,       // the copy brought no text: nothing marked, or a window that takes no input from here
  BefehlAbgelehnt,  // the command refused the text in its own box; the clipboard was given back
  FensterGewechselt,  // another window came to the front meanwhile; nothing was pasted, the clipboard given back
};

// Runs the in-place command. `befehl` is the clipboard command, which puts its result on the
// clipboard for the paste or says in its box why not; it returns whether it did.
TAuswahlEnde AuswahlErsetzen(TAuswahlUmgebung& umgebung, MessageSink& meldungen, const std::function<bool()>& befehl);
