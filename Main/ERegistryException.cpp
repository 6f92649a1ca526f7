#include "ERegistryException.h"

#include "Einsetzen.h"
#include "Texte.h"

ERegistryException ERegistryException::WrongType(std::string_view valueName) {
  return ERegistryException(Einsetzen(texte::kUngueltigerDatentyp, {valueName}));
}

ERegistryException ERegistryException::CannotRead(std::string_view valueName) {
  return ERegistryException(Einsetzen(texte::kKonnteDatenNichtHolen, {valueName}));
}
