#include "dialogs/infor2_form.h"

namespace tarvolin {

Infor2Form::Infor2Form() : Form(kInfor2Layout) {}

void Infor2Form::Control_Click(const ControlSpec& control) {
  if (IsNamed(control, "Command1")) Close();
}

void Infor2Form::Control_MouseDown(const ControlSpec* control, int button, int, int) {
  if (IsNamed(control, "Image1")) DragWindow(button);
}

}  // namespace tarvolin
