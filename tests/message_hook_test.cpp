// MessageHook inside the test program, on a loaded Main, with the system's entry points replaced
// by a recorder so that no command reaches the machine.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "hotkeys/catalogue.h"
#include "hotkeys/full_screen.h"
#include "hotkeys/main_window.h"
#include "hotkeys/message_hook.h"
#include "hotkeys/notice.h"
#include "hotkeys/press_guard.h"
#include "hotkeys/slots.h"
#include "hotkeys/system_calls.h"
#include "hotkeys/taken_keys.h"
#include "hotkeys/tray.h"
#include "layouts/picture_ids.h"
#include "support/capture.h"
#include "support/loaded_main.h"
#include "support/process.h"
#include "support/recorder.h"

using namespace tarvolin;
using namespace tarvolin::test;

namespace {

class Hook : public ::testing::Test {
 protected:
  void SetUp() override {
    RemoveSettingsFile();
    WriteSettingsBytes("[Enabled]\r\nF1=True\r\nF3=True\r\n");
    system_ = std::make_unique<RecordingSystem>();
    main_ = std::make_unique<LoadedMain>();
    ASSERT_TRUE((*main_)->IsLoaded());
    hwnd_ = (*main_)->hwnd();
  }
  void TearDown() override {
    main_.reset();
    system_.reset();
    RemoveSettingsFile();
  }
  LRESULT Hotkey(UINT id) { return SendMessageW(hwnd_, WM_HOTKEY, id, MAKELPARAM(0, VK_F1)); }
  LRESULT Tray(UINT mouseMessage) {
    return SendMessageW(hwnd_, kTrayCallbackMessage, kTrayIconId, mouseMessage);
  }
  MainForm& Main() { return **main_; }

  std::unique_ptr<RecordingSystem> system_;
  std::unique_ptr<LoadedMain> main_;
  HWND hwnd_ = nullptr;
};

}  // namespace

TEST_F(Hook, AHotkeyRunsTheBindingItsLabelHoldsAtThatMoment) {
  Main().SetSlotCommandName(2, L"C:\\Tools\\Notes.exe");
  Hotkey(0xFFFFB001u);
  Main().SetSlotCommandName(2, L"D:\\Music\\List.m3u");
  Hotkey(0xFFFFB001u);
  Main().SetSlotCommandName(12, L"D:\\Games\\chess.exe");
  Hotkey(0xFFFFB011u);
  EXPECT_EQ(g_recorded.calls, (CallList{L"ShellExecuteW(0, <null>, C:\\Tools\\Notes.exe, , , 1)",
                                        L"ShellExecuteW(0, <null>, D:\\Music\\List.m3u, , , 1)",
                                        L"ShellExecuteW(0, <null>, D:\\Games\\chess.exe, , , 1)"}));
}

TEST_F(Hook, ABuiltinNameRunsOnlyItsCommand) {
  Main().SetSlotCommandName(9, L"MS-DOS");
  Main().SetSlotCommandName(5, L"关闭计算机");
  Main().SetSlotCommandName(7, L"ms-dos");
  Hotkey(0xFFFFB008u);
  Hotkey(0xFFFFB004u);
  Hotkey(0xFFFFB006u);
  EXPECT_EQ(g_recorded.calls,
            (CallList{L"ShellExecuteW(0, <null>, COMMAND.COM, , , 1)", L"EnableShutdownPrivilege()",
                      L"ExitWindowsEx(1, 0)", L"ShellExecuteW(0, <null>, ms-dos, , , 1)"}));
}

TEST_F(Hook, TwoKeysBoundToTheCdTrayShareItsAlternation) {
  Main().SetSlotCommandName(1, L"打开、关闭光驱");
  Main().SetSlotCommandName(2, L"打开、关闭光驱");
  Hotkey(0xFFFFB000u);
  Hotkey(0xFFFFB001u);
  Hotkey(0xFFFFB000u);
  EXPECT_EQ(g_recorded.calls, (CallList{L"mciSendStringA(set CDAudio door open, buffer, 127, 0)",
                                        L"mciSendStringA(set CDAudio door closed, buffer, 127, 0)",
                                        L"mciSendStringA(set CDAudio door open, buffer, 127, 0)"}));
}

