// The records that the settings key fills: the option record, the commands' shortcuts beside it, and
// the two together as one set of settings, which is what the settings table describes.
#pragma once

#include <cstdint>
#include <string>

// The record's initialisers are the defaults: a new record holds them, and a value whose absence
// means "the default" takes them from a new record.
struct TOptionen {
  bool RegistryGefunden = false;      // did the last refresh open the settings key?
  std::int32_t CaesarVerschiebung = 2;  // 0..25
  std::int32_t Methode = 1;             // 0..4, see the method table
  bool MatrixQuadratisch = true;
  std::int32_t Spaltenzahl = 5;         // 1..100
  std::string VigenereSchluessel = "Wandelrose";  // never empty, ASCII letters only
  bool SonderzeichenIgnorieren = false;
  bool Kleinschrift = false;
  bool Grossschrift = false;
  bool LeerzeichenLoeschen = false;
  bool UmlauteErsetzen = false;
  std::string Programmpfad;             // folder of talsek.exe, with its trailing separator; UTF-8
  // Seconds after which a decrypted text is taken off the clipboard again, if it is still there;
  // 0 is never.
  std::int32_t ZwischenablageLeerenNach = 0;  // 0..3600

  bool operator==(const TOptionen&) const = default;
};

// The keyboard shortcuts of the clipboard commands and of their in-place forms, read with the
// options but kept beside them: each in the form the standard hotkey control gives (see
// Tastenkuerzel.h); 0 is none.
struct TTastenkuerzel {
  std::uint32_t Verschluesseln = 0;
  std::uint32_t Entschluesseln = 0;
  std::uint32_t AuswahlVerschluesseln = 0;  // the selected text of any program, in place
  std::uint32_t AuswahlEntschluesseln = 0;

  bool operator==(const TTastenkuerzel&) const = default;
};

// Everything the settings key holds, as one record.
struct TEinstellungen {
  TOptionen Optionen;
  TTastenkuerzel Tastenkuerzel;

  bool operator==(const TEinstellungen&) const = default;
};
