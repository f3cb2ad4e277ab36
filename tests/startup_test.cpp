// Start-up over the settings file and shutdown: in-process for what only Main's controls show,
// and end to end against the real Tarvolin.exe for what another program can see.
#include <gtest/gtest.h>
#include <windows.h>
#include <tlhelp32.h>

#include <algorithm>
#include <chrono>
#include <vector>

#include "hotkeys/message_hook.h"
#include "hotkeys/slots.h"
#include "settings/exe_path.h"
#include "support/editor_driver.h"
#include "support/loaded_main.h"
#include "support/planted.h"
#include "support/program_test.h"

using namespace tarvolin;
using namespace tarvolin::test;

using Startup = ProgramTest;

TEST_F(Startup, BindingsAndSwitchesComeFromTheSettingsFile) {
  const std::string longPath = "C:\\" + std::string(290, 'p') + "\\run.exe";
  WriteSettingsBytes("[HotKey]\r\nF1=" + Ansi(L"我的电脑") +
                     "\r\nF2=  C:\\Tools\\Notes.exe  \r\nF5=" + longPath +
                     "\r\nF9=MS-DOS\r\n[Enabled]\r\nF1= True \r\nF2=true\r\nF3=TRUE\r\nF9=True\r\n");
  LoadedMain main;
  ASSERT_TRUE(main->IsLoaded());
  EXPECT_EQ(main->SlotCommandName(1), L"我的电脑");
  EXPECT_EQ(main->SlotCommandName(2), L"C:\\Tools\\Notes.exe");
  EXPECT_EQ(main->SlotCommandName(3), L"");
  EXPECT_EQ(main->SlotCommandName(5), std::wstring(longPath.begin(), longPath.end()));
  EXPECT_EQ(main->SlotCommandName(9), L"MS-DOS");
  for (int n = 1; n <= kSlotCount; ++n) {
    EXPECT_EQ(main->SlotSwitchedOn(n), n == 1 || n == 9) << "slot " << n;
  }
  EXPECT_EQ(HotkeysActive(), -1);
  EXPECT_NE(PreviousWindowProc(), nullptr);
  EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(main->hwnd(), GWLP_WNDPROC)), &MessageHook);
  EXPECT_FALSE(ExePath().empty());
}

namespace {
// What Main's window procedure is right after its WM_DESTROY was handled.
HWND g_watched = nullptr;
WNDPROC g_procAfterDestroy = nullptr;
LRESULT CALLBACK AfterWindowProc(int code, WPARAM wParam, LPARAM lParam) {
  const auto* call = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
  if (code == HC_ACTION && call->hwnd == g_watched && call->message == WM_DESTROY) {
    g_procAfterDestroy = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(call->hwnd, GWLP_WNDPROC));
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}
}  // namespace

TEST_F(Startup, ShutdownPutsBackTheWindowProcedureAndReleasesTheKeys) {
  WriteSettingsBytes(EnabledSection("x---x-------"));
  LoadedMain main;
  ASSERT_EQ(HeldFunctionKeys(), "x---x-------");
  const WNDPROC own = PreviousWindowProc();
  ASSERT_NE(own, nullptr);
  g_watched = main->hwnd();
  g_procAfterDestroy = nullptr;
  const HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROCRET, &AfterWindowProc, nullptr, GetCurrentThreadId());
  ASSERT_NE(hook, nullptr);
  main.Unload();
  UnhookWindowsHookEx(hook);
  EXPECT_EQ(g_procAfterDestroy, own);
  EXPECT_EQ(HeldFunctionKeys(), "------------");
}