TEST_F(Hook, AnEmptyBindingAndIdsOutsideTheTableRunNothing) {
  for (int n = 1; n <= kSlotCount; ++n) Main().SetSlotCommandName(n, L"explorer.exe");
  Main().SetSlotCommandName(4, L"");
  Hotkey(0xFFFFB003u);
  for (UINT id = 0xFFFFB00Au; id <= 0xFFFFB00Fu; ++id) Hotkey(id);
  Hotkey(0xB000u);
  Hotkey(0xFFFFB012u);
  SendMessageW(hwnd_, WM_USER + 1, 0xFFFFB000u, 0);
  EXPECT_EQ(g_recorded.calls.size(), 0u);
}

TEST_F(Hook, TheRightButtonPausesAndResumesEveryKey) {
  ASSERT_EQ(HeldFunctionKeys(), "x-x---------");
  ASSERT_EQ(HotkeysActive(), -1);
  Tray(WM_RBUTTONUP);
  EXPECT_EQ(HotkeysActive(), 0);
  EXPECT_EQ(HeldFunctionKeys(), "------------");
  EXPECT_EQ(TrayIcon().hIcon, Main().PausedIcon());
  EXPECT_NE(Main().PausedIcon(), Main().ActiveIcon());
  for (int n = 1; n <= kSlotCount; ++n) {
    EXPECT_FALSE(IsWindowEnabled(Main().ControlWindow("Check", n))) << n;
    EXPECT_EQ(Main().SlotSwitchedOn(n), n == 1 || n == 3) << "values kept";
  }
  // A key pressed while paused reaches nobody, so nothing runs.
  Main().SetSlotCommandName(1, L"explorer.exe");
  PressKey(VK_F1);
  PumpMessages(std::chrono::milliseconds(200));
  EXPECT_TRUE(g_recorded.calls.empty());

  Tray(WM_RBUTTONUP);
  EXPECT_EQ(HotkeysActive(), -1);
  EXPECT_EQ(HeldFunctionKeys(), "x-x---------");
  EXPECT_EQ(TrayIcon().hIcon, Main().ActiveIcon());
  EXPECT_EQ(TrayIcon().cbSize, sizeof(void*) == 8 ? 104u : 88u);  // the first layout of this flavour
  EXPECT_EQ(TrayIcon().uID, kTrayIconId);
  EXPECT_EQ(TrayIcon().uFlags, 7u);
  EXPECT_EQ(TrayIcon().uCallbackMessage, 1124u);
  EXPECT_EQ(std::string(TrayIcon().szTip), "Tarvolin");
  EXPECT_EQ(std::string(TrayIcon().szTip + 9, 55), std::string(55, ' '));
  for (int n = 1; n <= kSlotCount; ++n) EXPECT_TRUE(IsWindowEnabled(Main().ControlWindow("Check", n))) << n;
}

TEST_F(Hook, ResumingRegistersTheSwitchesAsTheyAreThen) {
  Tray(WM_RBUTTONUP);
  // The switches are disabled for the user, but their values stay what they were.
  Tray(WM_RBUTTONUP);
  Main().SetValue("Check", 3, 0);
  Main().SetValue("Check", 6, 1);
  EXPECT_EQ(HeldFunctionKeys(), "x----x------");
}

TEST_F(Hook, TheLeftButtonShowsMainInBothStatesAndOtherClicksDoNothing) {
  Main().Hide();
  for (UINT other : {WM_LBUTTONDOWN, WM_LBUTTONDBLCLK, WM_RBUTTONDOWN, WM_MOUSEMOVE, WM_MBUTTONUP}) {
    Tray(other);
  }
  EXPECT_FALSE(IsWindowVisible(hwnd_));
  EXPECT_EQ(HotkeysActive(), -1);
  Tray(WM_LBUTTONUP);
  EXPECT_TRUE(IsWindowVisible(hwnd_));

  Tray(WM_RBUTTONUP);
  Main().Hide();
  Tray(WM_LBUTTONUP);
  EXPECT_TRUE(IsWindowVisible(hwnd_));
  EXPECT_EQ(HotkeysActive(), 0);
}

