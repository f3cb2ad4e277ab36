// About: product, version and contact, with a mail link. Any press on it but the link closes it.
#pragma once
#include <string>

#include "dialogs/form.h"

namespace tarvolin {

// The address the About window shows and its mail link opens.
std::wstring ContactAddress();

class AboutForm : public Form {
 public:
  AboutForm();

 protected:
  void Control_Click(const ControlSpec& control) override;
  void Control_MouseDown(const ControlSpec* control, int button, int x, int y) override;
};

}  // namespace tarvolin
