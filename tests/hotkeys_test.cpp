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
  const auto others = [] {
    const std::vector<ProbeStart> starts = ProbeStarts();
    return std::count_if(starts.begin(), starts.end(), [](const ProbeStart& s) {
      return s.commandLine.find("probe-other") != std::string::npos;
    });
  };
  // Held: the key goes down and repeats its key-down twice before the one key-up; F4 pressed
  // meanwhile runs its own binding. Its start also shows that the repeats, handled before it,
  // came while F3 was still down (a message handled after the release counts as posted, not
  // pressed, and runs). Where Wine lifted the held key meanwhile, the program saw a release and
  // a new press, and the hold is tried again with a fresh start.
  for (int attempt = 1; attempt <= 3; ++attempt) {
    ClearProbeStarts();
    ASSERT_NE(Start("[HotKey]\r\nF3=" + Probe() + "\r\nF4=" + Ansi(other) + "\r\n" +
                    EnabledSection("--xx--------")),
              nullptr);
    ASSERT_EQ(HeldFunctionKeys(), "--xx--------");
    const LiftWatch watch;
    KeyEvent(VK_F3, true);
    ASSERT_TRUE(WaitUntil([] { return ProbeStarts().size() == 1; }, std::chrono::milliseconds(5000)));
    KeyEvent(VK_F3, true);
    KeyEvent(VK_F3, true);
    PressKey(VK_F4);
    ASSERT_TRUE(WaitUntil([&] { return others() == 1; }, std::chrono::milliseconds(5000)))
        << "F4 started nothing; keys held " << HeldFunctionKeys();
    KeyEvent(VK_F3, false);
    if (!watch.Lifted()) break;
  }
  EXPECT_EQ(ProbeStarts().size(), 2u) << "F3 ran again while held";

  // Two whole presses, each 30 ms down and 60 ms apart as a hand gives them, are two starts. The
  // gaps are part of the input: the program sees a release through a 20 ms timer and Wine's key
  // state, and takes a press much sooner after a release for a repeat.
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

// The texts of the tooltips on the screen now: a notice (a balloon of the notification area) is
// one of them, and others (the tray icon's tip under the pointer) may show as well.
BOOL CALLBACK KeepTooltipText(HWND window, LPARAM texts) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  if (!IsWindowVisible(window) || lstrcmpiW(name, L"tooltips_class32") != 0) return TRUE;
  wchar_t text[512] = {};
  DWORD_PTR length = 0;
  SendMessageTimeoutW(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 1000,
                      &length);
  if (text[0] != L'\0') reinterpret_cast<std::vector<std::wstring>*>(texts)->push_back(text);
  return TRUE;
}
std::vector<std::wstring> TooltipsOnScreen() {
  std::vector<std::wstring> texts;
  EnumWindows(KeepTooltipText, reinterpret_cast<LPARAM>(&texts));
  return texts;
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
  // In the probe's UTF-8, whatever the folders' names.
  const std::string expected[] = {Utf8(folder.path), Utf8(folder.path), Utf8(folder.path), Utf8(profile)};
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
  std::vector<std::wstring> seen;
  EXPECT_TRUE(WaitUntil(
      [&] {
        seen = TooltipsOnScreen();
        return std::find(seen.begin(), seen.end(), notice) != seen.end();
      },
      std::chrono::milliseconds(8000)))
      << "tooltips on the screen: " << seen.size()
      << (seen.empty() ? "" : ", the last: " + Ansi(seen.back()));
  ASSERT_TRUE(folder.Fill());
  PressKey(VK_F9);
  EXPECT_TRUE(
      WaitUntil([&] { return ProbeStarts(folder.path).size() == 1; }, std::chrono::milliseconds(5000)));
}