TEST_F(Hook, ARecreatedTaskbarGetsTheIconBackInItsCurrentState) {
  ASSERT_TRUE(TrayIconPresent(hwnd_)) << "the icon is there after start-up";
  EXPECT_EQ(TrayIcon().hIcon, Main().ActiveIcon())
      << "a plain start shows the normal icon, not the paused one";
  Tray(WM_RBUTTONUP);
  // The shell restarted: our icon went with the old taskbar.
  ASSERT_TRUE(TrayDelete(hwnd_));
  ASSERT_FALSE(TrayIconPresent(hwnd_));
  SendMessageW(hwnd_, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
  EXPECT_TRUE(TrayIconPresent(hwnd_));
  EXPECT_EQ(TrayIcon().hIcon, Main().PausedIcon());
}

TEST_F(Hook, AKeyHandedOverAndReleasedWhilePausedStaysFreeUntilResume) {
  // F3 held down in front of a full-screen program, which got the press; then the user pauses.
  KeyEvent(VK_F3, true);
  StandAside(hwnd_, 3);
  ASSERT_EQ(HeldFunctionKeys(), "x-----------");
  Tray(WM_RBUTTONUP);
  KeyEvent(VK_F3, false);
  SendMessageW(hwnd_, WM_TIMER, kReleaseTimerId, 0);  // the release watch's tick
  EXPECT_EQ(HeldFunctionKeys(), "------------") << "paused: the key released stays free";
  Tray(WM_RBUTTONUP);
  EXPECT_EQ(HeldFunctionKeys(), "x-x---------");
}

TEST_F(Hook, MainHandsItselfToTheHotkeyLayerAsItLoadsAndTakesItselfBackAsItGoes) {
  ASSERT_EQ(TheMainWindow(), static_cast<MainWindow*>(&Main()));
  EXPECT_EQ(MainWindowHandle(), hwnd_);
  main_->Unload();
  EXPECT_EQ(MainWindowHandle(), nullptr) << "no window to register keys against";
  main_.reset();
  EXPECT_EQ(TheMainWindow(), nullptr);
  // Without Main a key and the tray's buttons do nothing, and nothing breaks.
  RunSlotCommand(1);
  ToggleHotkeys();
  ToggleHotkeys();
  EXPECT_TRUE(g_recorded.calls.empty());
}

TEST_F(Hook, TheHandOverReadsAndWritesMainsOwnLabelsAndBoxes) {
  MainWindow& main = *TheMainWindow();
  Main().SetCaption("Label", 6, L"C:\\Tools\\Notes.exe");
  EXPECT_EQ(main.SlotCommandName(6), L"C:\\Tools\\Notes.exe");
  main.SetSlotCommandName(7, L"我的电脑");
  EXPECT_EQ(Main().Caption("Label", 7), L"我的电脑");
  EXPECT_FALSE(main.SlotSwitchedOn(5));
  Main().SetValue("Check", 5, 1);
  EXPECT_TRUE(main.SlotSwitchedOn(5));
  EXPECT_EQ(HeldFunctionKeys(), "x-x-x-------");
  main.SetSwitchesEnabled(false);
  EXPECT_FALSE(IsWindowEnabled(Main().ControlWindow("Check", 12)));
  main.SetSwitchesEnabled(true);
  EXPECT_TRUE(IsWindowEnabled(Main().ControlWindow("Check", 12)));
  // The tray's icons are the small images of Main's icon and of Image2's picture.
  const auto width = [](HICON icon) {
    ICONINFO info = {};
    if (!icon || !GetIconInfo(icon, &info)) return 0L;
    BITMAP bitmap = {};
    GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
    return bitmap.bmWidth;
  };
  EXPECT_EQ(width(main.PausedIcon()), GetSystemMetrics(SM_CXSMICON));
  EXPECT_EQ(width(main.ActiveIcon()), GetSystemMetrics(SM_CXSMICON));
  // The window's own icons and its images' pictures come with its first show.
  Main().Show();
  EXPECT_EQ(width(Main().ControlIcon("Image2")), 32);
  EXPECT_EQ(width(reinterpret_cast<HICON>(SendMessageW(Main().hwnd(), WM_GETICON, ICON_BIG, 0))), 32);
  EXPECT_EQ(reinterpret_cast<HICON>(SendMessageW(Main().hwnd(), WM_GETICON, ICON_SMALL, 0)),
            main.ActiveIcon());
  // The face buttons, made at that show, take their places among the check boxes for the Tab key.
  std::vector<const ControlSpec*> specs;
  for (int i = 0; i < kMainLayout.controlCount; ++i) {
    const ControlKind kind = kMainLayout.controls[i].kind;
    if (kind == ControlKind::FaceButton || kind == ControlKind::CheckBox)
      specs.push_back(&kMainLayout.controls[i]);
  }
  std::stable_sort(specs.begin(), specs.end(), [](auto* a, auto* b) { return a->tabIndex < b->tabIndex; });
  HWND child = GetWindow(Main().hwnd(), GW_CHILD);
  for (const ControlSpec* spec : specs) {
    EXPECT_EQ(child, Main().ControlWindow(spec->name, spec->index)) << spec->name << spec->index;
    child = GetWindow(child, GW_HWNDNEXT);
  }
  EXPECT_NE(main.PausedIcon(), main.ActiveIcon());
  // At 150 % the tray's icons and the window's own are the images drawn for that scale's sizes.
  ChangeDpi(Main().hwnd(), 144, RECT{0, 0, 629, 630});
  EXPECT_EQ(FromIcon(main.ActiveIcon()), ResourceIcon(IDI_APP, 24));
  EXPECT_EQ(FromIcon(main.PausedIcon()), ResourceIcon(IDI_PAUSED, 24));
  EXPECT_EQ(FromIcon(reinterpret_cast<HICON>(SendMessageW(Main().hwnd(), WM_GETICON, ICON_BIG, 0))),
            ResourceIcon(IDI_APP, 48));
  EXPECT_EQ(reinterpret_cast<HICON>(SendMessageW(Main().hwnd(), WM_GETICON, ICON_SMALL, 0)),
            main.ActiveIcon());
}

namespace {
// A stand-in for Main's own procedure that notes what reaches it and answers with its own values.
std::vector<UINT> g_seen;
LRESULT CALLBACK Behind(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_HOTKEY || message == kTrayCallbackMessage || message >= WM_USER) {
    g_seen.push_back(message);
    return static_cast<LRESULT>(0x5000 + message + (wParam & 0xF));
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}
}  // namespace

TEST(HookPassThrough, EveryMessageReachesThePreviousProcedureAndItsAnswerIsReturned) {
  WNDCLASSW wc = {};
  wc.lpfnWndProc = &Behind;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"HookPassThroughTest";
  RegisterClassW(&wc);
  const HWND window = CreateWindowW(L"HookPassThroughTest", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                    wc.hInstance, nullptr);
  ASSERT_NE(window, nullptr);
  const SystemCalls* previous = SetSystemCalls(&kRecorder);
  const short active = HotkeysActive();
  InstallMessageHook(window);
  ASSERT_EQ(PreviousWindowProc(), &Behind);
  g_seen.clear();
  EXPECT_EQ(SendMessageW(window, WM_HOTKEY, 0xFFFFB000u, 0), 0x5000 + WM_HOTKEY + 0);
  EXPECT_EQ(SendMessageW(window, WM_HOTKEY, 0xFFFFB00Bu, 0), 0x5000 + WM_HOTKEY + 0xB);
  EXPECT_EQ(SendMessageW(window, kTrayCallbackMessage, 9999, WM_RBUTTONUP), 0x5000 + 1124 + 0xF);
  EXPECT_EQ(SendMessageW(window, kTrayCallbackMessage, 9999, WM_MOUSEMOVE), 0x5000 + 1124 + 0xF);
  EXPECT_EQ(SendMessageW(window, WM_USER + 7, 3, 0), 0x5000 + WM_USER + 7 + 3);
  EXPECT_EQ(g_seen, (std::vector<UINT>{WM_HOTKEY, WM_HOTKEY, kTrayCallbackMessage, kTrayCallbackMessage,
                                       WM_USER + 7}));
  RemoveMessageHook(window);
  EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC)), &Behind);
  DestroyWindow(window);
  SetHotkeysActive(active);
  SetSystemCalls(previous);
}

