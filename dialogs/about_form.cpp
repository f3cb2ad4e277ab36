#include "dialogs/about_form.h"

#include <shellapi.h>

#include <cstring>

namespace tarvolin {

namespace {
bool Named(const ControlSpec* control, const char* name) {
  return control && std::strcmp(control->name, name) == 0;
}
}  // namespace

std::wstring ContactAddress() {
  const ControlSpec* label = nullptr;
  for (int i = 0; i < kAboutLayout.controlCount; ++i) {
    if (std::strcmp(kAboutLayout.controls[i].name, "Label1") == 0) label = &kAboutLayout.controls[i];
  }
  return label ? label->caption : L"";
}

AboutForm::AboutForm() : Form(kAboutLayout) {}

void AboutForm::Control_Click(const ControlSpec& control) {
  if (!Named(&control, "Label1")) return;
  // The mail program opens a new message; About stays open, whatever the shell answers.
  const std::wstring link = L"mailto:" + ContactAddress();
  ShellExecuteW(nullptr, nullptr, link.c_str(), L"", L"", SW_SHOWNORMAL);
}

void AboutForm::Control_MouseDown(const ControlSpec* control, int button, int, int) {
  if (Named(control, "Image1")) {
    DragWindow(button);
  } else if (control == nullptr || Named(control, "Label2")) {
    // The background and the version close the window, whichever button was pressed.
    Close();
  }
}

}  // namespace tarvolin
