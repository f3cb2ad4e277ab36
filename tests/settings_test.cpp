// The settings file read and written through the platform's profile functions, in the test
// prefix's real Windows directory, under code page 936 and (the ".cp1252" runs) 1252.
#include <gtest/gtest.h>
#include <shlobj.h>

#include "base/code_page.h"
#include "settings/settings.h"
#include "support/process.h"

using namespace tarvolin;
using namespace tarvolin::test;

namespace {

class SettingsFile : public ::testing::Test {
 protected:
  void SetUp() override { RemoveSettingsFile(); }
  void TearDown() override { RemoveSettingsFile(); }
};

const std::wstring kMyComputer = L"我的电脑";
const std::wstring kCdDoor = L"打开、关闭光驱";

}  // namespace

TEST_F(SettingsFile, SectionAndKeyNamesMatchWithoutRegardToCase) {
  WriteSettingsBytes("[HotKey]\r\nF1=C:\\Tools\\Notes.exe\r\n[ENABLED]\r\nf5=True\r\n");
  EXPECT_EQ(ReadSetting(L"Hotkey", L"F1"), L"C:\\Tools\\Notes.exe");
  EXPECT_EQ(ReadSetting(L"hotkey", L"f1"), L"C:\\Tools\\Notes.exe");
  EXPECT_EQ(ReadSetting(L"Enabled", L"F5"), L"True");
}

TEST_F(SettingsFile, BlanksAroundAValueAndOnePairOfQuotesAreDropped) {
  WriteSettingsBytes(
      "[Enabled]\r\nF1=  True  \r\nF2=\"C:\\My Tools\\a.exe\"\r\nF3='x'\r\nF4=\"\"quoted\"\"\r\n"
      "F5=true\r\n[Other Settings]\r\nAutoHide=yes\r\n");
  EXPECT_EQ(ReadSetting(L"Enabled", L"F1"), L"True");
  EXPECT_EQ(ReadSetting(L"Enabled", L"F2"), L"C:\\My Tools\\a.exe");
  EXPECT_EQ(ReadSetting(L"Enabled", L"F3"), L"x");
  // Only one enclosing pair goes; the rest stays as written.
  EXPECT_EQ(ReadSetting(L"Enabled", L"F4"), L"\"quoted\"");
  // Values keep their case: callers compare with "True" and "Yes" exactly.
  EXPECT_EQ(ReadSetting(L"Enabled", L"F5"), L"true");
  EXPECT_EQ(ReadSetting(L"Other Settings", L"AutoHide"), L"yes");
}

TEST_F(SettingsFile, MissingFileSectionOrKeyReadsEmptyAndCreatesNothing) {
  EXPECT_EQ(ReadSetting(L"Hotkey", L"F1"), L"");
  EXPECT_EQ(ReadSetting(L"Other Settings", L"AutoHide"), L"");
  EXPECT_FALSE(SettingsFileExists());

  WriteSettingsBytes("[Hotkey]\r\nF1=\r\n");
  EXPECT_EQ(ReadSetting(L"Hotkey", L"F1"), L"");
  EXPECT_EQ(ReadSetting(L"Hotkey", L"F2"), L"");
  EXPECT_EQ(ReadSetting(L"Enabled", L"F1"), L"");
  EXPECT_EQ(ReadSettingsBytes(), "[Hotkey]\r\nF1=\r\n");
}

TEST_F(SettingsFile, LongValuesAreReadWhole) {
  std::string path = "C:\\";
  while (path.size() < 296) path += "LongFolderName\\";
  path = path.substr(0, 296) + ".exe";
  ASSERT_EQ(path.size(), 300u);
  WriteSettingsBytes("[HotKey]\r\nF7=" + path + "\r\n");
  EXPECT_EQ(ReadSetting(L"Hotkey", L"F7"), std::wstring(path.begin(), path.end()));

  const std::wstring huge(5000, L'a');
  ASSERT_TRUE(WriteSetting(L"HotKey", L"F8", huge));
  EXPECT_EQ(ReadSetting(L"Hotkey", L"F8"), huge);
}

TEST_F(SettingsFile, WritesAppendNewKeysAndRewriteExistingOnesInPlace) {
  ASSERT_TRUE(WriteSetting(L"Other Settings", L"AutoRun", L"No"));
  ASSERT_TRUE(WriteSetting(L"Other Settings", L"AutoHide", L"Yes"));
  ASSERT_TRUE(WriteSetting(L"HotKey", L"F1", L"C:\\a.exe"));
  ASSERT_TRUE(WriteSetting(L"Other Settings", L"AutoRun", L"Yes"));
  ASSERT_TRUE(WriteSetting(L"HotKey", L"F2", L""));
  EXPECT_EQ(ReadSettingsBytes(),
            "[Other Settings]\r\nAutoRun=Yes\r\nAutoHide=Yes\r\n[HotKey]\r\nF1=C:\\a.exe\r\nF2=\r\n");
  EXPECT_EQ(ReadSetting(L"Hotkey", L"F2"), L"");
}

