#include "dialogs/fonts.h"

#include "shell/handles.h"

namespace tarvolin {

namespace {

// 9 point at 96 dots per inch.
constexpr int kNinePointHeight = -12;

FontHandle MakeFont(const wchar_t* face, BYTE charset, bool underline) {
  LOGFONTW font = {};
  font.lfHeight = kNinePointHeight;
  font.lfWeight = FW_NORMAL;
  font.lfUnderline = underline ? TRUE : FALSE;
  font.lfCharSet = charset;
  font.lfOutPrecision = OUT_DEFAULT_PRECIS;
  font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  font.lfQuality = DEFAULT_QUALITY;
  font.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
  lstrcpynW(font.lfFaceName, face, LF_FACESIZE);
  return FontHandle(CreateFontIndirectW(&font));
}

HFONT LatinFont(bool underline) {
  static FontHandle plain = MakeFont(L"Arial", ANSI_CHARSET, false);
  static FontHandle underlined = MakeFont(L"Arial", ANSI_CHARSET, true);
  return underline ? underlined.get() : plain.get();
}

HFONT ChineseFont(bool underline) {
  static FontHandle plain = MakeFont(L"SimSun", GB2312_CHARSET, false);
  static FontHandle underlined = MakeFont(L"SimSun", GB2312_CHARSET, true);
  return underline ? underlined.get() : plain.get();
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
  return ChineseFont(kind == FontKind::Arial9Underline);
}

SIZE MeasureLabelText(HDC dc, const std::wstring& text, FontKind kind) {
  const bool underline = kind == FontKind::Arial9Underline;
  const bool arial = kind != FontKind::Default;
  SIZE total = {0, 0};
  ForEachRun(text, [&](const wchar_t* run, int length, bool latin) {
    SelectedObject font(dc, latin && arial ? LatinFont(underline) : ChineseFont(underline));
    SIZE size = {};
    GetTextExtentPoint32W(dc, run, length, &size);
    total.cx += size.cx;
    if (size.cy > total.cy) total.cy = size.cy;
  });
  if (text.empty()) {
    SelectedObject font(dc, arial ? LatinFont(underline) : ChineseFont(underline));
    TEXTMETRICW metrics = {};
    GetTextMetricsW(dc, &metrics);
    total.cy = metrics.tmHeight;
  }
  return total;
}

void DrawLabelText(HDC dc, const RECT& rect, const std::wstring& text, FontKind kind, COLORREF color) {
  const bool underline = kind == FontKind::Arial9Underline;
  const bool arial = kind != FontKind::Default;
  TEXTMETRICW metrics = {};
  {
    SelectedObject font(dc, arial ? LatinFont(underline) : ChineseFont(underline));
    GetTextMetricsW(dc, &metrics);
  }
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  const COLORREF oldColor = SetTextColor(dc, color);
  const UINT oldAlign = SetTextAlign(dc, TA_BASELINE | TA_LEFT | TA_NOUPDATECP);
  int x = rect.left;
  const int baseline = rect.top + metrics.tmAscent;
  ForEachRun(text, [&](const wchar_t* run, int length, bool latin) {
    if (x >= rect.right) return;
    SelectedObject font(dc, latin && arial ? LatinFont(underline) : ChineseFont(underline));
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
