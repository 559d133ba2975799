#pragma once
// The effect a file drag shows, from the keys held and what the drag source allows. The values
// are the platform's: DROPEFFECT_* and MK_*.

#include <cstdint>

namespace wendrill {

inline constexpr uint32_t kDropNone = 0;
inline constexpr uint32_t kDropCopy = 1;
inline constexpr uint32_t kDropMove = 2;
inline constexpr uint32_t kDropLink = 4;

inline constexpr uint32_t kKeyShift = 0x0004;    // MK_SHIFT
inline constexpr uint32_t kKeyControl = 0x0008;  // MK_CONTROL

uint32_t dropEffect(bool acceptable, uint32_t keys, uint32_t allowed);

}  // namespace wendrill
