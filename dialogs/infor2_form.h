// Infor2: the notice that another copy of the program is already running.
#pragma once
#include "dialogs/form.h"

namespace tarvolin {

class Infor2Form : public Form {
 public:
  Infor2Form();

 protected:
  void Control_Click(const ControlSpec& control) override;
  void Control_MouseDown(const ControlSpec* control, int button, int x, int y) override;
};

}  // namespace tarvolin
