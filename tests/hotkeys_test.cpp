// Hotkeys end to end: the real Tarvolin.exe, keys pressed with SendInput from this process, the
// tray icon's messages posted as the shell posts them, and a probe program as the bound command.
#include <gtest/gtest.h>

#include <algorithm>

#include "hotkeys/tray.h"
#include "layouts/layout.h"
#include "support/capture.h"
#include "support/program_test.h"

using namespace tarvolin;
using namespace tarvolin::test;

namespace {

using Hotkeys = ProgramTest;

std::string Probe() { return Ansi(ProbePath()); }

}  // namespace

TEST_F(Hotkeys, ABoundKeyStartsItsProgramOncePerPress) {
  ASSERT_NE(Start("[HotKey]\r\nF1=" + Probe() + "\r\nF2=\r\nF11=" + Probe() + "\r\nF12=" + Probe() +
                  "\r\n[Enabled]\r\nF1=True\r\nF2=True\r\nF11=True\r\nF12=True\r\n"),
            nullptr);
  EXPECT_TRUE(PressAndSeeStarts(VK_F1, 1));
  EXPECT_TRUE(PressAndSeeStarts(VK_F11, 2));
  EXPECT_TRUE(PressAndSeeStarts(VK_F12, 3));
  EXPECT_TRUE(PressAndSeeStarts(VK_F1, 4));
  // An empty binding runs nothing: F1 pressed after it starts the only new program.
  PressKey(VK_F2);
  EXPECT_TRUE(PressAndSeeStarts(VK_F1, 5));
  EXPECT_NE(ProbeStarts()[0].commandLine.find("probe.exe"), std::string::npos);
}

TEST_F(Hotkeys, ABindingWithArgumentsStartsItsProgramWithExactlyThoseArguments) {
  ASSERT_NE(Start("[HotKey]\r\nF2=" + Probe() + "  alpha \"beta gamma\"\r\n[Enabled]\r\nF2=True\r\n"),
            nullptr);
  ASSERT_TRUE(WaitForKeys([] { return KeyHeldElsewhere(VK_F2); }));
  ASSERT_TRUE(PressAndSeeStarts(VK_F2, 1));
  const std::string line = ProbeStarts()[0].commandLine;
  EXPECT_EQ(line.substr(line.size() - 19), " alpha \"beta gamma\"") << line;
}

TEST_F(Hotkeys, AKeyHeldDownStartsItsProgramOnceAndEveryNewPressAgain) {
  // F4 starts a copy of the probe, so the log tells the two keys apart.
  const std::wstring other = BesideTests(L"probe-other.exe");
  ASSERT_TRUE(CopyFileW(ProbePath().c_str(), other.c_str(), FALSE));
  ASSERT_NE(Start("[HotKey]\r\nF3=" + Probe() + "\r\nF4=" + Ansi(other) +
                  "\r\n"
                  "[Enabled]\r\nF3=True\r\nF4=True\r\n"),
            nullptr);
  ASSERT_EQ(HeldFunctionKeys(), "--xx--------");
  const auto others = [] {
    const std::vector<ProbeStart> starts = ProbeStarts();
    return std::count_if(starts.begin(), starts.end(), [](const ProbeStart& s) {
      return s.commandLine.find("probe-other") != std::string::npos;
    });
  };
  // Held: the key goes down and repeats its key-down twice before the one key-up; F4 pressed
  // meanwhile runs its own binding. Its start also shows that the repeats, handled before it,
  // came while F3 was still down (a message handled after the release counts as posted, not
  // pressed, and runs).
  KeyEvent(VK_F3, true);
  ASSERT_TRUE(WaitUntil([] { return ProbeStarts().size() == 1; }, std::chrono::milliseconds(5000)));
  KeyEvent(VK_F3, true);
  KeyEvent(VK_F3, true);
  EXPECT_TRUE(PressAndSeeStarts(VK_F4, 2));
  EXPECT_EQ(others(), 1);

  // Two whole presses, each 30 ms down and 60 ms apart as a hand gives them, are two starts. The
  // gaps are part of the input: the program sees a release through a 20 ms timer and Wine's key
  // state, and takes a press much sooner after a release for a repeat.
  KeyEvent(VK_F3, false);
  Sleep(60);
  ClearProbeStarts();
  for (size_t n = 1; n <= 2; ++n) {
    KeyEvent(VK_F3, true);
    Sleep(30);
    KeyEvent(VK_F3, false);
    EXPECT_TRUE(WaitUntil([&] { return ProbeStarts().size() >= n; }, std::chrono::milliseconds(5000)))
        << "press " << n;
    Sleep(60);
  }
  EXPECT_TRUE(PressAndSeeStarts(VK_F4, 3));
  EXPECT_EQ(others(), 1);
  program_.reset();
  DeleteFileW(other.c_str());
}

