#include "ERegistryException.h"

#include "Texte.h"

namespace {

std::string WithValueName(std::string_view pattern, std::string_view valueName) {
  std::string text(pattern);
  // Replaced by hand rather than through printf: a value name holding '%' must come out as written.
  if (const auto at = text.find("%s"); at != std::string::npos) text.replace(at, 2, valueName);
  return text;
}

}  // namespace

ERegistryException ERegistryException::WrongType(std::string_view valueName) {
  return ERegistryException(WithValueName(texte::kUngueltigerDatentyp, valueName));
}

ERegistryException ERegistryException::CannotRead(std::string_view valueName) {
  return ERegistryException(WithValueName(texte::kKonnteDatenNichtHolen, valueName));
}
