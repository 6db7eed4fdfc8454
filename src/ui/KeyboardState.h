#pragma once

#include <optional>

namespace keyboard {

// Whether Caps Lock is on; nullopt where the window system does not tell (no X11 display).
std::optional<bool> capsLockOn();

} // namespace keyboard
