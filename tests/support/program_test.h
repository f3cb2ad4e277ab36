// The fixture of the end-to-end tests: Tarvolin.exe started over a settings file the test wrote,
// its windows clicked where their layouts put the controls, its tray icon's messages posted as the
// shell posts them. The settings file, the probe's log and the autostart entries are cleared before
// and after each test.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>

#include "dialogs/form.h"
#include "support/process.h"

namespace tarvolin::test {

class ProgramTest : public ::testing::Test {
 protected:
  void SetUp() override { Clean(); }
  void TearDown() override {
    program_.reset();
    Clean();
  }
  static void Clean();

  // Writes the settings (none when empty), starts Tarvolin and waits for the end of its start-up
  // (see RunningProgram::WaitForMain); Main, or null.
  HWND Start(const std::string& settings = std::string(), bool shown = true);
  // A click at the middle of a control of one of Tarvolin's windows, Main unless named.
  void Click(const char* name, int index = -1, int button = kLeftButton) {
    Click(main_, name, index, button);
  }
  static void Click(HWND form, const char* name, int index = -1, int button = kLeftButton);
  // Tarvolin's window of this class once it is shown (null on time-out).
  HWND WaitForOwnWindow(const wchar_t* className);
  void PostTray(UINT mouseMessage);
  // Presses a key and waits for the probe to have started `expected` times in all; a failure names
  // the starts seen.
  static ::testing::AssertionResult PressAndSeeStarts(WORD vk, size_t expected);

  // Waits until window stands moved by (dx, dy) from where it was; a failure says where it is.
  static ::testing::AssertionResult MovedBy(HWND window, const RECT& before, int dx, int dy);

  std::unique_ptr<RunningProgram> program_;
  HWND main_ = nullptr;
};

}  // namespace tarvolin::test
