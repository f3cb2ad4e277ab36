#include "layouts/layout.h"
#include "layouts/picture_ids.h"
#include "base/version.h"

#ifndef TARVOLIN_CONTACT_EMAIL
#define TARVOLIN_CONTACT_EMAIL L"tarvolin@example.org"
#endif

namespace tarvolin {

namespace {

using K = ControlKind;
using F = FontKind;
constexpr unsigned kLabelFlags = kTransparent;
constexpr unsigned kAutoLabel = kTransparent | kAutoSize;
constexpr unsigned kFlatBox = kFlat;
constexpr COLORREF kNone = kColorNone;

// clang-format off
constexpr ControlSpec kMainControls[] = {
  // name, index, kind, left, top, width, height, caption, picture, font, back, fore, flags, tab
  {"Command1", 0, K::FaceButton, 3540, 5160, 1335, 495, L"", IDB_FACE_ABOUT, F::Default, kNone, kNone, kTabStop, 0},
  {"Command1", 1, K::FaceButton, 4815, 5160, 1335, 495, L"", IDB_FACE_SETTINGS, F::Default, kNone, kNone, kTabStop, 1},
  {"Command1", 2, K::FaceButton, 2265, 5640, 1335, 495, L"", IDB_FACE_SAVE, F::Default, kNone, kNone, kTabStop, 2},
  {"Command1", 3, K::FaceButton, 3540, 5640, 1335, 495, L"", IDB_FACE_HIDE, F::Default, kNone, kNone, kTabStop, 3},
  {"Command1", 4, K::FaceButton, 4815, 5640, 1335, 495, L"", IDB_FACE_EXIT, F::Default, kNone, kNone, kTabStop, 4},
  {"Check", 1, K::CheckBox, 5680, 930, 190, 190, L"", 0, F::Default, kColorWindow, kColorWindowText, kFlatBox, 5},
  {"Check", 2, K::CheckBox, 5680, 1273, 190, 190, L"", 0, F::Default, kColorWindow, kColorWindowText, kFlatBox, 6},
  {"Check", 3, K::CheckBox, 5680, 1616, 190, 190, L"", 0, F::Default, kColorWindow, kColorWindowText, kFlatBox, 7},
  {"Check", 4, K::CheckBox, 5680, 1959, 190, 190, L"", 0, F::Default, kColorWindow, kColorWindowText, kFlatBox, 8},
  {"Check", 5, K::CheckBox, 5680, 2302, 190, 190, L"", 0, F::Default, kColorWindow, kColorWindowText, kFlatBox, 9},
  {"Check", 6, K::CheckBox, 5680, 2645, 190, 190, L"", 0, F::Default, kColorWindow, kColorWindowText, kFlatBox, 10},
  {"Check", 7, K::CheckBox, 5680, 2988, 190, 190, L"", 0, F::Default, kColorWindow, kColorWindowText, kFlatBox, 11},
  {"Check", 8, K::CheckBox, 5680, 3331, 190, 190, L"", 0, F::Default, kColorWindow, kColorWindowText, kFlatBox, 12},
  {"Check", 9, K::CheckBox, 5680, 3674, 190, 190, L"", 0, F::Default, kColorWindow, kColorWindowText, kFlatBox, 13},
  {"Check", 10, K::CheckBox, 5680, 4017, 190, 190, L"", 0, F::Default, kColorWindow, kColorWindowText, kFlatBox, 14},
  {"Check", 11, K::CheckBox, 5680, 4360, 190, 190, L"", 0, F::Default, 0xFFFFFF, kColorWindowText, kFlatBox, 15},
  {"Check", 12, K::CheckBox, 5680, 4710, 190, 190, L"", 0, F::Default, 0xFFFFFF, kColorWindowText, kFlatBox, 16},
  {"Label", 1, K::Label, 1040, 920, 4480, 255, L"", 0, F::Arial9, kNone, 0x000000, kLabelFlags, 17},
  {"Label", 2, K::Label, 1040, 1260, 4480, 255, L"", 0, F::Arial9, kNone, 0x000000, kLabelFlags, 18},
  {"Label", 3, K::Label, 1040, 1606, 4480, 255, L"", 0, F::Arial9, kNone, 0x000000, kLabelFlags, 19},
  {"Label", 4, K::Label, 1040, 1950, 4480, 255, L"", 0, F::Arial9, kNone, 0x000000, kLabelFlags, 20},
  {"Label", 5, K::Label, 1040, 2292, 4480, 255, L"", 0, F::Arial9, kNone, 0x000000, kLabelFlags, 21},
  {"Label", 6, K::Label, 1040, 2635, 4480, 255, L"", 0, F::Arial9, kNone, 0x000000, kLabelFlags, 22},
  {"Label", 7, K::Label, 1040, 2978, 4480, 255, L"", 0, F::Arial9, kNone, 0x000000, kLabelFlags, 23},
  {"Label", 8, K::Label, 1040, 3320, 4480, 255, L"", 0, F::Arial9, kNone, 0x000000, kLabelFlags, 24},
  {"Label", 9, K::Label, 1040, 3664, 4480, 255, L"", 0, F::Arial9, kNone, 0x000000, kLabelFlags, 25},
  {"Label", 10, K::Label, 1040, 4007, 4480, 255, L"", 0, F::Arial9, kNone, 0x000000, kLabelFlags, 26},
  {"Label", 11, K::Label, 1040, 4350, 4480, 255, L"", 0, F::Arial9, kNone, 0x000000, kLabelFlags, 27},
  {"Label", 12, K::Label, 1040, 4700, 4480, 255, L"", 0, F::Arial9, kNone, 0x000000, kLabelFlags, 28},
  {"Image1", -1, K::Image, 0, 0, 6270, 315, L"", 0, F::Default, kNone, kNone, 0, -1},
  // Holds the paused tray icon; placed below the client area and never shown.
  {"Image2", -1, K::Image, 1080, 6420, 480, 480, L"", IDI_PAUSED, F::Default, kNone, kNone, kInvisible, -1},
};

constexpr ControlSpec kEditControls[] = {
  {"Label1", -1, K::Label, 360, 510, 1800, 180, L"请更改下列热键设置：", 0, F::Default, kNone, 0x000000, kAutoLabel, 26},
  // The key names are indexed out of row order: F1..F3 are 9..11, F4..F12 are 0..8.
  {"Label2", 9, K::Label, 360, 885, 300, 225, L"F  1", 0, F::Arial9, kNone, 0x000000, kAutoLabel, 29},
  {"Label2", 10, K::Label, 360, 1245, 300, 225, L"F  2", 0, F::Arial9, kNone, 0x000000, kAutoLabel, 28},
  {"Label2", 11, K::Label, 360, 1605, 300, 225, L"F  3", 0, F::Arial9, kNone, 0x000000, kAutoLabel, 27},
  {"Label2", 0, K::Label, 360, 1965, 300, 225, L"F  4", 0, F::Arial9, kNone, 0x000000, kAutoLabel, 38},
  {"Label2", 1, K::Label, 360, 2325, 300, 225, L"F  5", 0, F::Arial9, kNone, 0x000000, kAutoLabel, 37},
  {"Label2", 2, K::Label, 360, 2700, 300, 225, L"F  6", 0, F::Arial9, kNone, 0x000000, kAutoLabel, 36},
  {"Label2", 3, K::Label, 360, 3060, 300, 225, L"F  7", 0, F::Arial9, kNone, 0x000000, kAutoLabel, 35},
  {"Label2", 4, K::Label, 360, 3420, 300, 225, L"F  8", 0, F::Arial9, kNone, 0x000000, kAutoLabel, 34},
  {"Label2", 5, K::Label, 360, 3780, 300, 225, L"F  9", 0, F::Arial9, kNone, 0x000000, kAutoLabel, 33},
  {"Label2", 6, K::Label, 360, 4140, 315, 225, L"F10", 0, F::Arial9, kNone, 0x000000, kAutoLabel, 32},
  {"Label2", 7, K::Label, 360, 4515, 315, 225, L"F11", 0, F::Arial9, kNone, 0x000000, kAutoLabel, 31},
  {"Label2", 8, K::Label, 360, 4875, 315, 225, L"F12", 0, F::Arial9, kNone, 0x000000, kAutoLabel, 30},
  {"Combo", 1, K::ComboBox, 840, 840, 4710, 345, L"", 0, F::Arial9, kNone, kNone, kTabStop, 0},
  {"Combo", 2, K::ComboBox, 840, 1200, 4710, 345, L"", 0, F::Arial9, kNone, kNone, kTabStop, 1},
  {"Combo", 3, K::ComboBox, 840, 1560, 4710, 345, L"", 0, F::Arial9, kNone, kNone, kTabStop, 2},
  {"Combo", 4, K::ComboBox, 840, 1920, 4710, 345, L"", 0, F::Arial9, kNone, kNone, kTabStop, 3},
  {"Combo", 5, K::ComboBox, 840, 2280, 4710, 345, L"", 0, F::Arial9, kNone, kNone, kTabStop, 4},
  {"Combo", 6, K::ComboBox, 840, 2640, 4710, 345, L"", 0, F::Arial9, kNone, kNone, kTabStop, 5},
  {"Combo", 7, K::ComboBox, 840, 3000, 4710, 345, L"", 0, F::Arial9, kNone, kNone, kTabStop, 6},
  {"Combo", 8, K::ComboBox, 840, 3360, 4710, 345, L"", 0, F::Arial9, kNone, kNone, kTabStop, 7},
  {"Combo", 9, K::ComboBox, 840, 3720, 4710, 345, L"", 0, F::Arial9, kNone, kNone, kTabStop, 8},
  {"Combo", 10, K::ComboBox, 840, 4080, 4710, 345, L"", 0, F::Arial9, kNone, kNone, kTabStop, 9},
  {"Combo", 11, K::ComboBox, 840, 4440, 4710, 345, L"", 0, F::Arial9, kNone, kNone, kTabStop, 10},
  {"Combo", 12, K::ComboBox, 840, 4800, 4710, 345, L"", 0, F::Arial9, kNone, kNone, kTabStop, 11},
  {"picCommand", 0, K::PictureBox, 5640, 840, 330, 330, L"", IDI_BROWSE, F::Default, kLightGrey, kNone, 0, 19},
  {"picCommand", 1, K::PictureBox, 5640, 1200, 330, 330, L"", IDI_BROWSE, F::Default, kLightGrey, kNone, 0, 17},
  {"picCommand", 2, K::PictureBox, 5640, 1560, 330, 330, L"", IDI_BROWSE, F::Default, kLightGrey, kNone, 0, 18},
  {"picCommand", 3, K::PictureBox, 5640, 1920, 330, 330, L"", IDI_BROWSE, F::Default, kLightGrey, kNone, 0, 20},
  {"picCommand", 4, K::PictureBox, 5640, 2280, 330, 330, L"", IDI_BROWSE, F::Default, kLightGrey, kNone, 0, 21},
  {"picCommand", 5, K::PictureBox, 5640, 2640, 330, 330, L"", IDI_BROWSE, F::Default, kLightGrey, kNone, 0, 22},
  {"picCommand", 6, K::PictureBox, 5640, 3000, 330, 330, L"", IDI_BROWSE, F::Default, kLightGrey, kNone, 0, 23},
  {"picCommand", 7, K::PictureBox, 5640, 3360, 330, 330, L"", IDI_BROWSE, F::Default, kLightGrey, kNone, 0, 24},
  {"picCommand", 8, K::PictureBox, 5640, 3720, 330, 330, L"", IDI_BROWSE, F::Default, kLightGrey, kNone, 0, 25},
  {"picCommand", 9, K::PictureBox, 5640, 4080, 330, 330, L"", IDI_BROWSE, F::Default, kLightGrey, kNone, 0, 16},
  {"picCommand", 10, K::PictureBox, 5640, 4440, 330, 330, L"", IDI_BROWSE, F::Default, kLightGrey, kNone, 0, 15},
  // One pixel lower than the even step would put it.
  {"picCommand", 11, K::PictureBox, 5640, 4815, 330, 330, L"", IDI_BROWSE, F::Default, kLightGrey, kNone, 0, 14},
  {"Check1", -1, K::CheckBox, 360, 5280, 1920, 255, L"系统启动时自动运行", 0, F::Default, kLightGrey, kColorWindowText, kTabStop, 12},
  {"Check2", -1, K::CheckBox, 360, 5640, 1740, 255, L"运行后隐藏主界面", 0, F::Default, kLightGrey, kColorWindowText, kTabStop, 13},
  {"Command1", 0, K::FaceButton, 3540, 5640, 1335, 495, L"", IDB_FACE_OK, F::Default, kNone, kNone, kTabStop, 40},
  {"Command1", 1, K::FaceButton, 4815, 5640, 1335, 495, L"", IDB_FACE_CANCEL, F::Default, kNone, kNone, kTabStop, 39},
  {"Image1", -1, K::Image, 0, 0, 6270, 315, L"", 0, F::Default, kNone, kNone, 0, -1},
};

constexpr ControlSpec kAboutControls[] = {
  {"Label2", -1, K::Label, 1260, 825, 360, 225, TARVOLIN_VERSION_WTEXT, 0, F::Arial9, kNone, 0x000000, kAutoLabel, 0},
  {"Label1", -1, K::Label, 1620, 1840, 1770, 225, TARVOLIN_CONTACT_EMAIL, 0, F::Arial9Underline, kNone, 0xFF0000, kAutoLabel | kHandCursor, 1},
  {"Image1", -1, K::Image, 0, 0, 4960, 315, L"", 0, F::Default, kNone, kNone, 0, -1},
};

constexpr ControlSpec kInforControls[] = {
  {"Command1", 0, K::FaceButton, 1150, 1040, 1335, 495, L"", IDB_FACE_OK, F::Default, kNone, kNone, kTabStop, 0},
  {"Command1", 1, K::FaceButton, 2480, 1040, 1335, 495, L"", IDB_FACE_CANCEL, F::Default, kNone, kNone, kTabStop, 1},
  {"Image1", -1, K::Image, 0, 0, 4960, 315, L"", 0, F::Default, kNone, kNone, 0, -1},
};

constexpr ControlSpec kInfor2Controls[] = {
  {"Command1", -1, K::FaceButton, 1080, 1160, 1335, 495, L"", IDB_FACE_OK, F::Default, kNone, kNone, kTabStop, 0},
  {"Image1", -1, K::Image, 0, 0, 3460, 315, L"", 0, F::Default, kNone, kNone, 0, -1},
};
// clang-format on

template <typename T, int N>
constexpr int Count(const T (&)[N]) {
  return N;
}

}  // namespace

// clang-format off
const FormSpec kMainLayout = {L"Tarvolin.Main", 6285, 6300, IDB_MAIN_BACKGROUND, kLightGrey, L"Form1",
                              IDI_APP, kMainControls, Count(kMainControls)};
const FormSpec kEditLayout = {L"Tarvolin.Edit", 6285, 6300, IDB_EDIT_BACKGROUND, kLightGrey, L"",
                              0, kEditControls, Count(kEditControls)};
const FormSpec kAboutLayout = {L"Tarvolin.About", 4980, 2490, IDB_ABOUT_BACKGROUND, kLightGrey, L"",
                               0, kAboutControls, Count(kAboutControls)};
const FormSpec kInforLayout = {L"Tarvolin.Infor", 4980, 1740, IDB_INFOR_BACKGROUND, kLightGrey, L"",
                               0, kInforControls, Count(kInforControls)};
const FormSpec kInfor2Layout = {L"Tarvolin.Infor2", 3480, 1845, IDB_INFOR2_BACKGROUND, kLightGrey, L"",
                                0, kInfor2Controls, Count(kInfor2Controls)};
// clang-format on

}  // namespace tarvolin
