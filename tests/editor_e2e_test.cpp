// The editor of the real Tarvolin.exe, driven from here as a user would: real mouse input at the
// layout's positions, the open-file dialog filled in, and what another program can see afterwards
// (keys that start programs, the settings file, the registry, pixels and the mouse capture).
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "dialogs/form.h"
#include "settings/autostart.h"
#include "support/editor_driver.h"
#include "support/program_test.h"

using namespace tarvolin;
using namespace tarvolin::test;

namespace {

constexpr int kBox = 22;  // browse buttons are 22 x 22 pixels

// A second copy of the probe, so a test can tell two bindings apart by the command line.
std::wstring OtherProbePath() { return BesideTests(L"probe copy.exe"); }

bool ProbeRan(const std::wstring& path) {
  const std::string name = Ansi(path.substr(path.find_last_of(L'\\') + 1));
  for (const ProbeStart& start : ProbeStarts()) {
    if (start.commandLine.find(name) != std::string::npos) return true;
  }
  return false;
}

class EditorEndToEnd : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    CopyFileW(ProbePath().c_str(), OtherProbePath().c_str(), FALSE);
  }

  // Starts the program and opens its editor with the Settings button.
  HWND StartAndOpenEditor() { return Start() ? OpenEditor(*program_) : nullptr; }
  bool EditorClosed() {
    return WaitUntil([&] { return FindProcessWindow(program_->id(), L"Tarvolin.Edit") == nullptr; },
                     std::chrono::milliseconds(5000));
  }
  bool DialogClosed() {
    return WaitUntil([&] { return WaitForFileDialog(*program_, 0) == nullptr; },
                     std::chrono::milliseconds(5000));
  }
  // Clicks a browse button and returns the file dialog it opened (null if none within the time).
  // The first dialog of a run loads its libraries then, which on a busy machine takes seconds.
  HWND Browse(HWND editor, int index, int wait = 15000) {
    Click(editor, "picCommand", index);
    return WaitForFileDialog(*program_, wait);
  }
  // F6's row gets the probe's copy through the file dialog, and both options are ticked.
  ::testing::AssertionResult ChooseTheCopyForF6AndTickBoth(HWND editor) {
    const HWND dialog = Browse(editor, 5);
    if (!dialog) return ::testing::AssertionFailure() << "no dialog for F6";
    ChooseInDialog(dialog, OtherProbePath());
    if (!DialogClosed()) return ::testing::AssertionFailure() << "the dialog stays open";
    Click(editor, "Check1");
    Click(editor, "Check2");
    const HWND check1 = LayoutControl(editor, "Check1");
    const HWND check2 = LayoutControl(editor, "Check2");
    if (WaitUntil([&] { return Ticked(check1) && Ticked(check2); })) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "ticked: " << Ticked(check1) << ", " << Ticked(check2);
  }
  // After clicks that must open nothing: the next left click opens the one dialog, for its own
  // row. Had an earlier click opened one, that dialog would have taken this choice for its row.
  ::testing::AssertionResult OnlyTheNextClickOpensADialog(HWND editor, int index) {
    const HWND dialog = Browse(editor, index);
    if (!dialog) return ::testing::AssertionFailure() << "no dialog for button " << index;
    ChooseInDialog(dialog, ProgramPath());
    const HWND combo = LayoutControl(editor, "Combo", index + 1);
    if (DialogClosed() && WaitUntil([&] { return WindowText(combo) == ProgramPath(); })) {
      return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "row " << index + 1 << " holds " << Ansi(WindowText(combo));
  }
};

// The browse button's pixels at the middle of its left and right edges.
std::pair<COLORREF, COLORREF> Edges(HWND editor, int index) {
  return {ScreenPixel(ScreenPoint(editor, "picCommand", index, 0, kBox / 2)),
          ScreenPixel(ScreenPoint(editor, "picCommand", index, kBox - 1, kBox / 2))};
}
const std::pair<COLORREF, COLORREF> kRaised = {GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNSHADOW)};
const std::pair<COLORREF, COLORREF> kSunken = {GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT)};

