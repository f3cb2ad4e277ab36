// Main loaded inside the test program, with the settings file as the test left it.
#pragma once
#include <windows.h>

#include <chrono>
#include <memory>

#include "shell/main_form.h"
#include "support/process.h"

namespace tarvolin::test {

// Handles this thread's messages for a while, as the program's message loop would.
inline void PumpMessages(std::chrono::milliseconds duration = std::chrono::milliseconds(50)) {
  const auto end = std::chrono::steady_clock::now() + duration;
  do {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) continue;
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    Sleep(5);
  } while (std::chrono::steady_clock::now() < end);
}

// Handles this thread's messages until condition() holds or the time is up; its last value.
inline bool PumpUntil(const std::function<bool()>& condition,
                      std::chrono::milliseconds timeout = std::chrono::milliseconds(5000)) {
  return WaitUntil(
      [&] {
        PumpMessages(std::chrono::milliseconds(0));
        return condition();
      },
      timeout);
}

// A window of this program taken to another scale, as the system does when it moves to a screen
// of another scale or the user changes it: the new dots per inch and the rectangle it suggests.
inline void ChangeDpi(HWND window, int dpi, const RECT& suggested) {
  SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
}

class LoadedMain {
 public:
  LoadedMain() : form_(std::make_unique<MainForm>()) { form_->Load(); }
  ~LoadedMain() { Unload(); }
  LoadedMain(const LoadedMain&) = delete;
  LoadedMain& operator=(const LoadedMain&) = delete;

  MainForm& operator*() { return *form_; }
  MainForm* operator->() { return form_.get(); }

  // Closes Main as the program's end does, and drops the quit request it leaves behind.
  void Unload() {
    if (form_ && form_->IsLoaded()) DestroyWindow(form_->hwnd());
    MSG msg;
    while (PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
  }

 private:
  std::unique_ptr<MainForm> form_;
};

}  // namespace tarvolin::test