TEST(PressGuard, ARepeatWhileTheKeyIsStillDownIsIgnoredUntilItsRelease) {
  PressGuard guard;
  EXPECT_TRUE(guard.Accept(3, true));
  EXPECT_FALSE(guard.Accept(3, true)) << "the same key still down: a repeat";
  EXPECT_FALSE(guard.Accept(3, true));
  EXPECT_TRUE(guard.Accept(5, true)) << "another key is its own press";
  EXPECT_TRUE(guard.Released(3)) << "F5 still waits for its release";
  EXPECT_FALSE(guard.Waiting(3));
  EXPECT_TRUE(guard.Accept(3, true)) << "a new press after the release";
  EXPECT_TRUE(guard.Released(3));
  EXPECT_FALSE(guard.Released(5)) << "nothing waits any more";
  EXPECT_FALSE(guard.AnyWaiting());
  // A message while the key is up was posted, not pressed: it always runs and leaves nothing waiting.
  EXPECT_TRUE(guard.Accept(7, false));
  EXPECT_TRUE(guard.Accept(7, false));
  EXPECT_FALSE(guard.AnyWaiting());
  EXPECT_TRUE(guard.Accept(7, true));
  EXPECT_TRUE(guard.Accept(7, false)) << "key up again: runs, and the wait is over";
  EXPECT_FALSE(guard.Waiting(7));
  EXPECT_FALSE(guard.Accept(0, true));
  EXPECT_FALSE(guard.Accept(13, false));
  // A press handed over to a full-screen program, even a quick tap, waits for its release: a repeat
  // meanwhile stays ignored, and the release ends both.
  EXPECT_TRUE(guard.Accept(4, false));
  guard.HandOver(4);
  EXPECT_TRUE(guard.Waiting(4));
  EXPECT_TRUE(guard.HandedOver(4));
  EXPECT_FALSE(guard.Accept(4, true));
  EXPECT_FALSE(guard.Released(4));
  EXPECT_FALSE(guard.HandedOver(4));
  EXPECT_TRUE(guard.Accept(4, true)) << "the next press is an ordinary one";
  EXPECT_FALSE(guard.HandedOver(4));
}

