#pragma once
// Twips (1/1440 inch) to logical pixels, at a screen's logical DPI.

#include <cmath>

namespace runtime {

struct TwipsScale {
    double logicalDpi = 96.0;
    int toPixels(int twips) const { return int(std::lround(twips * logicalDpi / 1440.0)); }
};

} // namespace runtime