TEST_F(Startup, WithoutSettingsMainIsShownHoldsNoKeyAndWritesNoFile) {
  const HWND main = Start();
  ASSERT_NE(main, nullptr) << "Main was not shown";
  EXPECT_FALSE(IsIconic(main));
  EXPECT_EQ(HeldFunctionKeys(), "------------");
  EXPECT_FALSE(SettingsFileExists());

  wchar_t text[32] = {};
  GetWindowTextW(main, text, 32);
  EXPECT_STREQ(text, L"Form1");
  RECT client = {};
  GetClientRect(main, &client);
  EXPECT_EQ(client.right, 419);
  EXPECT_EQ(client.bottom, 420);
  RECT window = {};
  GetWindowRect(main, &window);
  EXPECT_EQ(window.right - window.left, 419) << "no frame";
  EXPECT_NEAR(window.left, (GetSystemMetrics(SM_CXSCREEN) - 419) / 2, 1) << "centred";
  EXPECT_NEAR(window.top, (GetSystemMetrics(SM_CYSCREEN) - 420) / 2, 1);
  const LONG_PTR style = GetWindowLongPtrW(main, GWL_STYLE);
  EXPECT_TRUE(style & WS_POPUP);
  EXPECT_FALSE(style & WS_CAPTION);
  EXPECT_TRUE(GetWindowLongPtrW(main, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) << "no taskbar button";
}

TEST_F(Startup, ExactlyTheSwitchedOnKeysAreHeld) {
  ASSERT_NE(Start(EnabledSection("--x-------xx")), nullptr);
  EXPECT_EQ(HeldFunctionKeys(), "--x-------xx");
}

TEST_F(Startup, OnlyTrueSpelledExactlySwitchesASlotOn) {
  ASSERT_NE(Start("[Enabled]\r\nF1=true\r\nF2=TRUE\r\nF3=  True  \r\nF4=Yes\r\nF5=1\r\nF6=True\r\n"),
            nullptr);
  EXPECT_EQ(HeldFunctionKeys(), "--x--x------");
}

TEST_F(Startup, AutoHideYesStartsHidden) {
  const HWND main = Start("[Other Settings]\r\nAutoHide=Yes\r\n[Enabled]\r\nF2=True\r\n", false);
  ASSERT_NE(main, nullptr);
  // Start-up has run to its end: the switched-on key is held (a look while it is being taken
  // costs the program that key until its retry 5 seconds later).
  ASSERT_TRUE(WaitUntil([] { return KeyHeldElsewhere(VK_F2); }, std::chrono::milliseconds(12000)));
  EXPECT_FALSE(IsWindowVisible(main));
}

TEST_F(Startup, AutoHideInOtherSpellingsShowsMain) {
  for (const char* value : {"yes", "YES", "No", ""}) {
    // Main shown means start-up is over; the key was taken before.
    ASSERT_NE(Start(std::string("[Other Settings]\r\nAutoHide=") + value + "\r\n[Enabled]\r\nF2=True\r\n"),
              nullptr)
        << "Main not shown with AutoHide=" << value;
    EXPECT_TRUE(KeyHeldElsewhere(VK_F2)) << "AutoHide=" << value;
    ASSERT_TRUE(program_->CloseMain());
  }
}

TEST_F(Startup, ASecondCopyShowsItsNoticeAndEndsAfterOkLeavingTheFirstAsItWas) {
  const HWND firstMain = Start(EnabledSection("---x--x-----"));
  ASSERT_NE(firstMain, nullptr);
  ASSERT_EQ(HeldFunctionKeys(), "---x--x-----");

  RunningProgram second;
  ASSERT_TRUE(second.Start());
  const HWND notice = second.WaitForWindow(L"Tarvolin.Infor2");
  ASSERT_NE(notice, nullptr);
  EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(notice) != FALSE; }));
  RECT client = {};
  GetClientRect(notice, &client);
  EXPECT_EQ(client.right, 232);
  EXPECT_EQ(client.bottom, 123);
  // The second copy shows no main window of its own and registers nothing.
  const HWND secondMain = FindProcessWindow(second.id(), L"Tarvolin.Main");
  EXPECT_TRUE(secondMain == nullptr || !IsWindowVisible(secondMain));
  EXPECT_TRUE(second.Running()) << "waits for OK";

  const HWND ok = FindWindowExW(notice, nullptr, L"BUTTON", nullptr);
  ASSERT_NE(ok, nullptr);
  SendMessageW(ok, BM_CLICK, 0, 0);
  EXPECT_TRUE(second.WaitForExit());

  EXPECT_TRUE(program_->Running());
  EXPECT_TRUE(IsWindow(firstMain));
  EXPECT_EQ(HeldFunctionKeys(), "---x--x-----");
}

