#pragma once
// Synthetic key presses, as the user would type them, for the tests and benchmarks. They are
// queued as system input and handled after the current handler returns, by the control with the
// focus, passing through the main window's shortcuts first.

#include <cstdint>

namespace wendrill {

// Key-down k1, k2, k3, then key-up in the same order; 0 means no key.
void pressKeys(uint16_t k1, uint16_t k2 = 0, uint16_t k3 = 0);

}  // namespace wendrill
