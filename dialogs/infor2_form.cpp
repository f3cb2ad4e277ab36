#include "dialogs/infor2_form.h"

#include <cstring>

namespace tarvolin {

Infor2Form::Infor2Form() : Form(kInfor2Layout) {}

void Infor2Form::Form_Load() { ClipFaceButton("Command1"); }

void Infor2Form::Control_Click(const ControlSpec& control) {
  if (std::strcmp(control.name, "Command1") == 0) Close();
}

void Infor2Form::Control_MouseDown(const ControlSpec* control, int button, int, int) {
  if (control && std::strcmp(control->name, "Image1") == 0) DragWindow(button);
}

}  // namespace tarvolin