TEST_F(Startup, ClosingMainReleasesEveryKeyAndEndsTheProgram) {
  ASSERT_NE(Start(EnabledSection("xxxxxxxxxxxx")), nullptr);
  ASSERT_EQ(HeldFunctionKeys(), "xxxxxxxxxxxx");
  ASSERT_TRUE(program_->CloseMain());
  EXPECT_EQ(HeldFunctionKeys(), "------------");
  // No window of the program is left, and its settings are as they were.
  EXPECT_EQ(ReadSettingsBytes(), EnabledSection("xxxxxxxxxxxx"));
}

namespace {
// The libraries process pid has loaded, by file name in lower case.
std::vector<std::wstring> LoadedLibraries(DWORD pid) {
  std::vector<std::wstring> names;
  KernelHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, pid));
  if (!snapshot || snapshot.get() == INVALID_HANDLE_VALUE) return names;
  MODULEENTRY32W module = {};
  module.dwSize = sizeof module;
  for (BOOL more = Module32FirstW(snapshot.get(), &module); more;
       more = Module32NextW(snapshot.get(), &module)) {
    std::wstring name = module.szModule;
    CharLowerBuffW(&name[0], static_cast<DWORD>(name.size()));
    names.push_back(name);
  }
  return names;
}
}  // namespace

TEST_F(Startup, AStartLoadsNoLibraryBeforeItIsWanted) {
  ASSERT_NE(Start(EnabledSection("x-----------")), nullptr);
  const std::vector<std::wstring> loaded = LoadedLibraries(program_->id());
  ASSERT_NE(std::find(loaded.begin(), loaded.end(), L"user32.dll"), loaded.end()) << "the list is readable";
  // The open-file dialog's, the multimedia and the dial-up libraries wait for their first use.
  for (const wchar_t* later : {L"comdlg32.dll", L"winmm.dll", L"rasapi32.dll"}) {
    EXPECT_EQ(std::find(loaded.begin(), loaded.end(), later), loaded.end()) << std::string(later, later + 12);
  }
}

TEST_F(Startup, ALibraryPlantedBesideTheProgramIsNeverLoaded) {
  // Unzipped into a folder where a browser had saved a uxtheme.dll, the library every window asks
  // for, and with Wine told to take such a library before its own, as Windows would. The planted
  // library notes each process that loads it in planted.log beside itself.
  ScratchFolder folder(L"Tarvolin unzipped");
  ASSERT_TRUE(folder.ok());
  ASSERT_TRUE(
      CopyFileW(BesideTests(L"planted\\uxtheme.dll").c_str(), folder.File(L"uxtheme.dll").c_str(), FALSE));
  const std::wstring exe = folder.File(L"Tarvolin.exe");
  const std::wstring marker = folder.File(L"planted.log");
  PreferLibraryOnSearchPath order(L"Tarvolin.exe", L"uxtheme");
  ASSERT_TRUE(order.ok());

  // The trap works: a plain program that makes a window, there under the program's name and so
  // under the same setting, takes the planted library.
  ASSERT_TRUE(CopyFileW(BesideTests(L"plain_window.exe").c_str(), exe.c_str(), FALSE));
  RunningProgram plain;
  ASSERT_TRUE(plain.Start(exe));
  ASSERT_TRUE(plain.WaitForExit());
  ASSERT_NE(ReadFileBytes(marker).find("Tarvolin.exe"), std::string::npos)
      << "the planted library was not loaded";
  ASSERT_TRUE(DeleteFileW(marker.c_str()));

  // Tarvolin there, through everything that loads libraries: Main, the editor, the open-file
  // dialog, a key that starts a program.
  ASSERT_TRUE(CopyFileW(ProgramPath().c_str(), exe.c_str(), FALSE));
  WriteSettingsBytes("[HotKey]\r\nF5=" + Ansi(ProbePath()) + "\r\n" + EnabledSection("----x-------"));
  RunningProgram tarvolin;
  ASSERT_TRUE(tarvolin.Start(exe));
  const HWND editor = OpenEditor(tarvolin);
  ASSERT_NE(editor, nullptr);
  Click(editor, "picCommand", 0);
  const HWND dialog = WaitForFileDialog(tarvolin, 15000);
  ASSERT_NE(dialog, nullptr);
  CancelDialog(dialog);
  ASSERT_TRUE(WaitUntil([&] { return WaitForFileDialog(tarvolin, 0) == nullptr; }));
  Click(editor, "Command1", 1);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(editor); }));
  EXPECT_TRUE(PressAndSeeStarts(VK_F5, 1));
  EXPECT_EQ(ReadFileBytes(marker), "") << "the planted library was loaded";
}

