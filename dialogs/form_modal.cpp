// The modal loop: the other windows take no input while a modal form is up, and their messages
// keep being handled.
#include <vector>

#include "dialogs/form.h"
#include "dialogs/form_internal.h"

namespace tarvolin {

namespace {
struct DisableList {
  HWND keep;
  std::vector<HWND> windows;
};
BOOL CALLBACK DisableOthers(HWND hwnd, LPARAM param) {
  auto* list = reinterpret_cast<DisableList*>(param);
  if (hwnd != list->keep && IsWindowEnabled(hwnd)) {
    EnableWindow(hwnd, FALSE);
    list->windows.push_back(hwnd);
  }
  return TRUE;
}
}  // namespace

void Form::ShowModal() {
  HWND owner = nullptr;
  for (Form* form : form_internal::Loaded()) {
    if (form != this && form->hwnd_ && IsWindowEnabled(form->hwnd_)) owner = form->hwnd_;
  }
  if (!hwnd_ && !Load(owner)) return;
  DisableList disabled{hwnd_, {}};
  EnumThreadWindows(GetCurrentThreadId(), &DisableOthers, reinterpret_cast<LPARAM>(&disabled));
  modal_ = true;
  endModal_ = false;
  Show();
  MSG msg;
  while (!endModal_ && hwnd_) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (got == -1) break;
    if (!IsDialogMessageW(hwnd_, &msg)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
  // Give input back before the window goes, so activation returns to our own window.
  for (HWND hwnd : disabled.windows) {
    if (IsWindow(hwnd)) EnableWindow(hwnd, TRUE);
  }
  modal_ = false;
  endModal_ = false;
  if (hwnd_) DestroyWindow(hwnd_);
}

}  // namespace tarvolin
