// The main window at work, driven end to end from another process with real mouse input at the
// layout's positions: switches, Save, Hide, Exit, About, and dragging by the top strip.
#include <gtest/gtest.h>

#include "layouts/layout.h"
#include "support/program_test.h"

using namespace tarvolin;
using namespace tarvolin::test;

namespace {

using MainWindow = ProgramTest;

std::string Setting(const wchar_t* section, const wchar_t* key) {
  wchar_t value[512] = {};
  GetPrivateProfileStringW(section, key, L"<missing>", value, 512, L"Tarvolin.ini");
  const std::wstring text(value);
  return std::string(Ansi(text));
}

}  // namespace

TEST_F(MainWindow, ASwitchHoldsOrFreesItsKeyAtOnceAndWritesNothing) {
  const std::string file = "[Other Settings]\r\nAutoRun=No\r\n";
  ASSERT_NE(Start(file), nullptr);
  Click("Check", 4);
  EXPECT_TRUE(WaitForKeys([] { return KeyHeldElsewhere(VK_F4); }));
  EXPECT_EQ(HeldFunctionKeys(), "---x--------");
  Click("Check", 4);
  EXPECT_TRUE(WaitForKeys([] { return !KeyHeldElsewhere(VK_F4); }));
  Click("Check", 12);
  EXPECT_TRUE(WaitForKeys([] { return KeyHeldElsewhere(VK_F12); }));
  EXPECT_EQ(ReadSettingsBytes(), file);
}

TEST_F(MainWindow, SaveWritesEveryBindingAndSwitchAsShown) {
  const std::string myComputer = Ansi(L"我的电脑");
  ASSERT_NE(
      Start("[Other Settings]\r\nAutoHide=No\r\nFullScreenKeys=Tarvolin\r\n[HotKey]\r\nF1=" + myComputer +
            "\r\nF5=C:\\Tools\\Notes.exe\r\nF9=MS-DOS\r\n[Enabled]\r\nF1=True\r\nF9=True\r\n"),
      nullptr);
  Click("Check", 5);
  Click("Check", 9);
  ASSERT_TRUE(WaitForKeys([] { return KeyHeldElsewhere(VK_F5) && !KeyHeldElsewhere(VK_F9); }));
  Click("Command1", 2);
  ASSERT_TRUE(WaitUntil([] { return Setting(L"Enabled", L"F12") == "False"; }));

  EXPECT_EQ(Setting(L"HotKey", L"F1"), myComputer);
  EXPECT_EQ(Setting(L"HotKey", L"F5"), "C:\\Tools\\Notes.exe");
  EXPECT_EQ(Setting(L"HotKey", L"F9"), "MS-DOS");
  for (const wchar_t* key : {L"F2", L"F3", L"F4", L"F6", L"F7", L"F8", L"F10", L"F11", L"F12"}) {
    EXPECT_EQ(Setting(L"HotKey", key), "") << "an empty binding is kept as an empty value";
  }
  const char* expected[] = {"True",  "False", "False", "False", "True",  "False",
                            "False", "False", "False", "False", "False", "False"};
  for (int n = 1; n <= 12; ++n) {
    EXPECT_EQ(Setting(L"Enabled", (L"F" + std::to_wstring(n)).c_str()), expected[n - 1]) << "F" << n;
  }
  EXPECT_EQ(Setting(L"Other Settings", L"AutoHide"), "No");
  EXPECT_EQ(Setting(L"Other Settings", L"FullScreenKeys"), "Tarvolin") << "the user's own line stays";
  const std::string bytes = ReadSettingsBytes();
  // The Chinese name keeps its code-page bytes: no byte-order mark, the GBK bytes in place.
  EXPECT_NE(bytes.substr(0, 2), "\xFF\xFE");
  EXPECT_NE(bytes.find("F1=" + myComputer + "\r\n"), std::string::npos);
}