TEST(Program, IsAPlainExecutableWithItsVersionAndAManifestOfItsScaleAlone) {
  const std::wstring path = ProgramPath();
  const HMODULE image = LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(image, nullptr);
  // The program draws for each screen's scale; an execution level would switch off the system's
  // file virtualization, and the classic controls stay without a common-controls dependency.
  const HRSRC manifest = FindResourceW(image, MAKEINTRESOURCEW(1), RT_MANIFEST);
  ASSERT_NE(manifest, nullptr);
  const std::string xml(static_cast<const char*>(LockResource(LoadResource(image, manifest))),
                        SizeofResource(image, manifest));
  EXPECT_NE(xml.find(">PerMonitorV2, PerMonitor</dpiAwareness>"), std::string::npos) << xml;
  EXPECT_NE(xml.find(">true/pm</dpiAware>"), std::string::npos) << xml;
  for (const char* absent : {"requestedExecutionLevel", "trustInfo", "dependency", "supportedOS"}) {
    EXPECT_EQ(xml.find(absent), std::string::npos) << absent;
  }
  EXPECT_EQ(FindResourceW(nullptr, MAKEINTRESOURCEW(1), RT_MANIFEST), nullptr) << "a test program has none";
  const HRSRC version = FindResourceW(image, MAKEINTRESOURCEW(VS_VERSION_INFO), RT_VERSION);
  ASSERT_NE(version, nullptr);
  const auto* data = static_cast<const BYTE*>(LockResource(LoadResource(image, version)));
  ASSERT_NE(data, nullptr);
  // VS_FIXEDFILEINFO follows the key "VS_VERSION_INFO" in the block; find it by its signature.
  const DWORD size = SizeofResource(image, version);
  const VS_FIXEDFILEINFO* fixed = nullptr;
  for (DWORD at = 0; at + sizeof(VS_FIXEDFILEINFO) <= size; at += 4) {
    const auto* candidate = reinterpret_cast<const VS_FIXEDFILEINFO*>(data + at);
    if (candidate->dwSignature == 0xFEEF04BD) {
      fixed = candidate;
      break;
    }
  }
  ASSERT_NE(fixed, nullptr);
  EXPECT_EQ(HIWORD(fixed->dwFileVersionMS), 4);
  EXPECT_EQ(LOWORD(fixed->dwFileVersionMS), 1);
  // And as text, which the About window shows too: the minor number with two digits.
  const std::wstring block(reinterpret_cast<const wchar_t*>(data), size / sizeof(wchar_t));
  const size_t key = block.find(L"FileVersion");
  ASSERT_NE(key, std::wstring::npos);
  EXPECT_STREQ(block.c_str() + block.find_first_not_of(L'\0', key + 11), L"4.01");
  EXPECT_EQ(fixed->dwFileOS, static_cast<DWORD>(VOS_NT_WINDOWS32));
  EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
  FreeLibrary(image);

  // Everything inside, pictures included, in at most 200 KB; built for this test's own flavour.
  WIN32_FILE_ATTRIBUTE_DATA file = {};
  ASSERT_TRUE(GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &file));
  EXPECT_EQ(file.nFileSizeHigh, 0u);
  EXPECT_LE(file.nFileSizeLow, 204800u);
  DWORD kind = 0;
  ASSERT_TRUE(GetBinaryTypeW(path.c_str(), &kind));
  EXPECT_EQ(kind,
            sizeof(void*) == 8 ? static_cast<DWORD>(SCS_64BIT_BINARY) : static_cast<DWORD>(SCS_32BIT_BINARY));
}
