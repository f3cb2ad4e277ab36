#include "dialogs/infor_form.h"

#include "hotkeys/main_window.h"

namespace tarvolin {

InforForm::InforForm() : Form(kInforLayout) {}

void InforForm::Control_Click(const ControlSpec& control) {
  if (!IsNamed(control, "Command1")) return;
  if (control.index == 0) {
    Close();
    // Closing Main runs the program's shutdown and ends it.
    if (MainWindow* main = TheMainWindow()) main->CloseMain();
  } else if (control.index == 1) {
    Close();
  }
}

void InforForm::Control_MouseDown(const ControlSpec* control, int button, int, int) {
  if (IsNamed(control, "Image1")) DragWindow(button);
}

}  // namespace tarvolin
