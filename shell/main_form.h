// Main: the program's main window. Its labels are the live binding table, its check boxes the
// live switches; loading it starts the program and closing it ends it.
#pragma once
#include <string>

#include "base/handles.h"
#include "dialogs/form.h"
#include "hotkeys/main_window.h"

namespace tarvolin {

class MainForm : public Form, public MainWindow {
 public:
  MainForm();
  ~MainForm() override;

  HWND Handle() const override { return hwnd(); }
  std::wstring SlotCommandName(int slot) const override;
  void SetSlotCommandName(int slot, const std::wstring& name) override;
  bool SlotSwitchedOn(int slot) const override;
  void SetSwitchesEnabled(bool enabled) override;
  // The small images of Main's own icon (the active tray icon) and of Image2's picture (the paused one).
  HICON ActiveIcon() const override;
  HICON PausedIcon() const override;
  void AddTrayIconAgain() override;
  void ShowMain() override { Show(); }
  void CloseMain() override { Close(); }
  void TakenKeysChanged() override;

 protected:
  void Form_Load() override;
  void Form_Unload() override;
  void Control_Click(const ControlSpec& control) override;
  void Control_MouseDown(const ControlSpec* control, int button, int x, int y) override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  void Form_DpiChanged() override;
  void Icons_Changed() override;
  void Label_Look(const ControlSpec& control, std::wstring& text, COLORREF& fore) const override;

 private:
  void Check_Click(int slot);
  void Command1_Click(int index);
  void Save();
  void Form_DropFiles(HDROP drop);
  bool AnotherCopyRuns();

  void UpdateTakenTips();

  KernelHandle instanceMutex_;
  // The tooltip over the rows of taken keys, made the first time a key is taken.
  HWND tooltip_ = nullptr;
  mutable IconHandle trayPaused_;  // the tray's paused icon, in the small size
  bool trayGone_ = false;          // while the icons are picked again for a new taskbar
};

}  // namespace tarvolin
