// Infor: asks before the program ends.
#pragma once
#include "dialogs/form.h"

namespace tarvolin {

class InforForm : public Form {
 public:
  InforForm();

 protected:
  void Control_Click(const ControlSpec& control) override;
  void Control_MouseDown(const ControlSpec* control, int button, int x, int y) override;
};

}  // namespace tarvolin