TEST_F(SettingsFile, ChineseValuesKeepTheirCodePageBytesOnAChineseSystem) {
  if (GetACP() != 936) GTEST_SKIP() << "code page 936 only";
  ASSERT_TRUE(WriteSetting(L"HotKey", L"F1", kMyComputer));
  ASSERT_TRUE(WriteSetting(L"HotKey", L"F10", kCdDoor));
  // GBK: two bytes a character, no byte-order mark.
  EXPECT_EQ(ReadSettingsBytes(),
            "[HotKey]\r\nF1=\xCE\xD2\xB5\xC4\xB5\xE7\xC4\xD4\r\n"
            "F10=\xB4\xF2\xBF\xAA\xA1\xA2\xB9\xD8\xB1\xD5\xB9\xE2\xC7\xFD\r\n");
  EXPECT_EQ(ReadSetting(L"Hotkey", L"F1"), kMyComputer);
  EXPECT_EQ(ReadSetting(L"Hotkey", L"F10"), kCdDoor);
}

TEST_F(SettingsFile, FilesWrittenByEarlierVersionsOnAChineseSystemAreRead) {
  if (GetACP() != 936) GTEST_SKIP() << "code page 936 only";
  WriteSettingsBytes("[HotKey]\r\nF2=\xBB\xD8\xCA\xD5\xD5\xBE\r\nF9=MS-DOS\r\n");
  EXPECT_EQ(ReadSetting(L"Hotkey", L"F2"), L"回收站");
  EXPECT_EQ(ReadSetting(L"Hotkey", L"F9"), L"MS-DOS");
}

TEST_F(SettingsFile, AValueTheCodePageCannotHoldTurnsTheFileIntoUtf16AndKeepsEverything) {
  // On a Western system a Greek letter and a line-drawing character, which its OEM code page
  // (437) has but 1252 lacks; on a Chinese one a rarer script.
  const std::wstring foreign =
      GetACP() == 936 ? std::wstring(L"C:\\Εργαλεία\\ที่.exe") : L"C:\\\u03A3\u2550\\a.exe";
  ASSERT_TRUE(WriteSetting(L"Other Settings", L"AutoRun", L"No"));
  ASSERT_TRUE(WriteSetting(L"HotKey", L"F1", L"C:\\Tools\\Notes.exe"));
  ASSERT_EQ(ReadSettingsBytes().substr(0, 2), "[O");

  ASSERT_TRUE(WriteSetting(L"HotKey", L"F2", foreign));
  const std::string bytes = ReadSettingsBytes();
  ASSERT_GE(bytes.size(), 2u);
  EXPECT_EQ(bytes.substr(0, 2), "\xFF\xFE");
  EXPECT_EQ(ReadSetting(L"Hotkey", L"F2"), foreign);
  EXPECT_EQ(ReadSetting(L"Hotkey", L"F1"), L"C:\\Tools\\Notes.exe");
  EXPECT_EQ(ReadSetting(L"Other Settings", L"AutoRun"), L"No");

  // Later writes keep the file in UTF-16, whatever they hold.
  ASSERT_TRUE(WriteSetting(L"HotKey", L"F3", kMyComputer));
  ASSERT_TRUE(WriteSetting(L"Other Settings", L"AutoRun", L"Yes"));
  EXPECT_EQ(ReadSettingsBytes().substr(0, 2), "\xFF\xFE");
  EXPECT_EQ(ReadSetting(L"Hotkey", L"F3"), kMyComputer);
  EXPECT_EQ(ReadSetting(L"Other Settings", L"AutoRun"), L"Yes");
  EXPECT_EQ(ReadSetting(L"Hotkey", L"F2"), foreign);
}

TEST_F(SettingsFile, ChineseNamesSurviveAWesternSystem) {
  if (GetACP() != 1252) GTEST_SKIP() << "code page 1252 only";
  ASSERT_TRUE(WriteSetting(L"HotKey", L"F1", kMyComputer));
  EXPECT_EQ(ReadSetting(L"Hotkey", L"F1"), kMyComputer);
  EXPECT_EQ(ReadSettingsBytes().substr(0, 2), "\xFF\xFE");
}