TEST_F(MainWindow, AFirstSaveCreatesTheFileInTheWindowsDirectory) {
  ASSERT_NE(Start(), nullptr);
  ASSERT_FALSE(SettingsFileExists());
  Click("Check", 2);
  Click("Command1", 2);
  ASSERT_TRUE(WaitUntil([] { return ReadSettingsBytes().find("F12=False") != std::string::npos; }));
  std::string expected = "[HotKey]\r\n";
  for (int n = 1; n <= 12; ++n) expected += "F" + std::to_string(n) + "=\r\n";
  expected += "[Enabled]\r\n";
  for (int n = 1; n <= 12; ++n) expected += "F" + std::to_string(n) + (n == 2 ? "=True\r\n" : "=False\r\n");
  EXPECT_EQ(ReadSettingsBytes(), expected);
}

TEST_F(MainWindow, HideHidesTheWindowAndTheKeysStayHeld) {
  ASSERT_NE(Start("[Enabled]\r\nF7=True\r\n"), nullptr);
  Click("Command1", 3);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(main_); }));
  EXPECT_TRUE(program_->Running());
  EXPECT_EQ(HeldFunctionKeys(), "------x-----");
}

TEST_F(MainWindow, ExitThenCancelChangesNothing) {
  ASSERT_NE(Start("[Enabled]\r\nF1=True\r\n"), nullptr);
  Click("Command1", 4);
  const HWND confirm = WaitForOwnWindow(L"Tarvolin.Infor");
  ASSERT_NE(confirm, nullptr);
  EXPECT_FALSE(IsWindowEnabled(main_)) << "Main takes no input while the question is open";
  RECT client = {};
  GetClientRect(confirm, &client);
  EXPECT_EQ(client.right, 332);
  EXPECT_EQ(client.bottom, 116);

  Click(confirm, "Command1", 1);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(confirm); }));
  EXPECT_TRUE(IsWindowEnabled(main_));
  EXPECT_TRUE(IsWindowVisible(main_));
  EXPECT_TRUE(program_->Running());
  EXPECT_EQ(HeldFunctionKeys(), "x-----------");
}

TEST_F(MainWindow, ExitThenOkEndsTheProgramAndFreesEveryKey) {
  ASSERT_NE(Start("[Enabled]\r\nF1=True\r\nF12=True\r\n"), nullptr);
  Click("Command1", 4);
  const HWND confirm = WaitForOwnWindow(L"Tarvolin.Infor");
  ASSERT_NE(confirm, nullptr);
  Click(confirm, "Command1", 0);
  EXPECT_TRUE(program_->WaitForExit());
  EXPECT_EQ(HeldFunctionKeys(), "------------");
  EXPECT_EQ(FindProcessWindow(program_->id(), L"Tarvolin.Main"), nullptr);
  EXPECT_EQ(FindProcessWindow(program_->id(), L"Tarvolin.Infor"), nullptr);
}

TEST_F(MainWindow, OnlyTheInnerRectangleOfAFaceButtonTakesTheMouse) {
  ASSERT_NE(Start(), nullptr);
  // Command1(4), Exit: a press just outside the inner rectangle is not a press on the button.
  const int left = TwipsToPixels(4815, kLayoutDpi);
  const int top = TwipsToPixels(5640, kLayoutDpi);
  const POINT outside = WindowPoint(main_, left + 3, top + 2);
  ClickAt(outside.x, outside.y);
  // A switch clicked after it still reacts: no question took Main's input.
  Click("Check", 1);
  ASSERT_TRUE(WaitForKeys([] { return KeyHeldElsewhere(VK_F1); })) << "Main took no click after the miss";
  EXPECT_EQ(FindProcessWindow(program_->id(), L"Tarvolin.Infor"), nullptr);
  const POINT inside = WindowPoint(main_, left + kButtonRegion.left + 1, top + kButtonRegion.top + 1);
  ClickAt(inside.x, inside.y);
  EXPECT_NE(WaitForOwnWindow(L"Tarvolin.Infor"), nullptr);
}

