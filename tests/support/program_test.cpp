#include "support/program_test.h"

#include "hotkeys/tray.h"
#include "support/editor_driver.h"

namespace tarvolin::test {

void ProgramTest::Clean() {
  RemoveSettingsFile();
  ClearProbeStarts();
  DeleteRunValue(HKEY_LOCAL_MACHINE);
  DeleteRunValue(HKEY_CURRENT_USER);
}

HWND ProgramTest::Start(const std::string& settings, bool shown) {
  if (!settings.empty()) WriteSettingsBytes(settings);
  program_ = std::make_unique<RunningProgram>();
  main_ = program_->Start() ? program_->WaitForMain(shown) : nullptr;
  return main_;
}

void ProgramTest::Click(HWND form, const char* name, int index, int button) {
  ClickAt(ScreenPoint(form, name, index), button);
}

HWND ProgramTest::WaitForOwnWindow(const wchar_t* className) {
  const HWND window = program_->WaitForWindow(className, std::chrono::milliseconds(5000));
  if (window) WaitUntil([&] { return IsWindowVisible(window) && Painted(window); });
  return window;
}

void ProgramTest::PostTray(UINT mouseMessage) {
  PostMessageW(main_, kTrayCallbackMessage, kTrayIconId, mouseMessage);
}

::testing::AssertionResult ProgramTest::PressAndSeeStarts(WORD vk, size_t expected) {
  PressKey(vk);
  WaitUntil([&] { return ProbeStarts().size() >= expected; }, std::chrono::milliseconds(5000));
  const std::vector<ProbeStart> starts = ProbeStarts();
  if (starts.size() == expected) return ::testing::AssertionSuccess();
  ::testing::AssertionResult failure = ::testing::AssertionFailure()
                                       << "after key F" << (vk - VK_F1 + 1) << ": " << starts.size()
                                       << " starts, not " << expected << "; keys held " << HeldFunctionKeys();
  for (const ProbeStart& start : starts) failure << "\n  " << start.commandLine;
  return failure;
}

::testing::AssertionResult ProgramTest::MovedBy(HWND window, const RECT& before, int dx, int dy) {
  RECT now = {};
  if (WaitUntil([&] {
        GetWindowRect(window, &now);
        return now.left == before.left + dx && now.top == before.top + dy;
      })) {
    return ::testing::AssertionSuccess();
  }
  return ::testing::AssertionFailure()
         << "moved by " << now.left - before.left << "," << now.top - before.top;
}

}  // namespace tarvolin::test
