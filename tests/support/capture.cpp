#include "support/capture.h"

#include "base/handles.h"

namespace tarvolin::test {

int Pixels::Count(const RECT& r, DWORD colour) const {
  int n = 0;
  for (int y = r.top; y < r.bottom && y < height; ++y) {
    for (int x = r.left; x < r.right && x < width; ++x) n += at(x, y) == colour ? 1 : 0;
  }
  return n;
}

Pixels FromDC(HDC source, int width, int height) {
  Pixels pixels;
  pixels.width = width;
  pixels.height = height;
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  BitmapHandle dib(CreateDIBSection(source, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  MemoryDC memory(source);
  {
    SelectedObject selected(memory.get(), dib.get());
    BitBlt(memory.get(), 0, 0, width, height, source, 0, 0, SRCCOPY);
  }
  GdiFlush();
  const DWORD* p = static_cast<const DWORD*>(bits);
  pixels.data.assign(p, p + width * height);
  return pixels;
}

Pixels FromBitmap(HBITMAP bitmap) {
  BITMAP size = {};
  GetObjectW(bitmap, sizeof size, &size);
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = size.bmWidth;
  info.bmiHeader.biHeight = -size.bmHeight;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  Pixels pixels;
  pixels.data.resize(static_cast<size_t>(size.bmWidth) * static_cast<size_t>(size.bmHeight));
  const HDC screen = GetDC(nullptr);
  const int rows = GetDIBits(screen, bitmap, 0, static_cast<UINT>(size.bmHeight), pixels.data.data(), &info,
                             DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  if (rows != size.bmHeight) return Pixels();
  for (DWORD& p : pixels.data) p &= 0xFFFFFF;
  pixels.width = size.bmWidth;
  pixels.height = size.bmHeight;
  return pixels;
}

IconPixels FromIcon(HICON icon) {
  ICONINFO info = {};
  if (!icon || !GetIconInfo(icon, &info)) return IconPixels();
  const BitmapHandle colour(info.hbmColor);
  const BitmapHandle mask(info.hbmMask);
  return {FromBitmap(colour.get()), FromBitmap(mask.get())};
}

IconPixels ResourceIcon(int id, int size) {
  const IconHandle icon(static_cast<HICON>(
      LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_ICON, size, size, 0)));
  return FromIcon(icon.get());
}

Pixels CaptureClient(HWND window) {
  RECT client = {};
  GetClientRect(window, &client);
  const HDC dc = GetDC(window);
  Pixels pixels = FromDC(dc, client.right, client.bottom);
  ReleaseDC(window, dc);
  return pixels;
}

}  // namespace tarvolin::test
