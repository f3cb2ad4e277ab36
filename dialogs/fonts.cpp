#include "dialogs/fonts.h"

#include "base/handles.h"

namespace tarvolin {

namespace {

// 9 point at 96 dots per inch: characters 12 pixels high.
constexpr int kNinePointHeight = -12;
// The default font is SimSun 9 pt, whose characters fill their 12-pixel cell. Asking for the cell
// keeps that line height with any Chinese font the system substitutes for SimSun.
constexpr int kDefaultCellHeight = 12;

FontHandle MakeFont(const wchar_t* face, BYTE charset, bool underline, int height = kNinePointHeight,
                    BYTE quality = DEFAULT_QUALITY) {
  LOGFONTW font = {};
  font.lfHeight = height;
  font.lfWeight = FW_NORMAL;
  font.lfUnderline = underline ? TRUE : FALSE;
  font.lfCharSet = charset;
  font.lfOutPrecision = OUT_DEFAULT_PRECIS;
  font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  font.lfQuality = quality;
  font.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
  lstrcpynW(font.lfFaceName, face, LF_FACESIZE);
  return FontHandle(CreateFontIndirectW(&font));
}

HFONT LatinFont(bool underline) {
  static FontHandle plain = MakeFont(L"Arial", ANSI_CHARSET, false);
  static FontHandle underlined = MakeFont(L"Arial", ANSI_CHARSET, true);
  return underline ? underlined.get() : plain.get();
}

// Chinese at this size reads best in whole pixels, as SimSun's own bitmaps draw it.
constexpr BYTE kChineseQuality = NONANTIALIASED_QUALITY;

HFONT ChineseFont(bool underline) {
  static FontHandle plain = MakeFont(L"SimSun", GB2312_CHARSET, false, kNinePointHeight, kChineseQuality);
  static FontHandle underlined = MakeFont(L"SimSun", GB2312_CHARSET, true, kNinePointHeight, kChineseQuality);
  return underline ? underlined.get() : plain.get();
}

HFONT DefaultFont() {
  static FontHandle font = MakeFont(L"SimSun", GB2312_CHARSET, false, kDefaultCellHeight, kChineseQuality);
  return font.get();
}

// The font for one run of a label's text.
HFONT RunFont(FontKind kind, bool latin) {
  if (kind == FontKind::Default) return DefaultFont();
  const bool underline = kind == FontKind::Arial9Underline;
  return latin ? LatinFont(underline) : ChineseFont(underline);
}

bool IsLatin(wchar_t c) { return c < 0x0250; }

template <typename Visit>
void ForEachRun(const std::wstring& text, Visit visit) {
  size_t start = 0;
  while (start < text.size()) {
    const bool latin = IsLatin(text[start]);
    size_t end = start + 1;
    while (end < text.size() && IsLatin(text[end]) == latin) ++end;
    visit(text.data() + start, static_cast<int>(end - start), latin);
    start = end;
  }
}

}  // namespace

HFONT ControlFont(FontKind kind) {
  if (kind == FontKind::Default) return DefaultFont();
  return ChineseFont(kind == FontKind::Arial9Underline);
}

namespace {
// The label's own font (Arial, or the default font) sets its line: height and baseline.
TEXTMETRICW LineMetrics(HDC dc, FontKind kind) {
  SelectedObject font(dc, RunFont(kind, true));
  TEXTMETRICW metrics = {};
  GetTextMetricsW(dc, &metrics);
  return metrics;
}
}  // namespace

SIZE MeasureLabelText(HDC dc, const std::wstring& text, FontKind kind) {
  SIZE total = {0, LineMetrics(dc, kind).tmHeight};
  ForEachRun(text, [&](const wchar_t* run, int length, bool latin) {
    SelectedObject font(dc, RunFont(kind, latin));
    SIZE size = {};
    GetTextExtentPoint32W(dc, run, length, &size);
    total.cx += size.cx;
  });
  return total;
}

void DrawLabelText(HDC dc, const RECT& rect, const std::wstring& text, FontKind kind, COLORREF color) {
  const int baseline = rect.top + LineMetrics(dc, kind).tmAscent;
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  const COLORREF oldColor = SetTextColor(dc, color);
  const UINT oldAlign = SetTextAlign(dc, TA_BASELINE | TA_LEFT | TA_NOUPDATECP);
  int x = rect.left;
  ForEachRun(text, [&](const wchar_t* run, int length, bool latin) {
    if (x >= rect.right) return;
    SelectedObject font(dc, RunFont(kind, latin));
    ExtTextOutW(dc, x, baseline, ETO_CLIPPED, &rect, run, static_cast<UINT>(length), nullptr);
    SIZE size = {};
    GetTextExtentPoint32W(dc, run, length, &size);
    x += size.cx;
  });
  SetTextAlign(dc, oldAlign);
  SetTextColor(dc, oldColor);
  SetBkMode(dc, oldMode);
}

}  // namespace tarvolin
