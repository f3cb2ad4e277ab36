#include "shell/main_form.h"

#include <commctrl.h>

#include <cstring>

#include "base/system_library.h"
#include "dialogs/about_form.h"
#include "dialogs/dpi.h"
#include "dialogs/edit_form.h"
#include "dialogs/infor2_form.h"
#include "dialogs/infor_form.h"
#include "hotkeys/full_screen.h"
#include "hotkeys/hotkeys_active.h"
#include "hotkeys/message_hook.h"
#include "hotkeys/slots.h"
#include "hotkeys/taken_keys.h"
#include "hotkeys/tray.h"
#include "settings/exe_path.h"
#include "settings/settings.h"

namespace tarvolin {

namespace {
// Windows that Main's shutdown closes, in this order.
constexpr const wchar_t* kOtherWindows[] = {L"Tarvolin.Edit", L"Tarvolin.About", L"Tarvolin.Infor",
                                            L"Tarvolin.Infor2"};
}  // namespace

MainForm::MainForm() : Form(kMainLayout) {}

MainForm::~MainForm() {
  if (TheMainWindow() == this) SetMainWindow(nullptr);
}

std::wstring MainForm::SlotCommandName(int slot) const { return Caption("Label", slot); }

void MainForm::SetSlotCommandName(int slot, const std::wstring& name) { SetCaption("Label", slot, name); }

bool MainForm::SlotSwitchedOn(int slot) const { return Value("Check", slot) != 0; }

void MainForm::SetSwitchesEnabled(bool enabled) {
  for (int n = 1; n <= kSlotCount; ++n) SetEnabled("Check", n, enabled);
}

// The tray takes the small images of the two icons, drawn for that size at Main's scale: Main's own
// small icon, and one of Image2's picture.
HICON MainForm::ActiveIcon() const { return SmallIcon(); }

// Loaded the first time the hotkeys are paused: most runs never show it.
HICON MainForm::PausedIcon() const {
  const ControlSpec* image = Spec("Image2");
  if (!trayPaused_ && image) {
    const int size = SystemMetricForDpi(SM_CXSMICON, Dpi());
    trayPaused_.reset(static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(image->picture), IMAGE_ICON, size, size, 0)));
  }
  return trayPaused_.get();
}

void MainForm::AddTrayIconAgain() {
  trayGone_ = true;
  PickIcons();
  trayGone_ = false;
}

// Main's icons are new (another scale, or a new taskbar): the paused one follows at the same size,
// and the tray shows the new one before the old ones go.
void MainForm::Icons_Changed() {
  const IconHandle oldPaused(trayPaused_.release());
  if (oldPaused) PausedIcon();
  if (trayGone_) {
    TrayAdd(hwnd(), TrayIconNow(), TrayTipText());
  } else {
    TrayModify(hwnd(), TrayIconNow(), TrayTipText());
  }
}

// The tips of taken keys lie over the rows, which have moved.
void MainForm::Form_DpiChanged() { UpdateTakenTips(); }

bool MainForm::AnotherCopyRuns() {
  // One copy per user: the mutex lives in the session's namespace and carries the user's name.
  wchar_t user[256] = {};
  DWORD length = 256;
  if (!GetUserNameW(user, &length)) user[0] = L'\0';
  const std::wstring name = std::wstring(L"Local\\Tarvolin.SingleInstance.") + user;
  instanceMutex_.reset(CreateMutexW(nullptr, FALSE, name.c_str()));
  return instanceMutex_ && GetLastError() == ERROR_ALREADY_EXISTS;
}

void MainForm::Form_Load() {
  // From here on the hotkeys, the tray and the other windows reach Main through the hand-over.
  SetMainWindow(this);
  if (AnotherCopyRuns()) {
    instanceMutex_.reset();
    Infor2Form notice;
    notice.ShowModal();
    Close();
    return;
  }
  if (IsIconic(hwnd()) || IsZoomed(hwnd())) ShowWindow(hwnd(), SW_RESTORE);
  SetHotkeysActive(-1);
  InitExePath();
  // Without a notification area the icon is simply missing.
  TrayAdd(hwnd(), TrayIconNow(), TrayTipText());
  InstallMessageHook(hwnd());
  DragAcceptFiles(hwnd(), TRUE);
  const SettingsReader settings;
  for (int n = 1; n <= kSlotCount; ++n) {
    SetSlotCommandName(n, settings.Read(kHotkeySectionRead, SlotKeyName(n)));
  }
  if (settings.Read(kOtherSection, kAutoHideKey) == L"Yes") Hide();
  // The user's own line, which nothing here writes.
  SetFullScreenKeys(settings.Read(kOtherSection, kFullScreenKeysKey));
  for (int n = 1; n <= kSlotCount; ++n) {
    if (settings.Read(kEnabledSection, SlotKeyName(n)) == L"True") {
      // Ticking runs the switch handler, which registers the key; the second request is refused.
      SetValue("Check", n, 1);
      EnableSlotHotkey(n);
    }
  }
}

void MainForm::Form_Unload() {
  TrayDelete(hwnd());
  RemoveMessageHook(hwnd());
  DisableAllHotkeys();
  for (const wchar_t* className : kOtherWindows) {
    for (Form* form : LoadedForms()) {
      if (form != this && std::wcscmp(form->layout().className, className) == 0) form->Close();
    }
  }
  PostQuitMessage(0);
}