namespace {
// A folder beside the tests with a copy of the probe (its log lands there too); gone afterwards.
struct ProbeFolder {
  explicit ProbeFolder(const wchar_t* name) : path(ProbePath()) {
    path.erase(path.find_last_of(L'\\') + 1);
    path += name;
    CreateDirectoryW(path.c_str(), nullptr);
  }
  ~ProbeFolder() {
    for (const wchar_t* file : {L"\\probe.exe", L"\\probe-found.exe", L"\\probe.log"})
      DeleteFileW((path + file).c_str());
    RemoveDirectoryW(path.c_str());
  }
  bool Fill(const wchar_t* name = L"probe.exe") const {
    return CopyFileW(ProbePath().c_str(), (path + L"\\" + name).c_str(), FALSE) != FALSE;
  }
  std::wstring path;
};

// The text of the notice (a balloon of the notification area) on the screen now, if one shows.
BOOL CALLBACK KeepNoticeText(HWND window, LPARAM found) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  if (!IsWindowVisible(window) || lstrcmpiW(name, L"tooltips_class32") != 0) return TRUE;
  wchar_t text[512] = {};
  DWORD_PTR length = 0;
  SendMessageTimeoutW(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 1000,
                      &length);
  if (text[0] != L'\0') *reinterpret_cast<std::wstring*>(found) = text;
  return TRUE;
}
std::wstring NoticeOnScreen() {
  std::wstring found;
  EnumWindows(KeepNoticeText, reinterpret_cast<LPARAM>(&found));
  return found;
}
}  // namespace

TEST_F(Hotkeys, AProgramStartsInItsOwnFolderAndOneFoundBySearchInTheProfileFolder) {
  const ProbeFolder folder(L"start here");
  ASSERT_TRUE(folder.Fill());
  ASSERT_TRUE(folder.Fill(L"probe-found.exe"));
  const std::string program = Ansi(folder.path) + "\\probe.exe";
  // A bare name is found where the system looks for programs: here, a folder on the path.
  wchar_t path[4096] = {};
  GetEnvironmentVariableW(L"PATH", path, 4096);
  SetEnvironmentVariableW(L"PATH", (folder.path + L";" + path).c_str());
  const HWND main =
      Start("[HotKey]\r\nF5=" + program + "\r\nF6=\"" + program + "\" -x\r\nF7=" + program +
            " -y\r\nF8=probe-found.exe\r\n[Enabled]\r\nF5=True\r\nF6=True\r\nF7=True\r\nF8=True\r\n");
  SetEnvironmentVariableW(L"PATH", path);
  ASSERT_NE(main, nullptr);
  ASSERT_TRUE(WaitForKeys([] { return HeldFunctionKeys() == "----xxxx----"; })) << HeldFunctionKeys();
  wchar_t profile[MAX_PATH] = {};
  GetEnvironmentVariableW(L"USERPROFILE", profile, MAX_PATH);
  const std::string expected[] = {Ansi(folder.path), Ansi(folder.path), Ansi(folder.path), Ansi(profile)};
  for (size_t i = 0; i < 4; ++i) {
    PressKey(static_cast<WORD>(VK_F5 + i));
    ASSERT_TRUE(
        WaitUntil([&] { return ProbeStarts(folder.path).size() > i; }, std::chrono::milliseconds(5000)))
        << "F" << 5 + i << " started nothing";
    const ProbeStart start = ProbeStarts(folder.path)[i];
    EXPECT_EQ(start.folder, expected[i]) << "F" << 5 + i << ": " << start.commandLine;
  }
}

