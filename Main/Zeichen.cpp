#include "Main/Zeichen.h"

std::string MitTausenderpunkten(std::size_t zahl) {
  std::string ziffern = std::to_string(zahl);
  for (std::size_t i = ziffern.size(); i > 3; i -= 3) ziffern.insert(i - 3, 1, '.');
  return ziffern;
}
