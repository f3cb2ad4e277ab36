// Pixel coordinates drawn for 96 dots per inch, taken to another scale.
#pragma once

namespace tarvolin {

// A pixel coordinate (x >= 0) of the 96-dpi drawing at dpi: x * dpi / 96, half a pixel rounded up.
inline constexpr int ScalePixels(int pixels96, int dpi) { return (pixels96 * dpi + 48) / 96; }

}  // namespace tarvolin
