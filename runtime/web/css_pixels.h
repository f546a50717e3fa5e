#pragma once
// Lengths as CSS pixels, 15 twips each: browser zoom and the device's scale
// keep them exact, as a desktop keeps twips exact at any DPI. The page's style
// is written in them on the build machine, and the program sets them so.

#include <cstdio>
#include <string>

namespace runtime {

inline std::string cssPixels(int twips) {
    char length[32];
    std::snprintf(length, sizeof length, "%.6gpx", twips / 15.0);
    return length;
}

} // namespace runtime