TEST_F(MainWindow, AboutClosesOnAnyPressOnItsBackgroundOrVersionButNotOnTheAddress) {
  ASSERT_NE(Start(), nullptr);
  Click("Command1", 0);
  HWND about = WaitForOwnWindow(L"Tarvolin.About");
  ASSERT_NE(about, nullptr);
  RECT client = {};
  GetClientRect(about, &client);
  EXPECT_EQ(client.right, 332);
  EXPECT_EQ(client.bottom, 166);
  // Main takes no input meanwhile: its switch does not react (seen once About, clicked after it, is gone).
  Click("Check", 6);
  POINT background = WindowPoint(about, 30, 140);
  ClickAt(background.x, background.y, kRightButton);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(about); }));
  EXPECT_FALSE(KeyHeldElsewhere(VK_F6));

  Click("Command1", 0);
  about = WaitForOwnWindow(L"Tarvolin.About");
  ASSERT_NE(about, nullptr);
  const POINT version =
      WindowPoint(about, TwipsToPixels(1260, kLayoutDpi) + 3, TwipsToPixels(825, kLayoutDpi) + 5);
  test::MouseButton(version.x, version.y, kLeftButton, true);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(about); }));
  test::MouseButton(version.x, version.y, kLeftButton, false);
}

TEST_F(MainWindow, TheAddressOpensAMailMessageAndLeavesAboutOpen) {
  // The test's own handler for mail links stands in for the mail program (the prefix is the
  // test run's own, so its class registration may be changed).
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyW(HKEY_CLASSES_ROOT, L"mailto\\shell\\open\\command", &key), ERROR_SUCCESS);
  const std::wstring command = L"\"" + ProbePath() + L"\" \"%1\"";
  RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                 static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(key);
  ClearProbeStarts();

  ASSERT_NE(Start(), nullptr);
  Click("Command1", 0);
  const HWND about = WaitForOwnWindow(L"Tarvolin.About");
  ASSERT_NE(about, nullptr);
  const POINT address =
      WindowPoint(about, TwipsToPixels(1620, kLayoutDpi) + 10, TwipsToPixels(1840, kLayoutDpi) + 5);
  ClickAt(address.x, address.y);
  EXPECT_TRUE(WaitUntil([] { return !ProbeStarts().empty(); }));
  const auto starts = ProbeStarts();
  ASSERT_EQ(starts.size(), 1u);
  EXPECT_NE(starts[0].commandLine.find("mailto:tarvolin@example.org"), std::string::npos)
      << starts[0].commandLine;
  EXPECT_TRUE(IsWindow(about));
  EXPECT_TRUE(IsWindowVisible(about));
}

TEST_F(MainWindow, ALeftDragOnTheTopStripMovesTheWindowAndOtherButtonsDoNot) {
  ASSERT_NE(Start(), nullptr);
  RECT before = {};
  GetWindowRect(main_, &before);
  // The right drag moves nothing: the left drag after it moves the window by its own distance.
  const POINT grip = WindowPoint(main_, 200, 10);
  Drag(grip, 40, 30, kRightButton);
  Drag(grip, 60, 30, kLeftButton);
  EXPECT_TRUE(MovedBy(main_, before, 60, 30));
}

TEST_F(MainWindow, AModalWindowIsCentredAgainAtEveryShowing) {
  ASSERT_NE(Start(), nullptr);
  Click("Command1", 0);
  HWND about = WaitForOwnWindow(L"Tarvolin.About");
  ASSERT_NE(about, nullptr);
  RECT first = {};
  GetWindowRect(about, &first);
  const POINT grip = WindowPoint(about, 150, 10);
  Drag(grip, -50, 50, kLeftButton);
  ASSERT_TRUE(MovedBy(about, first, -50, 50));
  const POINT background = WindowPoint(about, 30, 140);
  ClickAt(background.x, background.y);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(about); }));

  Click("Command1", 0);
  about = WaitForOwnWindow(L"Tarvolin.About");
  ASSERT_NE(about, nullptr);
  RECT again = {};
  GetWindowRect(about, &again);
  EXPECT_EQ(again.left, first.left);
  EXPECT_EQ(again.top, first.top);
  EXPECT_EQ(again.left, (GetSystemMetrics(SM_CXSCREEN) - 332) / 2);
}

