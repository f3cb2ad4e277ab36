#include <gtest/gtest.h>

#include "settings/exe_path.h"
#include "support/process.h"

using tarvolin::ComputeExePath;

TEST(ExePath, FolderBackslashBaseNameAndExe) {
  EXPECT_EQ(ComputeExePath(L"C:\\Tools\\Tarvolin.exe"), L"C:\\Tools\\Tarvolin.exe");
  EXPECT_EQ(ComputeExePath(L"C:\\Program Files\\My Tools\\x.exe"), L"C:\\Program Files\\My Tools\\x.exe");
  EXPECT_EQ(ComputeExePath(L"\\\\server\\share\\x.exe"), L"\\\\server\\share\\x.exe");
}

TEST(ExePath, DriveRootGetsNoSecondBackslash) {
  EXPECT_EQ(ComputeExePath(L"C:\\x.exe"), L"C:\\x.exe");
  EXPECT_EQ(ComputeExePath(L"D:\\Tarvolin.exe"), L"D:\\Tarvolin.exe");
}

TEST(ExePath, ExtensionIsAlwaysExe) {
  EXPECT_EQ(ComputeExePath(L"C:\\Tools\\Tarvolin.EXE"), L"C:\\Tools\\Tarvolin.exe");
  EXPECT_EQ(ComputeExePath(L"C:\\Tools\\Tarvolin.bin"), L"C:\\Tools\\Tarvolin.exe");
  EXPECT_EQ(ComputeExePath(L"C:\\Tools\\v1.2\\Tarvolin"), L"C:\\Tools\\v1.2\\Tarvolin.exe");
}

TEST(ExePath, RunningProgramPathIsComputedOnce) {
  tarvolin::InitExePath();
  const std::wstring& path = tarvolin::ExePath();
  ASSERT_GT(path.size(), 4u);
  EXPECT_EQ(path.substr(path.size() - 4), L".exe");
  EXPECT_NE(path.find(L"\\settings_tests.exe"), std::wstring::npos);
}

TEST(ExePath, AModulesPathIsReadWholeAtTheBuffersSizeAndBeyond) {
  // The first buffer holds 260 characters: a path of 259 fits with its end, one of 260 fills it,
  // a longer one is cut there (and at 520) and read again in a larger buffer.
  for (const size_t length : {259u, 260u, 261u, 521u}) {
    const std::wstring path = tarvolin::test::PathOfLength(L"C:\\Long module paths\\", length, L".exe");
    ASSERT_TRUE(tarvolin::test::MakeFile(path));
    ASSERT_TRUE(CopyFileW(tarvolin::test::ProbePath().c_str(), path.c_str(), FALSE)) << length;
    const HMODULE module = LoadLibraryExW(path.c_str(), nullptr, DONT_RESOLVE_DLL_REFERENCES);
    ASSERT_NE(module, nullptr) << length;
    EXPECT_EQ(tarvolin::ModuleFileName(module), path) << length;
    FreeLibrary(module);
    DeleteFileW(path.c_str());
  }
}
