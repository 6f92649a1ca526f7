// Filling the "%s" places of a message text.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

// The pattern with each "%s", from left to right, replaced by the next value; the values are not
// searched again, so a "%s" inside one stays as it is.
std::string Einsetzen(std::string_view muster, std::initializer_list<std::string_view> werte);
