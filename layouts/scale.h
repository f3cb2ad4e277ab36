// Pixels at a window's own scale. Portable: the picture drawing, which picgen also builds, needs it.
#pragma once

namespace tarvolin {

// A length or coordinate of the 96-dpi layout at `dpi`, rounded half up (pixels96 >= 0).
inline constexpr int ScalePixels(int pixels96, int dpi) { return (pixels96 * dpi + 48) / 96; }

}  // namespace tarvolin