bool LooksLike(HWND editor, int index, std::pair<COLORREF, COLORREF> look) {
  return WaitUntil([&] { return Edges(editor, index) == look; }, std::chrono::milliseconds(2000));
}

// A point on the editor's plain panel, right of the browse buttons.
POINT Panel(HWND editor) { return ClientToScreenPoint(editor, 406, 100); }

}  // namespace

TEST_F(EditorEndToEnd, HoverRaisesAndLeavingFlattensAndReleasesTheCapture) {
  const HWND editor = StartAndOpenEditor();
  ASSERT_NE(editor, nullptr);
  MoveMouse(Panel(editor).x, Panel(editor).y);
  const auto flat = Edges(editor, 0);
  ASSERT_NE(flat, kRaised);
  for (const int i : {0, 4, 11}) {
    const HWND box = LayoutControl(editor, "picCommand", i);
    const POINT p = ScreenPoint(editor, "picCommand", i);
    MoveMouse(p.x, p.y);
    EXPECT_TRUE(LooksLike(editor, i, kRaised)) << "button " << i;
    EXPECT_TRUE(WaitUntil([&] { return CaptureOf(editor) == box; })) << "button " << i;
    MoveMouse(Panel(editor).x, Panel(editor).y);
    EXPECT_TRUE(LooksLike(editor, i, flat)) << "button " << i;
    EXPECT_TRUE(WaitUntil([&] { return CaptureOf(editor) == nullptr; })) << "button " << i;
  }
  EXPECT_EQ(WaitForFileDialog(*program_, 0), nullptr);
}

TEST_F(EditorEndToEnd, ALeftPressSinksAndAReleaseElsewhereOpensNoDialog) {
  const HWND editor = StartAndOpenEditor();
  ASSERT_NE(editor, nullptr);
  MoveMouse(Panel(editor).x, Panel(editor).y);
  const auto flat = Edges(editor, 3);
  const POINT p = ScreenPoint(editor, "picCommand", 3);
  MoveMouse(p.x, p.y);
  ASSERT_TRUE(LooksLike(editor, 3, kRaised));
  test::MouseButton(p.x, p.y, kLeftButton, true);
  EXPECT_TRUE(LooksLike(editor, 3, kSunken));
  // Off the button with the button still held: flat at once, and the capture let go.
  MoveMouse(Panel(editor).x, Panel(editor).y);
  EXPECT_TRUE(LooksLike(editor, 3, flat));
  EXPECT_TRUE(WaitUntil([&] { return CaptureOf(editor) == nullptr; }));
  test::MouseButton(Panel(editor).x, Panel(editor).y, kLeftButton, false);
  EXPECT_TRUE(OnlyTheNextClickOpensADialog(editor, 6));
}

TEST_F(EditorEndToEnd, ARightClickRightAfterALeftClickOpensNoDialog) {
  const HWND editor = StartAndOpenEditor();
  ASSERT_NE(editor, nullptr);
  const HWND dialog = Browse(editor, 2);
  ASSERT_NE(dialog, nullptr) << "the left click opens it";
  CancelDialog(dialog);
  ASSERT_TRUE(DialogClosed());
  ASSERT_TRUE(WaitUntil([&] { return IsWindowEnabled(editor) != FALSE; }));
  Click(editor, "picCommand", 2, kRightButton);
  Click(editor, "picCommand", 2, kMiddleButton);
  EXPECT_TRUE(OnlyTheNextClickOpensADialog(editor, 4));
}