void MainForm::Check_Click(int slot) {
  if (SlotSwitchedOn(slot)) {
    EnableSlotHotkey(slot);
  } else {
    DisableSlotHotkey(slot);
  }
}

void MainForm::Save() {
  // One write per key, bindings first, then switches; a write that fails does not stop the rest.
  // An empty binding is written as an empty value, which reads back as no command.
  for (int n = 1; n <= kSlotCount; ++n) {
    WriteSetting(kHotkeySectionWritten, SlotKeyName(n), KeepQuotes(SlotCommandName(n)));
  }
  for (int n = 1; n <= kSlotCount; ++n) {
    WriteSetting(kEnabledSection, SlotKeyName(n), SlotSwitchedOn(n) ? L"True" : L"False");
  }
}

// Dropped files become the bindings of the row under the pointer and the rows below it, as the
// editor's OK would set them: live only, until Save. A row is its label's rectangle.
void MainForm::Form_DropFiles(HDROP drop) {
  POINT point = {};
  const std::vector<std::wstring> files = DroppedFiles(drop, point);
  // While a modal window (the editor) is open, Main takes no input, dropped files included.
  if (!IsWindowEnabled(hwnd())) return;
  int slot = 0;
  for (int n = 1; n <= kSlotCount; ++n) {
    const ControlSpec* label = Spec("Label", n);
    const RECT row = label ? ControlRect(*label) : RECT{};
    if (PtInRect(&row, point)) slot = n;
  }
  FillRowsDownward(files, slot, kSlotCount,
                   [this](int row, const std::wstring& file) { SetSlotCommandName(row, file); });
}

void MainForm::Command1_Click(int index) {
  switch (index) {
    case 0: {
      AboutForm about;
      about.ShowModal();
      break;
    }
    case 1:
      ShowEditor();
      break;
    case 2:
      Save();
      break;
    case 3:
      // The tray icon and the hotkeys stay; the tray's left button brings the window back.
      Hide();
      break;
    case 4: {
      InforForm confirm;
      confirm.ShowModal();
      break;
    }
    default:
      break;
  }
}

void MainForm::Control_Click(const ControlSpec& control) {
  if (IsNamed(control, "Check")) {
    Check_Click(control.index);
  } else if (IsNamed(control, "Command1")) {
    Command1_Click(control.index);
  }
}

void MainForm::Control_MouseDown(const ControlSpec* control, int button, int, int) {
  if (IsNamed(control, "Image1")) DragWindow(button);
}

namespace {
// What a taken key's row says, in red, where its binding is empty; and its tooltip.
constexpr wchar_t kTakenText[] = L"\u5DF2\u88AB\u5176\u4ED6\u7A0B\u5E8F\u5360\u7528";  // 已被其他程序占用
constexpr COLORREF kTakenColour = RGB(255, 0, 0);

// The common controls are loaded only when a key is first taken: most runs never need them.
bool LoadTooltipClass() {
  using InitFunction = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
  const auto init = FindSystemFunction<InitFunction>(L"comctl32.dll", "InitCommonControlsEx");
  INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_BAR_CLASSES};
  return init && init(&classes);
}
}  // namespace

void MainForm::Label_Look(const ControlSpec& control, std::wstring& text, COLORREF& fore) const {
  if (!IsNamed(control, "Label") || !SlotKeyTaken(control.index)) return;
  fore = kTakenColour;
  if (text.empty()) text = kTakenText;
}

void MainForm::TakenKeysChanged() {
  for (int n = 1; n <= kSlotCount; ++n) {
    if (const ControlSpec* label = Spec("Label", n)) {
      const RECT row = ControlRect(*label);
      InvalidateRect(hwnd(), &row, FALSE);
    }
  }
  UpdateTakenTips();
}

void MainForm::UpdateTakenTips() {
  if (!tooltip_) {
    if (!AnyKeyTaken() || !LoadTooltipClass()) return;
    tooltip_ = CreateWindowExW(
        WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT,
        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd(), nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!tooltip_) return;
  }
  // One tool per taken row, over its label; the others have none.
  for (int n = 1; n <= kSlotCount; ++n) {
    const ControlSpec* label = Spec("Label", n);
    if (!label) continue;
    TTTOOLINFOW tool = {};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.hwnd = hwnd();
    tool.uId = static_cast<UINT_PTR>(n);
    SendMessageW(tooltip_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    if (!SlotKeyTaken(n)) continue;
    tool.rect = ControlRect(*label);
    tool.lpszText = const_cast<wchar_t*>(kTakenText);
    SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  }
}

LRESULT MainForm::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  // The tooltip sees the mouse over Main's rows (they are drawn, not windows of their own).
  if (tooltip_ && message == WM_MOUSEMOVE) {
    MSG mouse = {hwnd(), message, wParam, lParam, 0, {}};
    SendMessageW(tooltip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&mouse));
  }
  if (message == WM_DROPFILES) {
    Form_DropFiles(reinterpret_cast<HDROP>(wParam));
    return 0;
  }
  // The system ends the session: close Main so the shutdown runs.
  if (message == WM_ENDSESSION && wParam) {
    DestroyWindow(hwnd());
    return 0;
  }
  return Form::WindowProc(message, wParam, lParam);
}

}  // namespace tarvolin
