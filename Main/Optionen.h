// The option record: what the clipboard commands and the launcher are steered by.
#pragma once

#include <cstdint>
#include <string>

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
  std::string Programmpfad;             // folder of talsek.exe, with its trailing separator

  bool operator==(const TOptionen&) const = default;
};

// The keyboard shortcuts of the two clipboard commands, read with the options but kept beside them:
// each in the form the standard hotkey control gives (see Tastenkuerzel.h); 0 is none.
struct TTastenkuerzel {
  std::uint32_t Verschluesseln = 0;
  std::uint32_t Entschluesseln = 0;

  bool operator==(const TTastenkuerzel&) const = default;
};

// The one process-wide record, owned by Main; it holds the defaults until the first refresh.
extern TOptionen Optionen;
// The shortcuts the last refresh left, likewise.
extern TTastenkuerzel Tastenkuerzel;