TEST(PressGuard, APressStandsAsideOnlyForAnotherProgramsWindowFillingItsMonitor) {
  const RECT first = {0, 0, 1920, 1080};
  const RECT second = {1920, -120, 3200, 904};  // a second monitor at an offset
  struct Row {
    const char* what;
    FrontWindow front;
    bool standsAside;
  };
  // Another program's window, of process 200 (the shell's is 100), of the class WorkerW or not.
  const auto other = [](RECT window, RECT monitor, bool workerW = false, DWORD process = 200) {
    return FrontWindow{true, false, false, workerW, process, 100, window, monitor};
  };
  const Row rows[] = {
      {"a game on the first monitor", other(first, first), true},
      {"a slide show on the second monitor", other(second, second), true},
      {"one of Tarvolin's own windows", {true, true, false, false, 300, 100, first, first}, false},
      {"the desktop window or the shell's own", {true, false, true, false, 100, 100, first, first}, false},
      {"a WorkerW window of the shell, behind its icons", other(first, first, true, 100), false},
      {"a WorkerW window of another program", other(first, first, true), true},
      {"no window in front", {false, false, false, false, 0, 100, first, first}, false},
      {"a maximised window, 8 pixels past each edge", other({-8, -8, 1928, 1088}, first), false},
      {"a window the size of the work area", other({0, 0, 1920, 1040}, first), false},
      {"a window a pixel short of the monitor", other({0, 0, 1919, 1080}, first), false},
      {"a window a pixel short at the top", other({1920, -119, 3200, 904}, second), false},
      {"the first monitor's size on the second monitor", other(first, second), false},
      {"no monitor found", other({0, 0, 0, 0}, {0, 0, 0, 0}), false},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(StandsAside(row.front, false), row.standsAside) << row.what;
    EXPECT_FALSE(StandsAside(row.front, true)) << row.what << ", with the keys kept by the user";
  }
  // The user's line keeps the keys only when it says exactly "Tarvolin".
  for (const wchar_t* value : {L"Tarvolin", L"tarvolin", L"No", L"", L"Tarvolin2"}) {
    SetFullScreenKeys(value);
    EXPECT_EQ(KeysStayWithTarvolin(), std::wstring(value) == L"Tarvolin") << Ansi(value);
  }
  SetFullScreenKeys(L"");
}

