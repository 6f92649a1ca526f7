// What on the clipboard is this program's own. Every write of the program's (a command's result, the
// handover of an in-place command, the give-back of what the clipboard held) is recorded here with
// what it was for and whether it is a decrypted text, and everyone who needs to know whether the
// clipboard still holds it asks here: the commands' copy check, the timed clear and the in-place
// command. The answer comes from the clipboard's sequence number, which every change of its content
// moves on, read while this program holds the clipboard open: in the moment between a check made
// before opening and the opening, another program's copy would be taken for ours.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>

#include "Main/ClipboardReader.h"
#include "Main/Wartefrist.h"

// What a write of the program's own was for.
enum class TZweck {
  Ergebnis,   // a menu command's or a shortcut's result, to keep
  Uebergabe,  // an in-place command's result, for one paste
  Rueckgabe,  // what the clipboard held before an in-place command, put back
  Anvertraut, // another program's content that an in-place command gives back: what the clipboard
              // held before it, then the copy of the selection that it asked for
};

class TEigentum {
 public:
  TEigentum(ClipboardReader& ablage, TWartefrist frist);

  // While this program holds the clipboard open, right after a write of its own that it has read
  // back: the clipboard holds that now. A clipboard whose owner is another program's window was
  // overtaken by that program's copy between our write and this look, and nothing is recorded.
  void Eingetragen(TZweck zweck, bool entschluesselt);
  // While the clipboard is open: its content, whoever wrote it, is for the program to give back.
  void Anvertraut(bool entschluesselt);
  // After a write of its own that ended with the clipboard closed: opens it to record the write
  // (trying again while a reader holds it, within the wait's time). False when that did not happen.
  bool Eintragen(TZweck zweck, bool entschluesselt);

  // The clipboard still holds exactly what this program wrote last. Asked while the clipboard is
  // open, that stays true until it is closed; asked without opening it (to stop a countdown early),
  // another program may change it the next moment, so whatever acts on the clipboard asks while open.
  bool Haelt();
  // Nothing at all has been written to the clipboard since the last entry, by anybody.
  bool Unberuehrt();
  // The last write of the program's own was a decrypted text / was for this.
  bool Entschluesselt() const { return eintrag_ && eintrag_->entschluesselt; }
  std::optional<TZweck> Zweck() const;

  enum class TErgebnis {
    Erledigt,        // done, and recorded
    NichtMehrUnser,  // another program's content is there now, and stays
    Belegt,          // another program holds the clipboard open: try again
  };
  // Opens the clipboard once and, only while it still holds what this program wrote last, replaces
  // its content by what `schreiben` writes while it is open (it empties the clipboard first), and
  // records that as the program's own.
  TErgebnis Ersetzen(TZweck zweck, bool entschluesselt, const std::function<void()>& schreiben);
  // The same, emptying the clipboard.
  TErgebnis Leeren();

 private:
  struct TEintrag {
    TZweck zweck;
    bool entschluesselt;
    std::uint32_t sequenz;
  };

  // Opens the clipboard once and runs `tun` while it still holds what this program wrote last.
  TErgebnis WennUnser(const std::function<void()>& tun);

  ClipboardReader& ablage_;
  TWartefrist frist_;
  std::optional<TEintrag> eintrag_;
};
