#pragma once
// Wall-clock seconds for the Windows benchmarks.

#include <windows.h>

namespace wendrill::bench {

inline double seconds() {
    LARGE_INTEGER frequency, counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

}  // namespace wendrill::bench