namespace {
std::string Tip(const TrayTip& tip) { return std::string(tip.text, static_cast<size_t>(tip.length)); }
}  // namespace

TEST(TrayTip, NamesTheTakenKeysWithinTheFieldInTheSystemsCodePage) {
  using taken_keys_detail::TipFor;
  EXPECT_EQ(Tip(TipFor(nullptr, 0, 936)), "Tarvolin");
  const std::wstring two[] = {L"F5", L"F11"};
  EXPECT_EQ(Tip(TipFor(two, 2, 936)), "Tarvolin - F5 F11 \xD2\xD1\xB1\xBB\xD5\xBC\xD3\xC3");  // 已被占用
  EXPECT_EQ(Tip(TipFor(two, 2, 1252)), "Tarvolin - F5 F11 taken");
  std::wstring all[12];
  for (int n = 1; n <= 12; ++n) all[n - 1] = L"F" + std::to_wstring(n);
  EXPECT_EQ(Tip(TipFor(all, 12, 936)).size(), 58u) << "all twelve fit";
  // What does not fit is dropped from the end, and "等" says there is more.
  std::wstring wide[12];
  for (int n = 1; n <= 12; ++n) wide[n - 1] = L"Key-" + std::to_wstring(10 + n);
  const std::string cut = Tip(TipFor(wide, 12, 936));
  EXPECT_LE(cut.size(), 63u);
  EXPECT_EQ(cut.substr(0, 24), "Tarvolin - Key-11 Key-12");
  EXPECT_EQ(cut.find("Key-22"), std::string::npos);
  EXPECT_EQ(cut.substr(cut.size() - 12), " \xB5\xC8 \xD2\xD1\xB1\xBB\xD5\xBC\xD3\xC3");
  const std::string western = Tip(TipFor(wide, 12, 1252));
  EXPECT_LE(western.size(), 63u);
  EXPECT_EQ(western.substr(western.size() - 10), " ... taken");
  // Exactly the field's 63 bytes fit whole; one byte more and the last key gives way.
  std::wstring full[] = {L"Key-000001", L"Key-000002", L"Key-000003", L"Key-000004"};
  EXPECT_EQ(Tip(TipFor(full, 4, 936)).size(), 63u);
  full[3] += L'5';
  EXPECT_EQ(Tip(TipFor(full, 4, 936)).find("Key-0000045"), std::string::npos);
}

TEST(TrayTip, ARefusedBindingGetsOneNoticeASecondNamingTheKeyAndTheEndOfItsPath) {
  const auto text = [](const std::wstring& binding, DWORD error, unsigned cp) {
    const std::vector<char> bytes = notice_detail::NoticeText(L"F5", binding, error, cp);
    return std::string(bytes.begin(), bytes.end());
  };
  EXPECT_EQ(text(L"D:\\Games\\chess.exe", ERROR_FILE_NOT_FOUND, 936),
            "F5: \xD5\xD2\xB2\xBB\xB5\xBD D:\\Games\\chess.exe");
  EXPECT_EQ(text(L"D:\\Games\\chess.exe", ERROR_PATH_NOT_FOUND, 1252),
            "F5: cannot find D:\\Games\\chess.exe");
  EXPECT_EQ(text(L"x.doc", ERROR_NO_ASSOCIATION, 936), "F5: \xCE\xDE\xB7\xA8\xB4\xF2\xBF\xAA x.doc");
  EXPECT_EQ(text(L"\u6587.doc", ERROR_ACCESS_DENIED, 1252), "F5: cannot open ?.doc");
  // A long binding keeps its end, cut before a whole character, within the 255 bytes of the field.
  std::wstring path = L"C:";
  for (int i = 0; i < 60; ++i) path += L"\\\u6587\u4EF6\u5939";
  const std::string cut = text(path + L"\\chess.exe", ERROR_FILE_NOT_FOUND, 936);
  EXPECT_GE(cut.size(), 254u);
  EXPECT_LE(cut.size(), 255u);
  EXPECT_EQ(cut.substr(0, 14), "F5: \xD5\xD2\xB2\xBB\xB5\xBD ...");
  EXPECT_EQ(cut.substr(cut.size() - 16), "\xCE\xC4\xBC\xFE\xBC\xD0\\chess.exe");
  EXPECT_GT(MultiByteToWideChar(936, MB_ERR_INVALID_CHARS, cut.data() + 14, static_cast<int>(cut.size() - 14),
                                nullptr, 0),
            0);
  // A plain-ASCII path cuts at any byte, so it fills the field to its last byte, NUL left out.
  std::wstring ascii = L"C:";
  for (int i = 0; i < 40; ++i) ascii += L"\\Folder" + std::to_wstring(i);
  for (const unsigned cp : {936u, 1252u}) {
    const std::string full = text(ascii + L"\\chess.exe", ERROR_FILE_NOT_FOUND, cp);
    EXPECT_EQ(full.size(), 255u) << cp;
    EXPECT_EQ(full.substr(full.size() - 19), "\\Folder39\\chess.exe") << cp;
  }

  using notice_detail::NoticeDue;
  EXPECT_FALSE(NoticeDue(5, ERROR_CANCELLED, 1000)) << "the user cancelled the elevation prompt";
  EXPECT_FALSE(NoticeDue(5, ERROR_SUCCESS, 1000));
  EXPECT_TRUE(NoticeDue(5, ERROR_FILE_NOT_FOUND, 1000));
  EXPECT_FALSE(NoticeDue(5, ERROR_FILE_NOT_FOUND, 1999)) << "a burst of presses: one notice a second";
  EXPECT_TRUE(NoticeDue(6, ERROR_FILE_NOT_FOUND, 1999)) << "each key counts for itself";
  EXPECT_TRUE(NoticeDue(5, ERROR_ACCESS_DENIED, 2000));
}