TEST_F(MainWindow, ClosingMainWhileAWindowIsOpenClosesItAndEndsTheProgram) {
  ASSERT_NE(Start("[Enabled]\r\nF10=True\r\n"), nullptr);
  Click("Command1", 0);
  ASSERT_NE(WaitForOwnWindow(L"Tarvolin.About"), nullptr);
  // As at log-off: the system closes Main while About is open.
  PostMessageW(main_, WM_CLOSE, 0, 0);
  EXPECT_TRUE(program_->WaitForExit());
  EXPECT_EQ(HeldFunctionKeys(), "------------");
}

namespace {
SIZE ClientSize(HWND window) {
  RECT r = {};
  GetClientRect(window, &r);
  return {r.right, r.bottom};
}
}  // namespace

// At 150 % (144 dots per inch) every window is drawn for that scale, and the mouse finds each
// control where it is drawn: half pixels rounded up, About is 498 x 249, Infor2 348 x 185.
TEST_F(MainWindow, AtAScaleOf144EveryWindowHasItsScaledSizeAndItsControlsAreWhereTheyAreDrawn) {
  const ScreenScale scale(144);
  ASSERT_NE(Start(), nullptr);
  EXPECT_EQ(ClientSize(main_), (SIZE{629, 630}));

  Click("Command1", 0);
  const HWND about = WaitForOwnWindow(L"Tarvolin.About");
  ASSERT_NE(about, nullptr);
  EXPECT_EQ(ClientSize(about), (SIZE{498, 249}));
  const POINT background = WindowPoint(about, 45, 210);
  ClickAt(background.x, background.y);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(about); }));

  // Opened from Main, and closed with its own Cancel, at its scaled place.
  const auto expectWindow = [&](int button, const wchar_t* className, SIZE size) {
    Click("Command1", button);
    const HWND window = WaitForOwnWindow(className);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(ClientSize(window), size);
    Click(window, "Command1", 1);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(window); }));
  };
  expectWindow(4, L"Tarvolin.Infor", {498, 174});
  expectWindow(1, L"Tarvolin.Edit", {629, 630});

  RunningProgram second;
  ASSERT_TRUE(second.Start());
  const HWND notice = second.WaitForWindow(L"Tarvolin.Infor2");
  ASSERT_NE(notice, nullptr);
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(notice) && Painted(notice); }));
  EXPECT_EQ(ClientSize(notice), (SIZE{348, 185}));
  Click(notice, "Command1");
  EXPECT_TRUE(second.WaitForExit());
}

TEST_F(MainWindow, AtAScaleOf144ASwitchSaveAndTheDragStripWorkWhereTheyAreDrawn) {
  const ScreenScale scale(144);
  ASSERT_NE(Start(), nullptr);
  Click("Check", 3);
  EXPECT_TRUE(WaitForKeys([] { return KeyHeldElsewhere(VK_F3); }));
  EXPECT_EQ(HeldFunctionKeys(), "--x---------");
  Click("Command1", 2);
  EXPECT_TRUE(WaitUntil([] { return Setting(L"Enabled", L"F3") == "True"; }));
  EXPECT_EQ(Setting(L"Enabled", L"F4"), "False");
  RECT before = {};
  GetWindowRect(main_, &before);
  Drag(WindowPoint(main_, 450, 20), 60, 30, kLeftButton);
  EXPECT_TRUE(MovedBy(main_, before, 60, 30));
}