TEST_F(EditorEndToEnd, TheTimerFlattensTheCapturedButtonWhenAnotherWindowComesUnderThePointer) {
  const HWND editor = StartAndOpenEditor();
  ASSERT_NE(editor, nullptr);
  MoveMouse(Panel(editor).x, Panel(editor).y);
  for (const int i : {0, 7, 11}) {
    const auto flat = Edges(editor, i);
    const HWND box = LayoutControl(editor, "picCommand", i);
    const POINT p = ScreenPoint(editor, "picCommand", i);
    MoveMouse(p.x, p.y);
    ASSERT_TRUE(LooksLike(editor, i, kRaised)) << "button " << i;
    ASSERT_TRUE(WaitUntil([&] { return CaptureOf(editor) == box; })) << "button " << i;
    // A window of another program comes up under the resting pointer; the button sees no move.
    const HWND cover =
        CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, L"STATIC", L"",
                        WS_POPUP | WS_VISIBLE, p.x - 2, p.y - 2, 5, 5, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(cover, nullptr);
    EXPECT_TRUE(WaitUntil([&] { return CaptureOf(editor) == nullptr; })) << "button " << i;
    EXPECT_TRUE(LooksLike(editor, i, flat)) << "button " << i;
    DestroyWindow(cover);
    MoveMouse(Panel(editor).x, Panel(editor).y);
  }
}

TEST_F(EditorEndToEnd, ALeftClickOnTheSixthButtonOpensTheDialogInTheProgramsFolderForCombo6) {
  WriteSettingsBytes("[HotKey]\r\nF5=five\r\nF6=six\r\nF7=seven\r\n");
  const HWND editor = StartAndOpenEditor();
  ASSERT_NE(editor, nullptr);
  const HWND combo6 = LayoutControl(editor, "Combo", 6);
  ASSERT_EQ(WindowText(combo6), L"six");
  const HWND dialog = Browse(editor, 5);
  ASSERT_NE(dialog, nullptr);
  wchar_t title[64] = {};
  GetWindowTextW(dialog, title, 64);
  EXPECT_STREQ(title, L"打开文件");
  EXPECT_EQ(GetWindow(dialog, GW_OWNER), editor);
  EXPECT_FALSE(IsWindowEnabled(editor)) << "the dialog is modal to the editor";
  EXPECT_TRUE(WaitUntil([&] { return CaptureOf(editor) == nullptr; }))
      << "the button under the pointer keeps no hold on the mouse";
  // A bare name is looked up in the folder the dialog opened in: the program's own.
  ChooseInDialog(dialog, L"Tarvolin.exe");
  ASSERT_TRUE(DialogClosed());
  EXPECT_TRUE(WaitUntil([&] { return _wcsicmp(WindowText(combo6).c_str(), ProgramPath().c_str()) == 0; }))
      << Utf8(WindowText(combo6));
  EXPECT_EQ(WindowText(LayoutControl(editor, "Combo", 5)), L"five");
  EXPECT_EQ(WindowText(LayoutControl(editor, "Combo", 7)), L"seven");
}

TEST_F(EditorEndToEnd, TheChosenFullPathReplacesTheTextAndCancelKeepsIt) {
  // Longer than the 254 bytes that once fitted the dialog's buffer, up to the longest path the
  // dialog here takes.
  const std::wstring longest = PathOfLength(L"C:\\Long editor paths\\", 259);
  ASSERT_EQ(longest.size(), 259u);
  ASSERT_TRUE(MakeFile(longest));
  WriteSettingsBytes("[HotKey]\r\nF2=before\r\n");
  const HWND editor = StartAndOpenEditor();
  ASSERT_NE(editor, nullptr);
  const HWND combo2 = LayoutControl(editor, "Combo", 2);
  HWND dialog = Browse(editor, 1);
  ASSERT_NE(dialog, nullptr);
  CancelDialog(dialog);
  ASSERT_TRUE(DialogClosed());
  ASSERT_TRUE(WaitUntil([&] { return IsWindowEnabled(editor) != FALSE; }));
  EXPECT_EQ(WindowText(combo2), L"before");

  dialog = Browse(editor, 1);
  ASSERT_NE(dialog, nullptr);
  ChooseInDialog(dialog, longest);
  ASSERT_TRUE(DialogClosed());
  EXPECT_TRUE(WaitUntil([&] { return WindowText(combo2) == longest; })) << Utf8(WindowText(combo2));
}

