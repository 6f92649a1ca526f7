#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

// A registry value of the wrong type or size. Its message is one of the two German texts
// with the value's name in place of %s.
class ERegistryException : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
  static ERegistryException WrongType(std::string_view valueName);
  static ERegistryException CannotRead(std::string_view valueName);
};