TEST_F(Hotkeys, AKeyWhoseTargetIsGoneSaysSoInANoticeAndWorksOnceItIsBack) {
  const ProbeFolder folder(L"gone for now");
  const std::wstring program = folder.path + L"\\probe.exe";
  ASSERT_NE(Start("[HotKey]\r\nF9=" + Ansi(program) + "\r\n[Enabled]\r\nF9=True\r\n"), nullptr);
  ASSERT_TRUE(WaitForKeys([] { return KeyHeldElsewhere(VK_F9); }));
  PressKey(VK_F9);
  const std::wstring notice = L"F9: \u627E\u4E0D\u5230 " + program;  // 找不到
  std::wstring seen;
  EXPECT_TRUE(WaitUntil([&] { return (seen = NoticeOnScreen()) == notice; }, std::chrono::milliseconds(8000)))
      << "the notice on the screen read: " << Ansi(seen);
  ASSERT_TRUE(folder.Fill());
  PressKey(VK_F9);
  EXPECT_TRUE(
      WaitUntil([&] { return ProbeStarts(folder.path).size() == 1; }, std::chrono::milliseconds(5000)));
}

namespace {
// Red pixels in slot n's row of Main, as the user sees it.
int RedInRow(HWND main, int slot) {
  const ControlSpec* label = FindLayoutControl(kMainLayout, "Label", slot);
  return label ? CaptureClient(main).Count(LayoutRect(*label), 0xFF0000) : -1;
}
}  // namespace

TEST_F(Hotkeys, AKeyAnotherProgramHoldsShowsRedUntilItsOwnerLetsItGo) {
  // This test is the other program: it holds F5 and F7 before Tarvolin starts.
  ASSERT_TRUE(RegisterHotKey(nullptr, 0x5005, 0, VK_F5));
  ASSERT_TRUE(RegisterHotKey(nullptr, 0x5007, 0, VK_F7));
  ASSERT_NE(Start("[HotKey]\r\nF6=" + Probe() + "\r\nF7=" + Probe() +
                  "\r\n[Enabled]\r\nF5=True\r\nF6=True\r\nF7=True\r\n"),
            nullptr);
  // F5's empty binding shows the words in red, F7's binding is red, F6 (held by Tarvolin) is not.
  ASSERT_TRUE(WaitUntil([&] { return RedInRow(main_, 5) > 20 && RedInRow(main_, 7) > 20; }));
  EXPECT_EQ(RedInRow(main_, 6), 0);

  // F5 let go: within the retry's 5 seconds Tarvolin holds it and the row is plain again.
  UnregisterHotKey(nullptr, 0x5005);
  const auto freed = std::chrono::steady_clock::now();
  ASSERT_TRUE(WaitUntil([&] { return RedInRow(main_, 5) == 0; }, std::chrono::milliseconds(6000)));
  EXPECT_LT(std::chrono::steady_clock::now() - freed, std::chrono::milliseconds(6000));
  EXPECT_TRUE(KeyHeldElsewhere(VK_F5));
  EXPECT_GT(RedInRow(main_, 7), 20);

  // F7 let go: the tray's left button shows Main and takes it at once.
  UnregisterHotKey(nullptr, 0x5007);
  PostTray(WM_LBUTTONUP);
  EXPECT_TRUE(WaitUntil([&] { return RedInRow(main_, 7) == 0; }, std::chrono::milliseconds(1500)));
  EXPECT_TRUE(PressAndSeeStarts(VK_F7, 1));
}

