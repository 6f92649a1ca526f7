// How a popup menu settles its items' accelerators ("&" marks) before it opens.
#pragma once

#include <span>
#include <string>
#include <vector>

// captions: the items of the menu in order; a caption "-" is a separator.
// Returns which items are shown: separators at either end, and all but the last of a run, are hidden.
std::vector<bool> VisibleItems(std::span<const std::string> captions);

// Gives every visible item that is not a separator a distinct accelerator where one is free,
// changing the captions in place (see the rules in the source).
void SettleAccelerators(std::span<std::string> captions, const std::vector<bool>& visible);
