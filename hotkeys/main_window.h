// What the hotkey layer and the windows above it need of Main. Main implements it and hands itself
// over when it loads; everything here reads or changes Main's own controls, which stay the live
// binding table and switches.
#pragma once
#include <windows.h>

#include <string>

namespace tarvolin {

class MainWindow {
 public:
  // Main's window: the hotkeys are registered against it and the tray icon belongs to it.
  virtual HWND Handle() const = 0;
  // Slot n's binding (the caption of its label) and switch (its check box).
  virtual std::wstring SlotCommandName(int slot) const = 0;
  virtual void SetSlotCommandName(int slot, const std::wstring& name) = 0;
  virtual bool SlotSwitchedOn(int slot) const = 0;
  // While the hotkeys are paused the switches take no clicks.
  virtual void SetSwitchesEnabled(bool enabled) = 0;
  // The tray shows the active icon, or the paused one while the hotkeys are paused: the icons'
  // small images.
  virtual HICON ActiveIcon() const = 0;
  virtual HICON PausedIcon() const = 0;
  // The taskbar was made anew (the shell restarted) and the tray icon is gone with the old one:
  // Main picks its icons again for its scale and adds the tray icon.
  virtual void AddTrayIconAgain() = 0;
  virtual void ShowMain() = 0;
  // Closing Main runs the program's shutdown and ends it.
  virtual void CloseMain() = 0;
  // The keys another program holds have changed (taken_keys.h SlotKeyTaken): Main marks their rows.
  virtual void TakenKeysChanged() = 0;

 protected:
  // Not deleted through this interface: Main owns itself.
  ~MainWindow() = default;
};

// Main hands itself over once, as it loads, and takes itself back as it goes (null).
void SetMainWindow(MainWindow* main);
// The program's Main, or null while there is none.
MainWindow* TheMainWindow();
// Main's window, or null while Main is not loaded.
HWND MainWindowHandle();

}  // namespace tarvolin