TEST_F(Hotkeys, TheTrayRightButtonPausesAndResumesExactlyTheSwitchedOnKeys) {
  ASSERT_NE(Start("[HotKey]\r\nF3=" + Probe() + "\r\n[Enabled]\r\nF3=True\r\nF8=True\r\n"), nullptr);
  ASSERT_EQ(HeldFunctionKeys(), "--x----x----");
  PostTray(WM_RBUTTONUP);
  ASSERT_TRUE(WaitForKeys([] { return HeldFunctionKeys() == "------------"; }));
  // Paused: a press reaches nobody (the one start below is the press after resuming).
  PressKey(VK_F3);
  // Other clicks on the icon change nothing: they come before the click that resumes.
  PostTray(WM_RBUTTONDOWN);
  PostTray(WM_LBUTTONDBLCLK);
  PostTray(WM_RBUTTONUP);
  ASSERT_TRUE(WaitForKeys([] { return HeldFunctionKeys() == "--x----x----"; })) << HeldFunctionKeys();
  EXPECT_TRUE(PressAndSeeStarts(VK_F3, 1));
  EXPECT_TRUE(TrayIconPresent(main_));
}

TEST_F(Hotkeys, TheTrayLeftButtonShowsAHiddenMain) {
  ASSERT_NE(Start("[Other Settings]\r\nAutoHide=Yes\r\n[Enabled]\r\nF2=True\r\n", false), nullptr);
  ASSERT_TRUE(WaitForKeys([] { return KeyHeldElsewhere(VK_F2); }));
  ASSERT_FALSE(IsWindowVisible(main_));
  EXPECT_TRUE(TrayIconPresent(main_)) << "hidden, but reachable through its icon";
  // The left button's press shows nothing; the right button's release after it pauses.
  PostTray(WM_LBUTTONDOWN);
  PostTray(WM_RBUTTONUP);
  ASSERT_TRUE(WaitForKeys([] { return !KeyHeldElsewhere(VK_F2); }));
  EXPECT_FALSE(IsWindowVisible(main_));
  PostTray(WM_LBUTTONUP);
  EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(main_) != FALSE; }));
}

TEST_F(Hotkeys, HideThenTheTrayLeftButtonBringsMainBack) {
  ASSERT_NE(Start("[Enabled]\r\nF9=True\r\n"), nullptr);
  Click("Command1", 3);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(main_); }));
  EXPECT_TRUE(KeyHeldElsewhere(VK_F9));
  PostTray(WM_LBUTTONUP);
  EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(main_) != FALSE; }));
}

TEST_F(Hotkeys, ARecreatedTaskbarGetsTheIconBack) {
  ASSERT_NE(Start("[Enabled]\r\nF1=True\r\n"), nullptr);
  ASSERT_TRUE(TrayIconPresent(main_));
  // The old taskbar is gone, and our icon with it.
  ASSERT_TRUE(TrayDelete(main_));
  ASSERT_FALSE(TrayIconPresent(main_));
  DWORD_PTR result = 0;
  SendMessageTimeoutW(HWND_BROADCAST, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0, SMTO_ABORTIFHUNG, 2000,
                      &result);
  EXPECT_TRUE(WaitUntil([&] { return TrayIconPresent(main_); }));
}

TEST_F(Hotkeys, AKeyStillWorksWhileAModalWindowIsOpen) {
  ASSERT_NE(Start("[HotKey]\r\nF5=" + Probe() + "\r\n[Enabled]\r\nF5=True\r\n"), nullptr);
  Click("Command1", 0);
  const HWND window = program_->WaitForWindow(L"Tarvolin.About");
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(PressAndSeeStarts(VK_F5, 1));
  EXPECT_TRUE(IsWindow(window));
}