namespace {
// A standard user's view of the settings: the Windows directory refuses every write.
class UserCopy : public SettingsFile {
 protected:
  void SetUp() override {
    SettingsFile::SetUp();
    copy_ = UserSettingsCopyPath();
    ASSERT_FALSE(copy_.empty());
    settings_detail::KeepUserCopyForTesting(true);
  }
  void TearDown() override {
    settings_detail::RefuseWindowsDirectoryForTesting(false);
    settings_detail::KeepUserCopyForTesting(sizeof(void*) == 8);
    SettingsFile::TearDown();
  }
  bool CopyExists() const { return GetFileAttributesW(copy_.c_str()) != INVALID_FILE_ATTRIBUTES; }
  std::wstring copy_;
};
}  // namespace

TEST(UserCopyPlace, OnlyThe64BitFlavourKeepsTheUsersCopyUnderVirtualStore) {
  EXPECT_EQ(settings_detail::KeepsUserCopy(), sizeof(void*) == 8);
  wchar_t windows[MAX_PATH] = {};
  GetWindowsDirectoryW(windows, MAX_PATH);
  wchar_t local[MAX_PATH] = {};
  ASSERT_GT(GetEnvironmentVariableW(L"LOCALAPPDATA", local, MAX_PATH), 0u);
  // %LOCALAPPDATA%\VirtualStore\ + the Windows directory without its drive + the file name.
  EXPECT_EQ(UserSettingsCopyPath(),
            std::wstring(local) + L"\\VirtualStore" + (windows + 2) + L"\\Tarvolin.ini");
}

// The path is worked out once a process, so a child without LOCALAPPDATA (a test program started
// with TARVOLIN_COPY_PATH_OUT naming a file) works it out and leaves it in that file.
TEST(UserCopyPlace, WithoutLocalAppDataTheShellNamesTheLocalFolder) {
  wchar_t out[MAX_PATH] = {};
  if (GetEnvironmentVariableW(L"TARVOLIN_COPY_PATH_OUT", out, MAX_PATH) > 0) {
    const std::wstring copy = UserSettingsCopyPath();
    WriteFileBytes(out,
                   std::string(reinterpret_cast<const char*>(copy.data()), copy.size() * sizeof(wchar_t)));
    return;
  }
  wchar_t temp[MAX_PATH] = {};
  ASSERT_GT(GetTempPathW(MAX_PATH, temp), 0u);
  const std::wstring file = std::wstring(temp) + L"tarvolin-copy-path.bin";
  DeleteFileW(file.c_str());
  wchar_t local[MAX_PATH] = {};
  ASSERT_GT(GetEnvironmentVariableW(L"LOCALAPPDATA", local, MAX_PATH), 0u);
  SetEnvironmentVariableW(L"LOCALAPPDATA", nullptr);
  SetEnvironmentVariableW(L"TARVOLIN_COPY_PATH_OUT", file.c_str());
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  const ::testing::TestInfo& test = *::testing::UnitTest::GetInstance()->current_test_info();
  const std::string filter = std::string(test.test_suite_name()) + "." + test.name();
  std::wstring line =
      L"\"" + std::wstring(self) + L"\" --gtest_filter=" + std::wstring(filter.begin(), filter.end());
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION child = {};
  const BOOL started =
      CreateProcessW(self, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &child);
  SetEnvironmentVariableW(L"TARVOLIN_COPY_PATH_OUT", nullptr);
  SetEnvironmentVariableW(L"LOCALAPPDATA", local);
  ASSERT_TRUE(started);
  const KernelHandle process(child.hProcess);
  CloseHandle(child.hThread);
  ASSERT_EQ(WaitForSingleObject(process.get(), 60000), WAIT_OBJECT_0);
  const std::string bytes = ReadFileBytes(file);
  DeleteFileW(file.c_str());
  const std::wstring copy(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / sizeof(wchar_t));

  wchar_t shell[MAX_PATH] = {};
  ASSERT_EQ(SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, shell), S_OK);
  EXPECT_EQ(copy.rfind(std::wstring(shell) + L"\\VirtualStore\\", 0), 0u)
      << "the child's path: " << Ansi(copy);
  EXPECT_EQ(copy.substr(copy.size() < 13 ? 0 : copy.size() - 13), L"\\Tarvolin.ini");
}