TEST_F(Hook, AKeyAnotherProgramHoldsIsMarkedNamedInTheTipAndTakenOnceItIsFree) {
  // Another holder of F5 and F7: a window of this test.
  const HWND other = CreateWindowW(L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  ASSERT_TRUE(RegisterHotKey(other, 1, 0, VK_F5));
  ASSERT_TRUE(RegisterHotKey(other, 2, 0, VK_F7));
  Main().SetValue("Check", 5, 1);
  Main().SetValue("Check", 7, 1);
  EnableSlotHotkey(1);  // refused because Main holds it already: that is not "taken"
  EXPECT_TRUE(SlotKeyTaken(5));
  EXPECT_TRUE(SlotKeyTaken(7));
  EXPECT_FALSE(SlotKeyTaken(1));
  EXPECT_EQ(Main().Value("Check", 5), 1) << "the switch stays as the user set it";
  EXPECT_EQ(Main().SlotCommandName(5), L"") << "the marking is drawn, never written into the binding";
  const std::string taken = Tip(TrayTipText());
  EXPECT_EQ(std::string(TrayIcon().szTip), taken);
  EXPECT_EQ(taken.rfind("Tarvolin - F5 F7 ", 0), 0u) << taken;

  // Paused: nothing is marked; resumed: tried again and marked again.
  Tray(WM_RBUTTONUP);
  EXPECT_FALSE(AnyKeyTaken());
  EXPECT_EQ(std::string(TrayIcon().szTip), "Tarvolin");
  Tray(WM_RBUTTONUP);
  EXPECT_TRUE(SlotKeyTaken(5));

  // Let go of F5: the retry timer resume started takes it at its own tick; the tray's left button
  // takes F7 at once.
  UnregisterHotKey(other, 1);
  EXPECT_TRUE(PumpUntil([] { return !SlotKeyTaken(5); }, std::chrono::milliseconds(kRetryTimerMs + 2000)));
  EXPECT_EQ(Tip(TrayTipText()).rfind("Tarvolin - F7 ", 0), 0u);
  EXPECT_EQ(std::string(TrayIcon().szTip), Tip(TrayTipText()));
  UnregisterHotKey(other, 2);
  Tray(WM_LBUTTONUP);
  EXPECT_FALSE(AnyKeyTaken());
  EXPECT_EQ(std::string(TrayIcon().szTip), "Tarvolin");
  EXPECT_EQ(HeldFunctionKeys().substr(4, 3), "x-x");
  DestroyWindow(other);
}
