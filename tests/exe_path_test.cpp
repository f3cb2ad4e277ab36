#include <gtest/gtest.h>

#include "settings/exe_path.h"

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