TEST_F(EditorEndToEnd, APathOfMoreThan260BytesInTheCodePageIsTakenWhole) {
  // Chinese folder names: under 260 characters, over 260 bytes in code page 936.
  std::wstring path = L"C:\\";
  for (int level = 0; level < 10; ++level)
    path += L"热键设置的长路径测试第" + std::to_wstring(level) + L"层\\";
  path += L"要打开的文件.txt";
  ASSERT_LT(path.size(), 260u);
  if (GetACP() != 936) GTEST_SKIP() << "code page 936 only";
  if (!MakeFile(path)) {
    // Wine maps file names through the host's locale; without zh_CN.UTF-8 installed it can hold
    // no Chinese names at all.
    GTEST_SKIP() << "this file system takes no Chinese file names";
  }
  ASSERT_GT(Ansi(path).size(), 260u);
  const HWND editor = StartAndOpenEditor();
  ASSERT_NE(editor, nullptr);
  const HWND dialog = Browse(editor, 8);
  ASSERT_NE(dialog, nullptr);
  ChooseInDialog(dialog, path);
  ASSERT_TRUE(DialogClosed());
  const HWND combo9 = LayoutControl(editor, "Combo", 9);
  EXPECT_TRUE(WaitUntil([&] { return WindowText(combo9) == path; })) << Utf8(WindowText(combo9));
}

TEST_F(EditorEndToEnd, CancelAfterEditsAndAChosenFileLeavesBindingsFileAndRegistryAsTheyWere) {
  WriteSettingsBytes("[HotKey]\r\nF1=" + Ansi(L"我的电脑") + "\r\nF6=" + Ansi(ProbePath()) +
                     "\r\n[Enabled]\r\nF6=True\r\n[Other Settings]\r\nAutoRun=No\r\nAutoHide=No\r\n");
  const std::string before = ReadSettingsBytes();
  HWND editor = StartAndOpenEditor();
  ASSERT_NE(editor, nullptr);
  SetWindowTextOf(LayoutControl(editor, "Combo", 1), L"控制面板");
  ASSERT_TRUE(ChooseTheCopyForF6AndTickBoth(editor));
  ClickAt(ScreenPoint(editor, "Command1", 1));
  ASSERT_TRUE(EditorClosed());

  EXPECT_EQ(ReadSettingsBytes(), before);
  EXPECT_FALSE(RunValueExists(HKEY_LOCAL_MACHINE));
  EXPECT_FALSE(RunValueExists(HKEY_CURRENT_USER));
  editor = OpenEditor(*program_);
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(WindowText(LayoutControl(editor, "Combo", 1)), L"我的电脑");
  EXPECT_EQ(WindowText(LayoutControl(editor, "Combo", 6)), ProbePath());
  EXPECT_FALSE(Ticked(LayoutControl(editor, "Check1")));
  EXPECT_FALSE(Ticked(LayoutControl(editor, "Check2")));
  ClickAt(ScreenPoint(editor, "Command1", 1));
  ASSERT_TRUE(EditorClosed());
}

