#pragma once
// Twips (1/1440 inch) to logical pixels and back, at a screen's logical DPI.

#include <cmath>

namespace runtime {

class TwipsScale {
public:
    explicit constexpr TwipsScale(double logicalDpi) : dpi_(logicalDpi) {}

    int toPixels(int twips) const { return static_cast<int>(std::lround(twips * dpi_ / 1440.0)); }
    int toTwips(int pixels) const { return static_cast<int>(std::lround(pixels * 1440.0 / dpi_)); }
    double twipsPerPixel() const { return 1440.0 / dpi_; }

private:
    double dpi_;
};

} // namespace runtime
