// The editor inside the test program, over a Main of its own: what it shows when it opens, what
// OK writes, and the per-user autostart where the machine-wide key refuses the write.
#include <gtest/gtest.h>

#include <string>

#include "dialogs/edit_form.h"
#include "hotkeys/catalogue.h"
#include "settings/autostart.h"
#include "settings/exe_path.h"
#include "settings/settings.h"
#include "support/editor_driver.h"
#include "support/loaded_main.h"

using namespace tarvolin;
using namespace tarvolin::test;

namespace {

class Editor : public ::testing::Test {
 protected:
  void SetUp() override {
    RemoveSettingsFile();
    DeleteRunValue(HKEY_LOCAL_MACHINE);
    DeleteRunValue(HKEY_CURRENT_USER);
  }
  void TearDown() override {
    autostart_detail::RefuseForTesting(HKEY_LOCAL_MACHINE, false);
    autostart_detail::RefuseForTesting(HKEY_CURRENT_USER, false);
    DeleteRunValue(HKEY_LOCAL_MACHINE);
    DeleteRunValue(HKEY_CURRENT_USER);
    RemoveSettingsFile();
  }
};

// Presses one of a window's face buttons as its click reaches the form.
void Press(Form& editor, int index) {
  const HWND button = editor.ControlWindow("Command1", index);
  SendMessageW(editor.hwnd(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
               reinterpret_cast<LPARAM>(button));
}

void Tick(EditForm& editor, const char* box, bool ticked) {
  SendMessageW(editor.ControlWindow(box), BM_SETCHECK, ticked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void SetMachineRunValue(REGSAM view, const wchar_t* value) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, kRunKeyPath, 0, nullptr, 0, KEY_SET_VALUE | view, nullptr, &key,
                      nullptr) == ERROR_SUCCESS) {
    RegSetValueExW(key, kRunValueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                   static_cast<DWORD>((lstrlenW(value) + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
  }
}
#ifdef _WIN64
constexpr REGSAM kOwnView = KEY_WOW64_64KEY, kOtherView = KEY_WOW64_32KEY;
#else
constexpr REGSAM kOwnView = KEY_WOW64_32KEY, kOtherView = KEY_WOW64_64KEY;
#endif

}  // namespace

TEST_F(Editor, OpensWithMainsBindingsTheNineNamesInEveryListAndTheOptionsFromTheFile) {
  WriteSettingsBytes("[Other Settings]\r\nAutoRun=Yes\r\nAutoHide=yes\r\n");
  LoadedMain main;
  main->SetSlotCommandName(1, L"我的电脑");
  main->SetSlotCommandName(6, L"  C:\\Tools\\run me.exe ");
  main->SetSlotCommandName(12, L"MS-DOS");
  EditForm editor;
  ASSERT_TRUE(editor.Load(main->hwnd()));
  for (int n = 1; n <= 12; ++n) {
    EXPECT_EQ(editor.Caption("Combo", n), main->SlotCommandName(n)) << "slot " << n;
    const HWND combo = editor.ControlWindow("Combo", n);
    ASSERT_EQ(SendMessageW(combo, CB_GETCOUNT, 0, 0), 9) << "slot " << n;
    for (int i = 0; i < 9; ++i) {
      wchar_t item[32] = {};
      SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(item));
      EXPECT_STREQ(item, kEditorCommandNames[static_cast<size_t>(i)]);
      EXPECT_EQ(SendMessageW(combo, CB_GETITEMDATA, static_cast<WPARAM>(i), 0), 0);
    }
  }
  EXPECT_EQ(editor.Caption("Combo", 6), L"  C:\\Tools\\run me.exe ");
  EXPECT_EQ(editor.Value("Check1"), 1);
  EXPECT_EQ(editor.Value("Check2"), 0) << "\"yes\" is not \"Yes\"";
  editor.Close();
}

TEST_F(Editor, OnlyYesSpelledExactlyTicksAnOption) {
  LoadedMain main;
  for (const char* value : {"", "yes", "YES", "True", "1", "No", "Yes"}) {
    WriteSettingsBytes(std::string("[Other Settings]\r\nAutoRun=") + value + "\r\nAutoHide=" + value +
                       "\r\n");
    EditForm editor;
    ASSERT_TRUE(editor.Load(main->hwnd()));
    const int expected = std::string(value) == "Yes" ? 1 : 0;
    EXPECT_EQ(editor.Value("Check1"), expected) << value;
    EXPECT_EQ(editor.Value("Check2"), expected) << value;
    editor.Close();
  }
}

TEST_F(Editor, OkPutsTheTextsIntoMainUntouchedAndWritesOnlyTheTwoOptions) {
  LoadedMain main;
  const std::string heldBefore = HeldFunctionKeys();
  EditForm editor;
  ASSERT_TRUE(editor.Load(main->hwnd()));
  editor.SetCaption("Combo", 2, L"控制面板 ");
  editor.SetCaption("Combo", 7, L"");
  editor.SetCaption("Combo", 11, L"  D:\\x y\\z.exe");
  // Typed into a box, a path one character longer than the 260 of old is taken whole.
  const std::wstring typed = L"C:\\" + std::wstring(254, L'p') + L".exe";
  const HWND box = FindWindowExW(editor.ControlWindow("Combo", 5), nullptr, L"Edit", nullptr);
  for (const wchar_t c : typed) SendMessageW(box, WM_CHAR, c, 0);
  Tick(editor, "Check2", true);
  Press(editor, 0);
  EXPECT_FALSE(editor.IsLoaded()) << "OK closes the editor";
  EXPECT_EQ(main->SlotCommandName(2), L"控制面板 ");
  EXPECT_EQ(main->SlotCommandName(7), L"");
  EXPECT_EQ(main->SlotCommandName(11), L"  D:\\x y\\z.exe");
  EXPECT_EQ(main->SlotCommandName(5).size(), 261u);
  EXPECT_EQ(main->SlotCommandName(5), typed);
  EXPECT_EQ(ReadSetting(L"Other Settings", L"AutoRun"), L"No");
  EXPECT_EQ(ReadSetting(L"Other Settings", L"AutoHide"), L"Yes");
  const std::string file = ReadSettingsBytes();
  EXPECT_EQ(file.find("HotKey"), std::string::npos) << file;
  EXPECT_EQ(file.find("Enabled"), std::string::npos) << file;
  EXPECT_EQ(HeldFunctionKeys(), heldBefore) << "nothing registered or unregistered";
}

TEST_F(Editor, CancelTouchesNeitherMainNorTheFileNorTheRegistry) {
  WriteSettingsBytes("[Other Settings]\r\nAutoRun=No\r\nAutoHide=No\r\n");
  const std::string before = ReadSettingsBytes();
  LoadedMain main;
  main->SetSlotCommandName(3, L"回收站");
  EditForm editor;
  ASSERT_TRUE(editor.Load(main->hwnd()));
  editor.SetCaption("Combo", 3, L"C:\\other.exe");
  Tick(editor, "Check1", true);
  Tick(editor, "Check2", true);
  Press(editor, 1);
  EXPECT_FALSE(editor.IsLoaded());
  EXPECT_EQ(main->SlotCommandName(3), L"回收站");
  EXPECT_EQ(ReadSettingsBytes(), before);
  EXPECT_FALSE(RunValueExists(HKEY_LOCAL_MACHINE));
  EXPECT_FALSE(RunValueExists(HKEY_CURRENT_USER));
}

TEST_F(Editor, WhereTheMachineWideKeyRefusesTheEntryGoesToTheUsersKeyAndAutoRunSaysSo) {
  LoadedMain main;
  autostart_detail::RefuseForTesting(HKEY_LOCAL_MACHINE, true);
  EditForm editor;
  ASSERT_TRUE(editor.Load(main->hwnd()));
  Tick(editor, "Check1", true);
  Press(editor, 0);
  EXPECT_EQ(ReadRunValue(HKEY_LOCAL_MACHINE).Text(), L"<none>");
  EXPECT_EQ(ReadRunValue(HKEY_CURRENT_USER).Text(), RunCommandLine(ExePath()))
      << "quoted where it holds a blank";
  EXPECT_EQ(ReadSetting(L"Other Settings", L"AutoRun"), L"Yes");

  // Unticked: gone from the user's key although the machine-wide one still refuses.
  EditForm again;
  ASSERT_TRUE(again.Load(main->hwnd()));
  EXPECT_EQ(again.Value("Check1"), 1);
  Tick(again, "Check1", false);
  Press(again, 0);
  EXPECT_EQ(ReadRunValue(HKEY_CURRENT_USER).Text(), L"<none>");
  EXPECT_EQ(ReadSetting(L"Other Settings", L"AutoRun"), L"No");
}

TEST_F(Editor, WhenNoKeyTakesTheEntryAutoRunStaysNoAndTheBoxShowsUnticked) {
  LoadedMain main;
  autostart_detail::RefuseForTesting(HKEY_LOCAL_MACHINE, true);
  autostart_detail::RefuseForTesting(HKEY_CURRENT_USER, true);
  EditForm editor;
  ASSERT_TRUE(editor.Load(main->hwnd()));
  Tick(editor, "Check1", true);
  Tick(editor, "Check2", true);
  Press(editor, 0);
  EXPECT_FALSE(RunValueExists(HKEY_LOCAL_MACHINE));
  EXPECT_FALSE(RunValueExists(HKEY_CURRENT_USER));
  EXPECT_EQ(ReadSetting(L"Other Settings", L"AutoRun"), L"No");
  EXPECT_EQ(ReadSetting(L"Other Settings", L"AutoHide"), L"Yes");
  EditForm again;
  ASSERT_TRUE(again.Load(main->hwnd()));
  EXPECT_EQ(again.Value("Check1"), 0);
  again.Close();
}

TEST(Autostart, APathWithABlankIsQuotedAndOtherPathsStayAsTheyWere) {
  EXPECT_EQ(RunCommandLine(L"C:\\Tools\\Tarvolin.exe"), L"C:\\Tools\\Tarvolin.exe");
  EXPECT_EQ(RunCommandLine(L"C:\\Program Files\\Tarvolin\\Tarvolin.exe"),
            L"\"C:\\Program Files\\Tarvolin\\Tarvolin.exe\"");
  EXPECT_EQ(RunCommandLine(L"D:\\工具\\Tarvolin.exe"), L"D:\\工具\\Tarvolin.exe");
}

TEST(Autostart, AMachineWideEntryReplacesAPerUserOneAndUnregisterEmptiesBothKeys) {
  DeleteRunValue(HKEY_LOCAL_MACHINE);
  autostart_detail::RefuseForTesting(HKEY_LOCAL_MACHINE, true);
  ASSERT_TRUE(RegisterAutostart(L"C:\\Old Place\\Tarvolin.exe"));
  autostart_detail::RefuseForTesting(HKEY_LOCAL_MACHINE, false);
  ASSERT_EQ(ReadRunValue(HKEY_CURRENT_USER).Text(), L"\"C:\\Old Place\\Tarvolin.exe\"");

  // Both at once would start the program twice at logon.
  EXPECT_TRUE(RegisterAutostart(L"C:\\Tools\\Tarvolin.exe"));
  EXPECT_EQ(ReadRunValue(HKEY_LOCAL_MACHINE).Text(), L"C:\\Tools\\Tarvolin.exe");
  EXPECT_EQ(ReadRunValue(HKEY_CURRENT_USER).Text(), L"<none>");

  autostart_detail::RefuseForTesting(HKEY_LOCAL_MACHINE, true);
  ASSERT_TRUE(RegisterAutostart(L"C:\\Tools\\Tarvolin.exe"));
  autostart_detail::RefuseForTesting(HKEY_LOCAL_MACHINE, false);
  UnregisterAutostart();
  EXPECT_FALSE(RunValueExists(HKEY_LOCAL_MACHINE));
  EXPECT_FALSE(RunValueExists(HKEY_CURRENT_USER));
  UnregisterAutostart();  // nothing left to remove: no harm
  EXPECT_FALSE(RunValueExists(HKEY_LOCAL_MACHINE));
}

TEST(Autostart, EachFlavourKeepsTheOnlyEntryInItsOwnViewAndUnregisterClearsAllThreePlaces) {
  BOOL wow64 = FALSE;
  IsWow64Process(GetCurrentProcess(), &wow64);
  if (sizeof(void*) == 4 && !wow64) GTEST_SKIP() << "a 32-bit system has one view";
  SetMachineRunValue(kOtherView, L"C:\\Other Flavour\\Tarvolin.exe");
  ASSERT_EQ(ReadRunValue(HKEY_LOCAL_MACHINE, kOtherView).Text(), L"C:\\Other Flavour\\Tarvolin.exe");
  ASSERT_EQ(ReadRunValue(HKEY_LOCAL_MACHINE, kOwnView).Text(), L"<none>") << "the two views are one key here";
  RegSetKeyValueW(HKEY_CURRENT_USER, kRunKeyPath, kRunValueName, REG_SZ, L"x", 4);

  ASSERT_TRUE(RegisterAutostart(L"C:\\Tools\\Tarvolin.exe"));
  EXPECT_EQ(ReadRunValue(HKEY_LOCAL_MACHINE, kOwnView).Text(), L"C:\\Tools\\Tarvolin.exe");
  EXPECT_EQ(ReadRunValue(HKEY_LOCAL_MACHINE, kOtherView).Text(), L"<none>");
  EXPECT_EQ(ReadRunValue(HKEY_CURRENT_USER).Text(), L"<none>");

  SetMachineRunValue(kOtherView, L"C:\\Other Flavour\\Tarvolin.exe");
  RegSetKeyValueW(HKEY_CURRENT_USER, kRunKeyPath, kRunValueName, REG_SZ, L"x", 4);
  UnregisterAutostart();
  EXPECT_EQ(ReadRunValue(HKEY_LOCAL_MACHINE, kOwnView).Text(), L"<none>");
  EXPECT_EQ(ReadRunValue(HKEY_LOCAL_MACHINE, kOtherView).Text(), L"<none>");
  EXPECT_EQ(ReadRunValue(HKEY_CURRENT_USER).Text(), L"<none>");
}

TEST_F(Editor, ABindingInQuotesSurvivesSaveAndARestartWholeAndRuns) {
  // The profile functions would drop the outer pair of quotes on reading this back.
  const std::wstring binding = L"\"" + ProbePath() + L"\" \"one two\"";
  {
    LoadedMain main;
    EditForm editor;
    ASSERT_TRUE(editor.Load(main->hwnd()));
    editor.SetCaption("Combo", 3, binding);
    Press(editor, 0);
    ASSERT_EQ(main->SlotCommandName(3), binding);
    Press(*main, 2);  // Save
  }
  EXPECT_NE(ReadSettingsBytes().find("F3=\"" + Ansi(binding) + "\"\r\n"), std::string::npos);
  LoadedMain again;
  EXPECT_EQ(again->SlotCommandName(3), binding);
  ClearProbeStarts();
  RunCommandName(again->SlotCommandName(3));
  ASSERT_TRUE(WaitUntil([] { return ProbeStarts().size() == 1; }));
  const std::string line = ProbeStarts()[0].commandLine;
  EXPECT_EQ(line.substr(line.size() - 10), " \"one two\"") << line;
  ClearProbeStarts();
}

TEST(SettingsQuotes, OnlyAValueEnclosedInOneKindOfMarkGetsOneMorePair) {
  EXPECT_EQ(KeepQuotes(L"\"a b\" \"c\""), L"\"\"a b\" \"c\"\"");
  EXPECT_EQ(KeepQuotes(L"'x'"), L"''x''");
  EXPECT_EQ(KeepQuotes(L"\""), L"\"\"\"");
  EXPECT_EQ(KeepQuotes(L"\"a'"), L"\"a'");
  EXPECT_EQ(KeepQuotes(L"C:\\a b\\c.exe -x"), L"C:\\a b\\c.exe -x");
  EXPECT_EQ(KeepQuotes(L""), L"");
  // What Save writes reads back as it was.
  RemoveSettingsFile();
  for (const std::wstring value : {L"\"C:\\P F\\a.exe\" \"D:\\my file.txt\"", L"'x'", L"\"", L"plain"}) {
    ASSERT_TRUE(WriteSetting(L"HotKey", L"F1", KeepQuotes(value)));
    EXPECT_EQ(ReadSetting(L"HotKey", L"F1"), value);
  }
  RemoveSettingsFile();
}

TEST_F(Editor, AFileDroppedOnARowGoesIntoThatRowsBoxAloneAsTheFileDialogWouldPutIt) {
  LoadedMain main;
  EditForm editor;
  ASSERT_TRUE(editor.Load(main->hwnd()));
  std::wstring before[13];
  for (int n = 1; n <= 12; ++n) before[n] = editor.Caption("Combo", n);
  DropOnControl(editor.hwnd(), kEditLayout, "Combo", 4, {L"C:\\Program Files\\Notes\\notes.exe"});
  EXPECT_EQ(editor.Caption("Combo", 4), L"C:\\Program Files\\Notes\\notes.exe");
  for (int n = 1; n <= 12; ++n) {
    if (n == 4) continue;
    EXPECT_EQ(editor.Caption("Combo", n), before[n]) << "slot " << n;
  }
  // Dropped on the row's browse button it lands the same; Chinese names arrive whole.
  DropOnControl(editor.hwnd(), kEditLayout, "picCommand", 3, {L"C:\\工具\\记事本.exe"});
  EXPECT_EQ(editor.Caption("Combo", 4), L"C:\\工具\\记事本.exe");
  EXPECT_EQ(main->SlotCommandName(4), before[4]) << "Main changes only at OK";
  editor.Close();
}

TEST_F(Editor, SeveralFilesFillTheRowsDownwardAndStopAtF12) {
  LoadedMain main;
  EditForm editor;
  ASSERT_TRUE(editor.Load(main->hwnd()));
  editor.SetCaption("Combo", 10, L"回收站");
  DropOnControl(editor.hwnd(), kEditLayout, "Label2", 7,  // the F11 label
                {L"C:\\a.exe", L"D:\\Games", L"E:\\c.exe"});
  EXPECT_EQ(editor.Caption("Combo", 10), L"回收站");
  EXPECT_EQ(editor.Caption("Combo", 11), L"C:\\a.exe");
  EXPECT_EQ(editor.Caption("Combo", 12), L"D:\\Games");
  for (int n = 1; n <= 12; ++n) EXPECT_NE(editor.Caption("Combo", n), L"E:\\c.exe") << "slot " << n;
  editor.Close();
}

TEST_F(Editor, ADropOutsideTheRowsChangesNothing) {
  LoadedMain main;
  main->SetSlotCommandName(1, L"我的电脑");
  EditForm editor;
  ASSERT_TRUE(editor.Load(main->hwnd()));
  // The heading, an option, OK, the thin gap between F1's row and F2's, a corner.
  const RECT f1 = editor.ControlRect(*editor.Spec("Combo", 1));
  const RECT f2 = editor.ControlRect(*editor.Spec("Combo", 2));
  ASSERT_LT(f1.bottom, f2.top);
  DropOnControl(editor.hwnd(), kEditLayout, "Label1", -1, {L"C:\\a.exe"});
  DropOnControl(editor.hwnd(), kEditLayout, "Check1", -1, {L"C:\\b.exe"});
  DropOnControl(editor.hwnd(), kEditLayout, "Command1", 0, {L"C:\\c.exe"});
  DropFiles(editor.hwnd(), POINT{(f1.left + f1.right) / 2, f1.bottom}, {L"C:\\d.exe"});
  DropFiles(editor.hwnd(), POINT{2, 2}, {L"C:\\e.exe"});
  for (int n = 1; n <= 12; ++n)
    EXPECT_EQ(editor.Caption("Combo", n), main->SlotCommandName(n)) << "slot " << n;
  editor.Close();
  EXPECT_FALSE(SettingsFileExists());
}

// Main's rows take drops too, as the editor's OK would set them: live only, nothing written.
TEST_F(Editor, FilesDroppedOnMainsRowBecomeItsLiveBindingsAndNothingIsWritten) {
  LoadedMain main;
  main->SetSlotCommandName(5, L"回收站");
  main->SetSlotCommandName(6, L"MS-DOS");
  DropOnControl(main->hwnd(), kMainLayout, "Label", 6, {L"C:\\工具\\记事本.exe"});
  EXPECT_EQ(main->SlotCommandName(6), L"C:\\工具\\记事本.exe");
  EXPECT_EQ(main->SlotCommandName(5), L"回收站");
  EXPECT_EQ(main->SlotCommandName(7), L"");
  // Several files fill the rows downward from F11 and stop at F12.
  DropOnControl(main->hwnd(), kMainLayout, "Label", 11, {L"C:\\a.exe", L"D:\\Games", L"E:\\c.exe"});
  EXPECT_EQ(main->SlotCommandName(10), L"");
  EXPECT_EQ(main->SlotCommandName(11), L"C:\\a.exe");
  EXPECT_EQ(main->SlotCommandName(12), L"D:\\Games");
  for (int n = 1; n <= 12; ++n) EXPECT_NE(main->SlotCommandName(n), L"E:\\c.exe") << "slot " << n;
  // Beside the rows: a switch and a button.
  DropOnControl(main->hwnd(), kMainLayout, "Check", 3, {L"D:\\c.exe"});
  DropOnControl(main->hwnd(), kMainLayout, "Command1", 2, {L"D:\\c.exe"});
  // While a modal window keeps Main disabled, a drop on it changes nothing either.
  EnableWindow(main->hwnd(), FALSE);
  DropOnControl(main->hwnd(), kMainLayout, "Label", 7, {L"D:\\c.exe"});
  EnableWindow(main->hwnd(), TRUE);
  for (int n = 1; n <= 12; ++n) EXPECT_NE(main->SlotCommandName(n), L"D:\\c.exe") << "slot " << n;
  EXPECT_FALSE(SettingsFileExists());
  EXPECT_FALSE(RunValueExists(HKEY_LOCAL_MACHINE));
  EXPECT_FALSE(RunValueExists(HKEY_CURRENT_USER));
}

// Moved to a screen of another scale, the editor lays itself out for it with the same windows: what
// the user typed and ticked, the caret and the focus stay, and drops still find their rows.
TEST_F(Editor, AtANewScaleTheEditorKeepsItsWindowsTextsAndChecksInTheNewLayout) {
  LoadedMain main;
  EditForm editor;
  ASSERT_TRUE(editor.Load(main->hwnd()));
  editor.Show();
  const HWND combo = editor.ControlWindow("Combo", 2);
  const HWND edit = FindWindowExW(combo, nullptr, L"Edit", nullptr);
  ASSERT_NE(edit, nullptr);
  SetFocus(edit);
  for (const wchar_t c : std::wstring(L"D:\\游戏 1.exe")) SendMessageW(edit, WM_CHAR, c, 0);
  SendMessageW(edit, EM_SETSEL, 3, 3);
  Tick(editor, "Check2", true);
  const RECT closedAt96 = ClientRectOf(combo);
  const HWND ok = editor.ControlWindow("Command1", 0);

  const RECT suggested = {40, 30, 40 + 629, 30 + 630};
  ChangeDpi(editor.hwnd(), 144, suggested);
  RECT window = {};
  GetWindowRect(editor.hwnd(), &window);
  EXPECT_EQ(window, suggested);
  EXPECT_EQ(editor.ControlWindow("Combo", 2), combo) << "made anew";
  EXPECT_EQ(editor.ControlWindow("Command1", 0), ok) << "made anew";
  // Worked out by hand from the layout's twips at 144 dots per inch.
  const RECT combo3 = ClientRectOf(editor.ControlWindow("Combo", 3));
  EXPECT_EQ((RECT{combo3.left, combo3.top, combo3.right, 0}), (RECT{84, 156, 555, 0}));
  EXPECT_EQ(ClientRectOf(editor.ControlWindow("picCommand", 11)), (RECT{564, 482, 597, 515}));
  EXPECT_EQ(ClientRectOf(ok), (RECT{354, 564, 488, 614}));
  RECT region = {};
  GetWindowRgnBox(ok, &region);
  EXPECT_EQ(region, (RECT{11, 8, 124, 40}));
  const RECT heading = editor.ControlRect(*editor.Spec("Label1"));
  EXPECT_EQ(heading.top, 51);
  EXPECT_EQ(heading.bottom - heading.top, 18) << "9 points at 144 dots per inch";
  // The closed box grows with the scale, not just with its font. (Wine sets a list row's height
  // only in owner-drawn boxes, so the rows cannot be checked here.)
  const RECT closed = ClientRectOf(combo);
  EXPECT_EQ(closed.bottom - closed.top, ScalePixels(closedAt96.bottom - closedAt96.top, 144));

  EXPECT_EQ(editor.Caption("Combo", 2), L"D:\\游戏 1.exe");
  DWORD start = 0, end = 0;
  SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 3u);
  EXPECT_EQ(end, 3u);
  EXPECT_EQ(GetFocus(), edit);
  EXPECT_EQ(editor.Value("Check2"), 1);
  DropOnControl(editor.hwnd(), kEditLayout, "Combo", 7, {L"C:\\a.exe"});
  EXPECT_EQ(editor.Caption("Combo", 7), L"C:\\a.exe");
  EXPECT_EQ(editor.Caption("Combo", 6), L"");
  editor.Close();
  // Main's rows take drops at its own new scale too.
  ChangeDpi(main->hwnd(), 144, suggested);
  DropOnControl(main->hwnd(), kMainLayout, "Label", 7, {L"C:\b.exe"});
  EXPECT_EQ(main->SlotCommandName(7), L"C:\b.exe");
  EXPECT_EQ(main->SlotCommandName(8), L"");
}
