// The command catalogue against a recorder in place of the system, and the real binding under
// Wine (which has no CD drive and no dial-up line, so nothing moves).

#include "hotkeys/catalogue.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "base/system_library.h"
#include "hotkeys/system_calls.h"
#include "support/process.h"
#include "support/recorder.h"

using namespace tarvolin;
using namespace tarvolin::test;

namespace {

// The names spelt as code points, so a mix-up in the sources' encoding cannot hide.
const std::vector<std::wstring> CatalogueOrder = {
    L"\u6211\u7684\u7535\u8111",                    // My Computer
    L"\u56DE\u6536\u7AD9",                          // Recycle Bin
    L"\u8D44\u6E90\u7BA1\u7406\u5668",              // Explorer
    L"\u63A7\u5236\u9762\u677F",                    // Control Panel
    L"\u5173\u95ED\u8BA1\u7B97\u673A",              // shut down
    L"\u91CD\u65B0\u542F\u52A8\u8BA1\u7B97\u673A",  // restart
    L"MS-DOS",
    L"\u6253\u5F00\u3001\u5173\u95ED\u5149\u9A71",  // CD tray, U+3001 in the middle
    L"\u4E00\u952E\u4E0B\u7F51",                    // hang up
};
const std::wstring& NameOf(BuiltinCommand command) {
  return CatalogueOrder[static_cast<std::size_t>(command)];
}

std::wstring ProfileFolder() {
  wchar_t folder[MAX_PATH] = {};
  GetEnvironmentVariableW(L"USERPROFILE", folder, MAX_PATH);
  return folder;
}

// The listing as the hang-up asks for it: the system's record size for this flavour, 256 records.
#ifdef _WIN64
const std::wstring kListingCall = L"RasEnumConnectionsA(first size 424, buffer 108544, count 0, zero-filled)";
#else
const std::wstring kListingCall = L"RasEnumConnectionsA(first size 412, buffer 105472, count 0, zero-filled)";
#endif

class Catalogue : public ::testing::Test {
 protected:
  // Its table with some entries taken out, as on a system that lacks them.
  RecordingSystem system_;
  SystemCalls& table_ = system_.table;
  CallList& calls_ = g_recorded.calls;
};

TEST(BuiltinNames, AreTheExactTextsInCatalogueOrder) {
  ASSERT_EQ(kBuiltinCommandNames.size(), CatalogueOrder.size());
  for (std::size_t i = 0; i < CatalogueOrder.size(); ++i) {
    const auto command = static_cast<BuiltinCommand>(i);
    EXPECT_EQ(std::wstring(kBuiltinCommandNames[i]), CatalogueOrder[i]) << "entry " << i;
    EXPECT_EQ(std::wstring(DisplayName(command)), CatalogueOrder[i]) << "entry " << i;
    EXPECT_EQ(FindBuiltinCommand(CatalogueOrder[i]), command) << "entry " << i;
  }
  EXPECT_EQ(NameOf(BuiltinCommand::CdDoor)[2], L'\x3001');
  EXPECT_EQ(std::wstring(DisplayName(BuiltinCommand::MsDos)), L"MS-DOS");
}

TEST(BuiltinNames, EditorListsThemInItsOwnOrder) {
  const std::vector<std::wstring> expected = {
      NameOf(BuiltinCommand::Explorer),   NameOf(BuiltinCommand::MyComputer),
      NameOf(BuiltinCommand::RecycleBin), NameOf(BuiltinCommand::ControlPanel),
      NameOf(BuiltinCommand::ShutDown),   NameOf(BuiltinCommand::Restart),
      NameOf(BuiltinCommand::MsDos),      NameOf(BuiltinCommand::CdDoor),
      NameOf(BuiltinCommand::HangUp),
  };
  EXPECT_EQ(std::vector<std::wstring>(kEditorCommandNames.begin(), kEditorCommandNames.end()), expected);
}

TEST_F(Catalogue, EachBuiltinMakesExactlyItsOwnCalls) {
  const std::vector<std::pair<BuiltinCommand, CallList>> cases = {
      {BuiltinCommand::MyComputer,
       {L"ShellExecuteW(0, Open, explorer.exe, "
        L"/root,::{20D04FE0-3AEA-1069-A2D8-08002B30309D}, , 1)"}},
      {BuiltinCommand::RecycleBin,
       {L"ShellExecuteW(0, Open, Explorer.exe, "
        L"/root,::{645FF040-5081-101B-9F08-00AA002F954E}, , 1)"}},
      {BuiltinCommand::Explorer, {L"ShellExecuteW(0, <null>, Explorer.exe, , , 1)"}},
      {BuiltinCommand::ControlPanel, {L"StartProcess(rundll32.exe shell32.dll,Control_RunDLL, 1)"}},
      // The privilege first: without it current Windows refuses.
      {BuiltinCommand::ShutDown, {L"EnableShutdownPrivilege()", L"ExitWindowsEx(1, 0)"}},
      {BuiltinCommand::Restart, {L"EnableShutdownPrivilege()", L"ExitWindowsEx(2, 0)"}},
      {BuiltinCommand::MsDos, {L"ShellExecuteW(0, <null>, COMMAND.COM, , , 1)"}},
      {BuiltinCommand::CdDoor, {L"mciSendStringA(set CDAudio door open, buffer, 127, 0)"}},
      {BuiltinCommand::HangUp, {kListingCall}},
  };
  for (const auto& [command, expected] : cases) {
    calls_.clear();
    SetCdDoorOpen(0);
    RunCommandName(NameOf(command));
    // No shell request for the display name itself may follow.
    EXPECT_EQ(calls_, expected) << "entry " << static_cast<int>(command);
  }
}

TEST_F(Catalogue, CdTrayAlternatesOpenAndClosedAcrossPresses) {
  const std::wstring cdTray = NameOf(BuiltinCommand::CdDoor);
  RunCommandName(cdTray);
  EXPECT_EQ(CdDoorOpen(), -1);
  RunCommandName(cdTray);
  EXPECT_EQ(CdDoorOpen(), 0);
  RunCommandName(cdTray);
  EXPECT_EQ(calls_, (CallList{
                        L"mciSendStringA(set CDAudio door open, buffer, 127, 0)",
                        L"mciSendStringA(set CDAudio door closed, buffer, 127, 0)",
                        L"mciSendStringA(set CDAudio door open, buffer, 127, 0)",
                    }));
}

TEST_F(Catalogue, CdTrayFlagFollowsThePressesEvenWithoutMci) {
  table_.mciSendString = nullptr;
  RunCommandName(NameOf(BuiltinCommand::CdDoor));
  EXPECT_EQ(CdDoorOpen(), -1);
  EXPECT_TRUE(calls_.empty());
}

TEST_F(Catalogue, HangUpSkipsUnnamedConnectionsAndKeepsTheListedOrder) {
  g_recorded.connections = {{reinterpret_cast<HANDLE>(0x3003), "Work"},
                            {reinterpret_cast<HANDLE>(0x1001), ""},
                            {reinterpret_cast<HANDLE>(0x2002), "Home"},
                            {reinterpret_cast<HANDLE>(0x0fff), "Backup"}};
  RunBuiltinCommand(BuiltinCommand::HangUp);
  EXPECT_EQ(calls_, (CallList{
                        kListingCall,
                        L"RasHangUpA(12291)",
                        L"RasHangUpA(8194)",
                        L"RasHangUpA(4095)",
                    }));
}

TEST_F(Catalogue, HangUpAfterAFailedListingHangsUpNothing) {
  g_recorded.connections = {{reinterpret_cast<HANDLE>(0x3003), "Work"},
                            {reinterpret_cast<HANDLE>(0x2002), "Home"}};
  for (DWORD failure : {DWORD{603} /* buffer too small */, DWORD{ERROR_PROC_NOT_FOUND}}) {
    calls_.clear();
    g_recorded.enumResult = failure;
    RunBuiltinCommand(BuiltinCommand::HangUp);
    EXPECT_EQ(calls_.size(), 1u) << "result " << failure;
  }
}

TEST_F(Catalogue, HangUpNeverReadsPastTheBufferWhateverCountComesBack) {
  for (UINT_PTR i = 1; i <= kDialupRecordCount; ++i)
    g_recorded.connections.push_back({reinterpret_cast<HANDLE>(i), "Line"});
  g_recorded.enumCountOverride = 100000;
  RunBuiltinCommand(BuiltinCommand::HangUp);
  ASSERT_EQ(calls_.size(), 1u + kDialupRecordCount);
  EXPECT_EQ(calls_.back(), L"RasHangUpA(256)");
}

TEST_F(Catalogue, AMissingEntryDisablesOnlyItsOwnStep) {
  table_.rasHangUp = nullptr;
  table_.exitWindows = nullptr;
  table_.startProcess = nullptr;
  g_recorded.connections = {{reinterpret_cast<HANDLE>(0x1), "Work"}};
  RunBuiltinCommand(BuiltinCommand::HangUp);
  RunCommandName(NameOf(BuiltinCommand::ShutDown));
  RunCommandName(NameOf(BuiltinCommand::ControlPanel));
  EXPECT_EQ(calls_, (CallList{
                        kListingCall,
                        L"EnableShutdownPrivilege()",
                    }));

  calls_.clear();
  table_ = {};
  for (const std::wstring& name : CatalogueOrder) RunCommandName(name);
  RunCommandName(L"notepad.exe");
  table_.exitWindows = kRecorder.exitWindows;  // still asked for without the privilege entry
  RunCommandName(NameOf(BuiltinCommand::Restart));
  EXPECT_EQ(calls_, CallList{L"ExitWindowsEx(2, 0)"});
}

TEST_F(Catalogue, OtherTextGoesToTheShellUntouched) {
  for (const std::wstring text :
       {L"ms-dos", L" MS-DOS", L"MS-DOS ",
        L"MS\x2010"
        L"DOS",
        L"explorer.exe",
        L"\u6253\u5F00,\u5173\u95ED\u5149\u9A71",  // the CD-tray name with a Latin comma
        L"C:\\Program Files\\Probe\\probe.exe --once", L"\u6587\u6863.txt"}) {
    calls_.clear();
    RunCommandName(text);
    // A program found by search starts in the user's profile folder.
    const std::wstring folder = text == L"explorer.exe" ? ProfileFolder() : L"";
    EXPECT_EQ(calls_, CallList{L"ShellExecuteW(0, <null>, " + text + L", , " + folder + L", 1)"});
  }
}

namespace {
// A small tree of real files for the binding rule; removed again by the test.
struct RuleFiles {
  RuleFiles() {
    CreateDirectoryW(L"C:\\rule", nullptr);
    CreateDirectoryW(L"C:\\rule\\My Apps", nullptr);
    for (const wchar_t* file : kFiles)
      CloseHandle(CreateFileW(file, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  }
  ~RuleFiles() {
    for (const wchar_t* file : kFiles) DeleteFileW(file);
    RemoveDirectoryW(L"C:\\rule\\My Apps");
    RemoveDirectoryW(L"C:\\rule");
  }
  // The last one is planted where a shorter cut of "C:\rule\Program Files\..." would find it.
  static constexpr const wchar_t* kFiles[] = {L"C:\\rule\\My Apps\\view.exe",
                                              L"C:\\rule\\100%done.txt",
                                              L"C:\\rule\\report.doc",
                                              L"C:\\rule\\view.lnk",
                                              L"C:\\rule\\Program.exe",
                                              L"C:\\rule\\setup.exe",
                                              L"C:\\rule\\setup.exe notes.txt",
                                              L"C:\\rule\\tool.com",
                                              L"C:\\rule\\job.bat",
                                              L"C:\\rule\\run.CMD",
                                              L"C:\\rule-root.txt"};
};
}  // namespace

TEST_F(Catalogue, ABindingGetsItsParametersOnlyWhereItCouldNotWorkWhole) {
  RuleFiles files;
  SetEnvironmentVariableW(L"RULE_DIR", L"C:\\rule");
  // Binding -> the one shell request it makes: file, parameters, then the folder it starts in: a
  // file's own, the profile folder (~) for a program found by search, none for anything else.
  const std::pair<std::wstring, std::wstring> table[] = {
      {L"\u6211\u7684\u7535\u8111",
       L"ShellExecuteW(0, Open, explorer.exe, "
       L"/root,::{20D04FE0-3AEA-1069-A2D8-08002B30309D}, , 1)"},
      {L"C:\\rule\\My Apps\\view.exe", L"C:\\rule\\My Apps\\view.exe, , C:\\rule\\My Apps"},
      {L"\"C:\\rule\\My Apps\\view.exe\"  -full \"D:\\a b.txt\"",
       L"C:\\rule\\My Apps\\view.exe, -full \"D:\\a b.txt\", C:\\rule\\My Apps"},
      {L"\"C:\\a b\\c.txt\"", L"C:\\a b\\c.txt, , "},
      {L"C:\\rule\\My Apps\\view.exe  -a -b", L"C:\\rule\\My Apps\\view.exe, -a -b, C:\\rule\\My Apps"},
      {L"C:\\rule\\My Apps\\VIEW.EXE x", L"C:\\rule\\My Apps\\VIEW.EXE, x, C:\\rule\\My Apps"},
      {L"notepad.exe C:\\notes\\todo.txt", L"notepad.exe, C:\\notes\\todo.txt, ~"},
      {L"notepad.exe", L"notepad.exe, , ~"},
      {L"C:\\rule\\Gone\\app.exe -x", L"C:\\rule\\Gone\\app.exe -x, , "},
      {L"C:\\rule\\Program Files\\App\\app.exe -x", L"C:\\rule\\Program Files\\App\\app.exe -x, , "},
      {L"%RULE_DIR%\\report.doc", L"C:\\rule\\report.doc, , C:\\rule"},
      {L"%RULE_DIR%\\My Apps\\view.exe %RULE_DIR%",
       L"C:\\rule\\My Apps\\view.exe, C:\\rule, C:\\rule\\My Apps"},
      {L"%NO_SUCH_THING%\\x.txt", L"%NO_SUCH_THING%\\x.txt, , "},
      {L"C:\\rule\\100%done.txt", L"C:\\rule\\100%done.txt, , C:\\rule"},
      {L"C:\\rule\\My Apps", L"C:\\rule\\My Apps, , "},
      {L"C:\\rule\\view.lnk", L"C:\\rule\\view.lnk, , "},
      {L"http://example.org/a.exe b", L"http://example.org/a.exe b, , "},
      // An existing file goes whole, even where a program's name ends inside it.
      {L"C:\\rule\\setup.exe notes.txt", L"C:\\rule\\setup.exe notes.txt, , C:\\rule"},
      {L"C:\\rule\\tool.com -q", L"C:\\rule\\tool.com, -q, C:\\rule"},
      {L"C:\\rule\\job.bat a b", L"C:\\rule\\job.bat, a b, C:\\rule"},
      {L"C:\\rule\\run.cmd x", L"C:\\rule\\run.cmd, x, C:\\rule"},
      // A drive's root keeps its backslash: "C:" alone is that drive's current folder.
      {L"C:\\rule-root.txt", L"C:\\rule-root.txt, , C:\\"},
  };
  for (const auto& [binding, request] : table) {
    calls_.clear();
    RunCommandName(binding);
    std::wstring expected =
        request.rfind(L"ShellExecuteW", 0) == 0 ? request : L"ShellExecuteW(0, <null>, " + request + L", 1)";
    if (const size_t home = expected.find(L", ~,"); home != std::wstring::npos)
      expected.replace(home + 2, 1, ProfileFolder());
    EXPECT_EQ(calls_, CallList{expected}) << "binding " << Ansi(binding);
  }
  SetEnvironmentVariableW(L"RULE_DIR", nullptr);
}

TEST_F(Catalogue, AnEmptyNameRunsNothing) {
  RunCommandName(L"");
  EXPECT_TRUE(calls_.empty());
}

TEST_F(Catalogue, DosPromptFallsBackToComSpecWhenTheShellHasNoCommandCom) {
  wchar_t saved[MAX_PATH] = {};
  const bool hadComSpec = GetEnvironmentVariableW(L"ComSpec", saved, MAX_PATH) != 0;
  SetEnvironmentVariableW(L"ComSpec", L"C:\\Tools\\my shell.exe");

  RunCommandName(L"MS-DOS");
  EXPECT_EQ(calls_.size(), 1u) << "COMMAND.COM started, nothing more";

  calls_.clear();
  g_recorded.failingShellFile = L"COMMAND.COM";
  RunCommandName(L"MS-DOS");
  EXPECT_EQ(calls_, (CallList{L"ShellExecuteW(0, <null>, COMMAND.COM, , , 1)",
                              L"ShellExecuteW(0, <null>, C:\\Tools\\my shell.exe, , , 1)"}));

  calls_.clear();
  SetEnvironmentVariableW(L"ComSpec", nullptr);
  RunCommandName(L"MS-DOS");
  EXPECT_EQ(calls_.size(), 1u) << "no ComSpec, no second request";

  SetEnvironmentVariableW(L"ComSpec", hadComSpec ? saved : nullptr);
}

TEST_F(Catalogue, AFailingCommandThrowsNothingAndTheNextOneRuns) {
  g_recorded.shellThrows = true;
  EXPECT_NO_THROW(RunCommandName(L"explorer.exe"));
  EXPECT_NO_THROW(RunCommandName(NameOf(BuiltinCommand::MyComputer)));
  g_recorded.shellThrows = false;
  RunCommandName(L"explorer.exe");
  EXPECT_EQ(calls_.size(), 1u);
  // A refusal comes back for the notice; a built-in's never does, it has none to give.
  g_recorded.shellAnswer = ERROR_CANCELLED;
  EXPECT_EQ(RunCommandName(L"C:\\x\\setup.exe"), static_cast<DWORD>(ERROR_CANCELLED));
  EXPECT_EQ(RunCommandName(NameOf(BuiltinCommand::RecycleBin)), static_cast<DWORD>(ERROR_SUCCESS));
  g_recorded.shellAnswer = ERROR_SUCCESS;
  EXPECT_EQ(RunCommandName(L"C:\\x\\setup.exe"), static_cast<DWORD>(ERROR_SUCCESS));
}

TEST(SystemCallsTable, SwappingReturnsThePreviousTableAndNullRestoresTheReal) {
  const SystemCalls recorder = kRecorder;
  EXPECT_EQ(&CurrentSystemCalls(), &RealSystemCalls());
  EXPECT_EQ(SetSystemCalls(&recorder), &RealSystemCalls());
  EXPECT_EQ(&CurrentSystemCalls(), &recorder);
  EXPECT_EQ(SetSystemCalls(nullptr), &recorder);
  EXPECT_EQ(&CurrentSystemCalls(), &RealSystemCalls());
}

TEST(SystemCallsTable, MissingLibrariesAndFunctionsAreFoundAsNull) {
  EXPECT_EQ(FindSystemFunction(L"no-such-library-7f3a.dll", "mciSendStringA"), nullptr);
  EXPECT_EQ(FindSystemFunction(L"winmm.dll", "NoSuchFunction7f3a"), nullptr);
  EXPECT_NE(FindSystemFunction(L"winmm.dll", "mciSendStringA"), nullptr);
  EXPECT_NE(FindSystemFunction(L"rasapi32.dll", "RasHangUpA"), nullptr);
}

namespace {
std::wstring g_dllFolder;
BOOL WINAPI NoteDllFolder(const wchar_t* folder) {
  g_dllFolder = folder ? folder : L"<none>";
  return TRUE;
}
BOOL WINAPI RefuseSearchFlags(DWORD) { return FALSE; }
}  // namespace

// The first choices taken away, as on a system that lacks the search flags: a library comes from
// the system folder by its full path, and only the current folder leaves the search (Wine keeps it
// in either way, so what the program asks for is what is seen).
TEST(SystemCallsTable, WithoutTheSearchFlagsLibrariesComeFromTheSystemFolderByTheirFullPath) {
  for (const SetDefaultDllDirectoriesCall setDefault : {SetDefaultDllDirectoriesCall{}, &RefuseSearchFlags}) {
    g_dllFolder = L"<not asked>";
    SearchLibrariesInSystemFolderOnly(setDefault, &NoteDllFolder);
    EXPECT_EQ(g_dllFolder, L"") << "an empty folder, not none";
  }
  const HMODULE module = LoadFromSystemFolder(L"version.dll");
  ASSERT_NE(module, nullptr);
  wchar_t system[MAX_PATH] = {};
  wchar_t loaded[MAX_PATH] = {};
  GetSystemDirectoryW(system, MAX_PATH);
  GetModuleFileNameW(module, loaded, MAX_PATH);
  EXPECT_EQ(_wcsicmp(loaded, (std::wstring(system) + L"\\version.dll").c_str()), 0) << Ansi(loaded);
  EXPECT_EQ(LoadFromSystemFolder(L"no-such-library-7f3a.dll"), nullptr);
}

// Wine has no CD audio driver and no dial-up connections, so the real calls are safe here.
TEST(SystemCallsTable, TheRealTableReachesMultimediaAndRemoteAccess) {
  const SystemCalls& real = RealSystemCalls();
  char answer[128] = {};
  // 266: no driver to open. A missing binding would answer ERROR_PROC_NOT_FOUND.
  EXPECT_EQ(real.mciSendString("set CDAudio door open", answer, 127, nullptr), 266u);

  std::vector<DialupRecord> records(kDialupRecordCount);
  records[0].size = kDialupRecordSize;
  DWORD bufferSize = kDialupBufferSize;
  DWORD count = 99;
  EXPECT_EQ(real.rasEnumConnections(records.data(), &bufferSize, &count), 0u);
  EXPECT_EQ(count, 0u);
}

TEST(SystemCallsTable, TheRealTableStartsProcessesAndGetsTheShutdownPrivilege) {
  const SystemCalls& real = RealSystemCalls();
  EXPECT_TRUE(real.startProcess(L"cmd.exe /c exit 0", SW_SHOWNORMAL));
  EXPECT_FALSE(real.startProcess(L"no-such-program-7f3a.exe", SW_SHOWNORMAL));
  EXPECT_TRUE(real.enableShutdownPrivilege());
}

}  // namespace
