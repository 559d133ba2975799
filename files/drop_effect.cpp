#include "files/drop_effect.h"

#include <initializer_list>

namespace wendrill {
namespace {

uint32_t ifAllowed(uint32_t effect, uint32_t allowed) {
    return (allowed & effect) != 0 ? effect : kDropNone;
}

}  // namespace

uint32_t dropEffect(bool acceptable, uint32_t keys, uint32_t allowed) {
    if (!acceptable) return kDropNone;
    const bool shift = (keys & kKeyShift) != 0;
    const bool control = (keys & kKeyControl) != 0;
    if (shift && control) return kDropNone;
    if (shift) return ifAllowed(kDropMove, allowed);
    if (control) return ifAllowed(kDropCopy, allowed);
    for (uint32_t effect : {kDropCopy, kDropMove, kDropLink}) {
        if ((allowed & effect) != 0) return effect;
    }
    return kDropNone;
}

}  // namespace wendrill
