#include "einstellungen/ERegistryException.h"

#include "einstellungen/Einsetzen.h"
#include "einstellungen/Texte.h"

ERegistryException ERegistryException::WrongType(std::string_view valueName) {
  return ERegistryException(Einsetzen(texte::kUngueltigerDatentyp, {valueName}));
}

ERegistryException ERegistryException::CannotRead(std::string_view valueName) {
  return ERegistryException(Einsetzen(texte::kKonnteDatenNichtHolen, {valueName}));
}