TEST_F(EditorEndToEnd, OkWithANewPathInCombo6RunsItAtTheNextF6AndARestartWithoutSaveBringsBackTheOld) {
  WriteSettingsBytes("[HotKey]\r\nF6=" + Ansi(ProbePath()) + "\r\n[Enabled]\r\nF6=True\r\n");
  HWND editor = StartAndOpenEditor();
  ASSERT_NE(editor, nullptr);
  ASSERT_TRUE(ChooseTheCopyForF6AndTickBoth(editor));
  ClickAt(ScreenPoint(editor, "Command1", 0));
  ASSERT_TRUE(EditorClosed());

  PressKey(VK_F6);
  EXPECT_TRUE(WaitUntil([] { return ProbeRan(OtherProbePath()); })) << "the new binding, without a restart";
  EXPECT_FALSE(ProbeRan(ProbePath()));
  const std::string file = ReadSettingsBytes();
  EXPECT_NE(file.find("F6=" + Ansi(ProbePath()) + "\r\n"), std::string::npos) << "bindings are not saved";
  EXPECT_NE(file.find("AutoRun=Yes"), std::string::npos) << file;
  EXPECT_NE(file.find("AutoHide=Yes"), std::string::npos) << file;
  EXPECT_TRUE(RunValueExists(HKEY_LOCAL_MACHINE));
  ASSERT_TRUE(program_->CloseMain());

  // Started again without Save: the old binding, the editor's options.
  ClearProbeStarts();
  const HWND main = Start(std::string(), false);
  ASSERT_NE(main, nullptr);
  ASSERT_TRUE(WaitForKeys([] { return KeyHeldElsewhere(VK_F6); }));
  EXPECT_FALSE(IsWindowVisible(main)) << "AutoHide";
  PressKey(VK_F6);
  EXPECT_TRUE(WaitUntil([] { return ProbeRan(ProbePath()); }));
  EXPECT_FALSE(ProbeRan(OtherProbePath()));
  // Main is hidden: the tray's left button brings it back, and then its Settings button is pressed.
  PostTray(WM_LBUTTONUP);
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(main) && Painted(main); }));
  Click("Command1", 1);
  editor = program_->WaitForWindow(L"Tarvolin.Edit");
  ASSERT_NE(editor, nullptr);
  EXPECT_TRUE(WaitUntil([&] { return WindowText(LayoutControl(editor, "Combo", 6)) == ProbePath(); }));
  EXPECT_TRUE(Ticked(LayoutControl(editor, "Check1")));
  EXPECT_TRUE(Ticked(LayoutControl(editor, "Check2")));
  PostMessageW(editor, WM_CLOSE, 0, 0);
  ASSERT_TRUE(EditorClosed());
}

TEST_F(EditorEndToEnd, OkWithTheBoxTickedRecordsTheProgramsPathWhereverItLivesQuotedWhereItHasABlank) {
  // Where the copy lives, and the length the value then has, its NUL included. A path with a
  // blank is quoted, or the system would split it there when it starts the program.
  const std::pair<std::wstring, size_t> places[] = {{L"C:\\Tools\\Tarvolin.exe", 22},
                                                    {L"C:\\Tarvolin.exe", 16},
                                                    {L"C:\\Program Files\\Tar volin\\Tarvolin.exe", 42}};
  CreateDirectoryW(L"C:\\Tools", nullptr);
  CreateDirectoryW(L"C:\\Program Files\\Tar volin", nullptr);
  for (const auto& [place, length] : places) {
    RemoveSettingsFile();  // each copy starts with the box unticked
    ASSERT_TRUE(CopyFileW(ProgramPath().c_str(), place.c_str(), FALSE));
    RunningProgram copy;
    ASSERT_TRUE(copy.Start(place));
    const HWND editor = OpenEditor(copy);
    ASSERT_NE(editor, nullptr);
    ClickAt(ScreenPoint(editor, "Check1"));
    ASSERT_TRUE(WaitUntil([&] { return Ticked(LayoutControl(editor, "Check1")); }));
    ClickAt(ScreenPoint(editor, "Command1", 0));
    ASSERT_TRUE(WaitUntil([&] { return FindProcessWindow(copy.id(), L"Tarvolin.Edit") == nullptr; }));

    const RunValue value = ReadRunValue(HKEY_LOCAL_MACHINE);
    ASSERT_EQ(value.status, ERROR_SUCCESS) << Utf8(place);
    EXPECT_EQ(value.type, static_cast<DWORD>(REG_SZ));
    const bool blank = place.find(L' ') != std::wstring::npos;
    EXPECT_EQ(value.bytes, (blank ? "\"" + Ansi(place) + "\"" : Ansi(place)) + '\0')
        << "one NUL, no arguments";
    EXPECT_EQ(value.bytes.size(), length);
    EXPECT_FALSE(RunValueExists(HKEY_CURRENT_USER));
    ASSERT_TRUE(copy.CloseMain());
    DeleteFileW(place.c_str());
  }
}

