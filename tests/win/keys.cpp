#include "tests/win/keys.h"

#include <windows.h>

#include <array>

namespace wendrill {

void pressKeys(uint16_t k1, uint16_t k2, uint16_t k3) {
    const std::array<uint16_t, 3> keys{k1, k2, k3};
    std::array<INPUT, 6> inputs{};
    UINT count = 0;
    for (DWORD flags : {DWORD{0}, DWORD{KEYEVENTF_KEYUP}}) {
        for (uint16_t key : keys) {
            if (key == 0) continue;
            INPUT& input = inputs[count++];
            input.type = INPUT_KEYBOARD;
            input.ki.wVk = key;
            input.ki.dwFlags = flags;
        }
    }
    // A refused injection simply leaves the keys out, like any other failed platform call.
    SendInput(count, inputs.data(), sizeof(INPUT));
}

}  // namespace wendrill
