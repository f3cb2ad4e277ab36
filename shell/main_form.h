// Main: the program's main window. Its labels are the live binding table, its check boxes the
// live switches; loading it starts the program and closing it ends it.
#pragma once
#include <string>

#include "base/handles.h"
#include "dialogs/form.h"

namespace tarvolin {

class MainForm : public Form {
 public:
  MainForm();
  ~MainForm() override;

  // Slot n's binding (the caption of its label) and switch (its check box).
  std::wstring SlotCommandName(int slot) const;
  void SetSlotCommandName(int slot, const std::wstring& name);
  bool SlotSwitchedOn(int slot) const;
  void SetSwitchesEnabled(bool enabled);
  // Main's own icon: the active tray icon. Image2's picture: the paused one.
  HICON ActiveIcon() const;
  HICON PausedIcon() const;

 protected:
  void Form_Load() override;
  void Form_Unload() override;
  void Control_Click(const ControlSpec& control) override;
  void Control_MouseDown(const ControlSpec* control, int button, int x, int y) override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void Check_Click(int slot);
  void Command1_Click(int index);
  void Save();
  bool AnotherCopyRuns();

  KernelHandle instanceMutex_;
};

// The one Main of the program, or null before it exists.
MainForm* TheMainForm();
HWND MainWindowHandle();

}  // namespace tarvolin
