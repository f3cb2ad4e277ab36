// What a window shows, as pixels: for tests that look at the windows as a user sees them.
#pragma once
#include <windows.h>

#include <vector>

namespace tarvolin::test {

// Pixels of a picture, 0x00RRGGBB, row by row from the top.
struct Pixels {
  int width = 0;
  int height = 0;
  std::vector<DWORD> data;
  DWORD at(int x, int y) const {
    return data[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)] & 0xFFFFFF;
  }
  // How many pixels inside r (client pixels) have exactly this colour.
  int Count(const RECT& r, DWORD colour) const;
};

inline bool operator==(const Pixels& a, const Pixels& b) {
  return a.width == b.width && a.height == b.height && a.data == b.data;
}

Pixels FromDC(HDC source, int width, int height);
// A bitmap's pixels as the system decodes them (empty if it cannot).
Pixels FromBitmap(HBITMAP bitmap);
// A window's client area as it is on the screen, child controls included; any process's window.
Pixels CaptureClient(HWND window);
// An icon of this process: its colour image and its mask as the system holds them.
struct IconPixels {
  Pixels colour, mask;
  bool operator==(const IconPixels& other) const { return colour == other.colour && mask == other.mask; }
};
IconPixels FromIcon(HICON icon);
// The image of this size of one of the program's icons, as the system loads it.
IconPixels ResourceIcon(int id, int size);

}  // namespace tarvolin::test