namespace {
// Red pixels in slot n's row of Main, as the user sees it.
int RedInRow(HWND main, int slot) {
  const ControlSpec* label = FindLayoutControl(kMainLayout, "Label", slot);
  return label ? CaptureClient(main).Count(LayoutRect(*label, kLayoutDpi), 0xFF0000) : -1;
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

namespace {
// Another program's window in front (tests/probe/key_window.cpp): covering the whole screen, as
// a game or a slide show does, or a small one; and the key messages it noted, a line each, apart
// from Wine's keyboard syncs.
class KeyWindow {
 public:
  explicit KeyWindow(bool full) {
    Clear();
    if (!program_.Start(BesideTests(L"key_window.exe"), full ? L"full" : L"")) return;
    WaitUntil([&] { return Lines() == std::vector<std::string>{"ready"}; });
    window_ = FindProcessWindow(program_.id(), L"KeyWindow");
    Clear();
  }
  ~KeyWindow() { Close(); }
  bool InFront() const { return window_ && GetForegroundWindow() == window_; }
  void Clear() const { DeleteFileW(Log().c_str()); }
  void Close() {
    if (window_) PostMessageW(window_, WM_CLOSE, 0, 0);
    window_ = nullptr;
    program_.WaitForExit();
  }
  // Waits until the window has noted exactly these lines, or exactly the other ones.
  ::testing::AssertionResult Noted(const std::vector<std::string>& expected) const {
    return NotedEither(expected, expected);
  }
  ::testing::AssertionResult NotedEither(const std::vector<std::string>& one,
                                         const std::vector<std::string>& other) const {
    if (WaitUntil(
            [&] {
              const std::vector<std::string> lines = Lines();
              return lines == one || lines == other;
            },
            std::chrono::milliseconds(5000)))
      return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << Shown();
  }
  static std::string Shown() {
    std::string shown = "noted:";
    for (const std::string& line : Lines()) shown += " [" + line + "]";
    return shown;
  }

  static std::vector<std::string> Lines(bool withSyncs = false) {
    std::vector<std::string> lines;
    const std::string text = ReadFileBytes(Log());
    for (size_t at = 0, end; (end = text.find('\n', at)) != std::string::npos; at = end + 1) {
      if (withSyncs || text.compare(at, end - at, "sync") != 0) lines.push_back(text.substr(at, end - at));
    }
    return lines;
  }
  // Whether Wine lifted the keys still down, to match the X server's, since the last Clear.
  static bool Synced() {
    const std::vector<std::string> lines = Lines(true);
    return std::find(lines.begin(), lines.end(), "sync") != lines.end();
  }

 private:
  static std::wstring Log() { return BesideTests(L"key_window.log"); }
  RunningProgram program_;
  HWND window_ = nullptr;
};

// F3 as the window notes it: what Tarvolin sends on carries F3's scan code (0x3D) as a keyboard's
// keys do, for games that go by scan codes; what this test sends as the user's hand carries none.
const std::string kF3 = std::to_string(VK_F3);
const std::string kSentUp = "up " + kF3 + " 61";
const std::string kSentDown = "down " + kF3 + " 61 fresh";
const std::string kHandUp = "up " + kF3 + " 0";
}  // namespace

TEST_F(Hotkeys, APressInFrontOfAFullScreenProgramGoesToItAndTheKeyIsTakenBackAfterTheRelease) {
  ASSERT_NE(Start("[HotKey]\r\nF3=" + Probe() + "\r\n[Enabled]\r\nF3=True\r\n"), nullptr);
  KeyWindow game(true);
  ASSERT_TRUE(game.InFront());
  // Held down: the key-down the hotkey took reaches the game as a fresh press, after a key-up
  // that clears the game's view of it; a repeat and the release are the game's own. Wine may lift
  // the held key in between to match the X server's keyboard, and then it is tried again.
  for (int attempt = 1; attempt <= 3; ++attempt) {
    game.Clear();
    KeyEvent(VK_F3, true);
    WaitUntil([&] { return game.Lines().size() >= 2; });
    KeyEvent(VK_F3, true);
    WaitUntil([&] { return game.Lines().size() >= 3; });
    KeyEvent(VK_F3, false);
    WaitUntil([&] { return game.Lines().size() >= 4; });
    if (!game.Synced()) break;
    ASSERT_TRUE(WaitForKeys([] { return KeyHeldElsewhere(VK_F3); }));
  }
  const std::vector<std::string> held = game.Lines();
  ASSERT_EQ(held.size(), 4u) << game.Shown();
  EXPECT_EQ(held[0], kSentUp);
  EXPECT_EQ(held[1], kSentDown);
  // Wine marks a key-down sent while the key is down a repeat or not, by when the window's thread
  // last looked at its keys.
  EXPECT_EQ(held[2].rfind("down " + kF3 + " 0 ", 0), 0u) << held[2];
  EXPECT_EQ(held[3], kHandUp);
  EXPECT_EQ(GetAsyncKeyState(VK_F3) & 0x8000, 0) << "no key left down";
  // Taken back after the release: a quick tap goes through Tarvolin again, and the game gets a
  // whole fresh press. Where the tap's own key-up came before Tarvolin looked at the key, the game
  // gets that first and the press Tarvolin sends is whole; otherwise it ends the press sent.
  ASSERT_TRUE(WaitForKeys([] { return KeyHeldElsewhere(VK_F3); }));
  game.Clear();
  PressKey(VK_F3);
  EXPECT_TRUE(game.NotedEither({kHandUp, kSentUp, kSentDown, kSentUp}, {kSentUp, kSentDown, kHandUp}));
  EXPECT_EQ(GetAsyncKeyState(VK_F3) & 0x8000, 0) << "no key left down";
  EXPECT_TRUE(ProbeStarts().empty()) << "the binding never ran";
  // The game gone and the key taken back once the tap is over, the same key runs its binding.
  game.Close();
  ASSERT_TRUE(WaitForKeys([] { return KeyHeldElsewhere(VK_F3); }));
  EXPECT_TRUE(PressAndSeeStarts(VK_F3, 1));
}

TEST_F(Hotkeys, AWindowNotCoveringTheScreenOrTheUsersLineKeepsTheKeyWithTarvolin) {
  ASSERT_NE(Start("[HotKey]\r\nF6=" + Probe() + "\r\n[Enabled]\r\nF6=True\r\n"), nullptr);
  const std::string up = "up " + std::to_string(VK_F6) + " 0";
  {
    KeyWindow small(false);
    ASSERT_TRUE(small.InFront());
    EXPECT_TRUE(PressAndSeeStarts(VK_F6, 1));
    EXPECT_TRUE(small.Noted({up})) << "the key-down is Tarvolin's";
  }
  program_.reset();
  ASSERT_NE(Start("[HotKey]\r\nF6=" + Probe() +
                  "\r\n[Enabled]\r\nF6=True\r\n[Other Settings]\r\nFullScreenKeys = Tarvolin\r\n"),
            nullptr);
  KeyWindow game(true);
  ASSERT_TRUE(game.InFront());
  EXPECT_TRUE(PressAndSeeStarts(VK_F6, 2));
  EXPECT_TRUE(game.Noted({up}));
}