TEST_F(EditorEndToEnd, EveryOkRewritesOrRemovesTheEntryAsTheBoxSays) {
  // Quoted where the folder holds a blank.
  const std::string line = Ansi(RunCommandLine(ProgramPath()));
  HWND editor = StartAndOpenEditor();
  ASSERT_NE(editor, nullptr);
  ClickAt(ScreenPoint(editor, "Check1"));
  ClickAt(ScreenPoint(editor, "Command1", 0));
  ASSERT_TRUE(EditorClosed());
  ASSERT_EQ(ReadRunValue(HKEY_LOCAL_MACHINE).bytes, line + '\0');

  // Changed by another tool, then deleted by one: each OK with the box left ticked puts it right.
  RegSetKeyValueW(HKEY_LOCAL_MACHINE, kRunKeyPath, kRunValueName, REG_SZ, L"C:\\Elsewhere\\Old.exe", 42);
  for (int round = 0; round < 2; ++round) {
    editor = OpenEditor(*program_);
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(Ticked(LayoutControl(editor, "Check1")));
    ClickAt(ScreenPoint(editor, "Command1", 0));
    ASSERT_TRUE(EditorClosed());
    EXPECT_EQ(ReadRunValue(HKEY_LOCAL_MACHINE).bytes, line + '\0') << "round " << round;
    DeleteRunValue(HKEY_LOCAL_MACHINE);
  }

  editor = OpenEditor(*program_);
  ASSERT_NE(editor, nullptr);
  ClickAt(ScreenPoint(editor, "Check1"));
  ASSERT_TRUE(WaitUntil([&] { return !Ticked(LayoutControl(editor, "Check1")); }));
  RegSetKeyValueW(HKEY_LOCAL_MACHINE, kRunKeyPath, kRunValueName, REG_SZ, L"x", 4);
  ClickAt(ScreenPoint(editor, "Command1", 0));
  ASSERT_TRUE(EditorClosed());
  EXPECT_FALSE(RunValueExists(HKEY_LOCAL_MACHINE));
  EXPECT_NE(ReadSettingsBytes().find("AutoRun=No"), std::string::npos);
}

TEST_F(EditorEndToEnd, ClosingTheProgramWhileTheFileDialogIsUpEndsItCleanly) {
  const HWND editor = StartAndOpenEditor();
  ASSERT_NE(editor, nullptr);
  ASSERT_NE(Browse(editor, 0), nullptr);
  ASSERT_TRUE(program_->CloseMain());
  DWORD code = 1;
  GetExitCodeProcess(program_->process(), &code);
  EXPECT_EQ(code, 0u);
}

TEST_F(EditorEndToEnd, TheTopStripDragsTheEditorWithTheLeftButtonOnly) {
  const HWND editor = StartAndOpenEditor();
  ASSERT_NE(editor, nullptr);
  RECT first = {};
  GetWindowRect(editor, &first);
  const POINT grip = ClientToScreenPoint(editor, 150, 10);
  // The right drag moves nothing: the left drag after it moves the editor by its own distance.
  Drag(grip, 50, 40, kRightButton);
  Drag(grip, 30, 20, kLeftButton);
  EXPECT_TRUE(MovedBy(editor, first, 30, 20));
}
