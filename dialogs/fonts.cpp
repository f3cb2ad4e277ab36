#include "dialogs/fonts.h"

#include "base/handles.h"

namespace tarvolin {

namespace {

// 9 point: characters 12 pixels high at 96 dots per inch, 18 at 144.
int NinePointHeight(int dpi) { return -MulDiv(9, dpi, 72); }
// The default font is SimSun 9 pt, whose characters fill their cell (12 pixels at 96 dots per
// inch). Asking for the cell keeps that line height with any Chinese font the system substitutes
// for SimSun.
int DefaultCellHeight(int dpi) { return MulDiv(12, dpi, kLayoutDpi); }

// Chinese at this size reads best in whole pixels, as SimSun's own bitmaps draw it.
constexpr BYTE kChineseQuality = NONANTIALIASED_QUALITY;

enum FontSlot { kArial, kArialUnderline, kChinese, kChineseUnderline, kDefault, kFontSlots };

FontHandle MakeFont(FontSlot slot, int dpi) {
  const bool latin = slot == kArial || slot == kArialUnderline;
  LOGFONTW font = {};
  font.lfHeight = slot == kDefault ? DefaultCellHeight(dpi) : NinePointHeight(dpi);
  font.lfWeight = FW_NORMAL;
  font.lfUnderline = slot == kArialUnderline || slot == kChineseUnderline ? TRUE : FALSE;
  font.lfCharSet = latin ? ANSI_CHARSET : GB2312_CHARSET;
  font.lfOutPrecision = OUT_DEFAULT_PRECIS;
  font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  font.lfQuality = latin ? DEFAULT_QUALITY : kChineseQuality;
  font.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
  lstrcpynW(font.lfFaceName, latin ? L"Arial" : L"SimSun", LF_FACESIZE);
  return FontHandle(CreateFontIndirectW(&font));
}

// The fonts of one scale, each made when first wanted. A program meets one or two scales, so a
// short list searched in order is all the cache needs. The fonts live as long as the program: a
// control may still hold one of another scale.
struct ScaleFonts {
  int dpi;
  ScaleFonts* next;
  FontHandle fonts[kFontSlots];
};

HFONT Font(FontSlot slot, int dpi) {
  static ScaleFonts* first = nullptr;
  ScaleFonts* entry = first;
  while (entry && entry->dpi != dpi) entry = entry->next;
  if (!entry) entry = first = new ScaleFonts{dpi, first, {}};
  FontHandle& font = entry->fonts[slot];
  if (!font) font = MakeFont(slot, dpi);
  return font.get();
}

// The font for one run of a label's text.
HFONT RunFont(FontKind kind, bool latin, int dpi) {
  if (kind == FontKind::Default) return Font(kDefault, dpi);
  const bool underline = kind == FontKind::Arial9Underline;
  if (latin) return Font(underline ? kArialUnderline : kArial, dpi);
  return Font(underline ? kChineseUnderline : kChinese, dpi);
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

HFONT ControlFont(FontKind kind, int dpi) {
  if (kind == FontKind::Default) return Font(kDefault, dpi);
  return Font(kind == FontKind::Arial9Underline ? kChineseUnderline : kChinese, dpi);
}

namespace {
// The label's own font (Arial, or the default font) sets its line: height and baseline.
TEXTMETRICW LineMetrics(HDC dc, FontKind kind, int dpi) {
  SelectedObject font(dc, RunFont(kind, true, dpi));
  TEXTMETRICW metrics = {};
  GetTextMetricsW(dc, &metrics);
  return metrics;
}
}  // namespace

SIZE MeasureLabelText(HDC dc, const std::wstring& text, FontKind kind, int dpi) {
  SIZE total = {0, LineMetrics(dc, kind, dpi).tmHeight};
  ForEachRun(text, [&](const wchar_t* run, int length, bool latin) {
    SelectedObject font(dc, RunFont(kind, latin, dpi));
    SIZE size = {};
    GetTextExtentPoint32W(dc, run, length, &size);
    total.cx += size.cx;
  });
  return total;
}

void DrawLabelText(HDC dc, const RECT& rect, const std::wstring& text, FontKind kind, COLORREF color,
                   int dpi) {
  const int baseline = rect.top + LineMetrics(dc, kind, dpi).tmAscent;
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  const COLORREF oldColor = SetTextColor(dc, color);
  const UINT oldAlign = SetTextAlign(dc, TA_BASELINE | TA_LEFT | TA_NOUPDATECP);
  int x = rect.left;
  ForEachRun(text, [&](const wchar_t* run, int length, bool latin) {
    if (x >= rect.right) return;
    SelectedObject font(dc, RunFont(kind, latin, dpi));
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
