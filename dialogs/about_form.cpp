#include "dialogs/about_form.h"

#include <shellapi.h>

namespace tarvolin {

std::wstring ContactAddress() { return TARVOLIN_CONTACT_EMAIL; }

AboutForm::AboutForm() : Form(kAboutLayout) {}

void AboutForm::Control_Click(const ControlSpec& control) {
  if (!IsNamed(control, "Label1")) return;
  // The mail program opens a new message; About stays open, whatever the shell answers.
  const std::wstring link = L"mailto:" + ContactAddress();
  ShellExecuteW(nullptr, nullptr, link.c_str(), L"", L"", SW_SHOWNORMAL);
}

void AboutForm::Control_MouseDown(const ControlSpec* control, int button, int, int) {
  if (IsNamed(control, "Image1")) {
    DragWindow(button);
  } else if (control == nullptr || IsNamed(control, "Label2")) {
    // The background and the version close the window, whichever button was pressed.
    Close();
  }
}

}  // namespace tarvolin
