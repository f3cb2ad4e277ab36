// Edit: the hotkey editor. It works on Main's labels, the live bindings: it shows them, and OK
// puts the edited texts back. It writes only its two options and the autostart entry.
#pragma once
#include <string>

#include "dialogs/button_strip.h"
#include "dialogs/form.h"

namespace tarvolin {

class EditForm : public Form {
 public:
  EditForm();

  // The browse buttons' state, for whoever watches the strip.
  const ButtonStrip& Strip() const { return strip_; }

 protected:
  void Form_Load() override;
  void Control_Click(const ControlSpec& control) override;
  void Control_MouseDown(const ControlSpec* control, int button, int x, int y) override;
  void Control_MouseUp(const ControlSpec& control, int button, int x, int y) override;
  void Control_MouseMove(const ControlSpec& control, int button, int x, int y) override;
  void Control_Paint(const ControlSpec& control, HDC dc) override;
  void Timer_Tick() override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void Command1_Click(int index);
  void Command1_Ok();
  void picCommand_Click(int index);
  void picCommand_MouseDown(int index, int button);
  void picCommand_MouseUp(int index, int button);
  void picCommand_MouseMove(int index, int x, int y);
  void Timer1_Timer();
  void Form_DropFiles(HDROP drop);
  // The slot whose row holds the point (client pixels), or 0.
  int RowAt(POINT point);
  // Carries out what the strip decided for button index.
  void Apply(int index, const StripStep& step);

  ButtonStrip strip_;
};

// Main's Command1(1): shows the editor modally over Main.
void ShowEditor();

}  // namespace tarvolin