TEST_F(UserCopy, ARefusedWriteCopiesTheOriginalWholeAndLandsInTheCopyFromThenOn) {
  const std::string original = "[HotKey]\r\nF1=C:\\a.exe\r\n[Enabled]\r\nF1=True\r\n";
  WriteSettingsBytes(original);
  settings_detail::RefuseWindowsDirectoryForTesting(true);
  ASSERT_TRUE(WriteSetting(L"HotKey", L"F2", L"D:\\b.exe"));
  EXPECT_EQ(ReadSettingsBytes(), original);
  EXPECT_EQ(ReadFileBytes(copy_), "[HotKey]\r\nF1=C:\\a.exe\r\nF2=D:\\b.exe\r\n[Enabled]\r\nF1=True\r\n");
  EXPECT_EQ(ReadSetting(L"HotKey", L"F1"), L"C:\\a.exe");
  EXPECT_EQ(ReadSetting(L"HotKey", L"F2"), L"D:\\b.exe");

  // Once the copy exists it holds the settings, even where the original could be written.
  settings_detail::RefuseWindowsDirectoryForTesting(false);
  ASSERT_TRUE(WriteSetting(L"Enabled", L"F1", L"False"));
  const std::wstring foreign = GetACP() == 936 ? std::wstring(L"C:\\Εργαλεία.exe") : kCdDoor;
  ASSERT_TRUE(WriteSetting(L"HotKey", L"F3", foreign));
  EXPECT_EQ(ReadSettingsBytes(), original);
  EXPECT_EQ(ReadFileBytes(copy_).substr(0, 2), "\xFF\xFE");
  EXPECT_EQ(ReadSetting(L"Enabled", L"F1"), L"False");
  EXPECT_EQ(ReadSetting(L"HotKey", L"F3"), foreign);
  EXPECT_EQ(ReadSetting(L"HotKey", L"F2"), L"D:\\b.exe");
}

TEST_F(UserCopy, WithoutAnOriginalTheCopyHoldsJustWhatWasWritten) {
  settings_detail::RefuseWindowsDirectoryForTesting(true);
  ASSERT_TRUE(WriteSetting(L"Other Settings", L"AutoHide", L"Yes"));
  EXPECT_FALSE(SettingsFileExists());
  EXPECT_EQ(ReadFileBytes(copy_), "[Other Settings]\r\nAutoHide=Yes\r\n");
  EXPECT_EQ(ReadSetting(L"Other Settings", L"AutoHide"), L"Yes");
}

TEST_F(UserCopy, AnExistingCopyIsReadInPlaceOfTheOriginalAndKeptAsItIs) {
  WriteSettingsBytes("[HotKey]\r\nF1=C:\\old.exe\r\nF2=C:\\only-here.exe\r\n");
  ASSERT_TRUE(WriteSetting(L"HotKey", L"F4", L"x"));  // no copy yet: the original takes it
  settings_detail::RefuseWindowsDirectoryForTesting(true);
  WriteFileBytes(copy_, "[HotKey]\r\nF1=C:\\mine.exe\r\n");
  EXPECT_EQ(ReadSetting(L"HotKey", L"F1"), L"C:\\mine.exe");
  EXPECT_EQ(ReadSetting(L"HotKey", L"F2"), L"");
  ASSERT_TRUE(WriteSetting(L"HotKey", L"F5", L"y"));
  EXPECT_EQ(ReadFileBytes(copy_), "[HotKey]\r\nF1=C:\\mine.exe\r\nF5=y\r\n");
  EXPECT_EQ(ReadSettingsBytes(), "[HotKey]\r\nF1=C:\\old.exe\r\nF2=C:\\only-here.exe\r\nF4=x\r\n");
}

TEST_F(UserCopy, AProgramTheSystemRedirectsLeavesTheCopyToTheSystem) {
  // The 32-bit flavour: the system, not the program, redirects its writes and reads.
  settings_detail::KeepUserCopyForTesting(false);
  WriteSettingsBytes("[HotKey]\r\nF1=C:\\a.exe\r\n");
  WriteFileBytes(copy_, "[HotKey]\r\nF1=C:\\mine.exe\r\n");
  EXPECT_EQ(ReadSetting(L"HotKey", L"F1"), L"C:\\a.exe");
  settings_detail::RefuseWindowsDirectoryForTesting(true);
  EXPECT_FALSE(WriteSetting(L"HotKey", L"F2", L"D:\\b.exe"));
  EXPECT_EQ(ReadFileBytes(copy_), "[HotKey]\r\nF1=C:\\mine.exe\r\n");
  EXPECT_EQ(ReadSettingsBytes(), "[HotKey]\r\nF1=C:\\a.exe\r\n");
}

TEST(SettingsText, FitsCodePageAndTrimBlanks) {
  using namespace tarvolin::settings_detail;
  EXPECT_TRUE(FitsCodePage(L"C:\\Tools\\a b.exe", CP_ACP));
  EXPECT_TRUE(FitsCodePage(L"", CP_ACP));
  EXPECT_TRUE(FitsCodePage(kCdDoor, 936));
  EXPECT_FALSE(FitsCodePage(kCdDoor, 1252));
  // Best-fit mappings (a Greek letter to a Latin one) do not count as fitting.
  EXPECT_FALSE(FitsCodePage(L"\u03b1", 1252));
  EXPECT_EQ(TrimBlanks(L"  True  "), L"True");
  EXPECT_EQ(TrimBlanks(L"\tTrue"), L"\tTrue");
  EXPECT_EQ(TrimBlanks(L"   "), L"");
}
