#pragma once
// The program's virtual-key codes for the toolkit's keys.
#include "platform/wintypes.h"

namespace platform {

constexpr WORD VK_ESCAPE = 27;

// Letters and digits are their upper-case ASCII codes, Esc is VK_ESCAPE;
// keys the program never asks about are 0.
WORD VirtualKeyOf(int qtKey);

} // namespace platform
