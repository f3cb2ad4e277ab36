// Keys that stand aside for full-screen programs. F1..F12 are a game's keys and a slide show's:
// while another program's window fills its whole monitor in front, a press of a switched-on key
// goes to that program instead of running the binding. Decided at the press and nowhere else.
#pragma once
#include <windows.h>

#include <string>

namespace tarvolin {

// The facts about the window in front that the decision rests on.
struct FrontWindow {
  bool exists = false;     // some window is in front
  bool ours = false;       // it belongs to this program
  bool shell = false;      // the desktop window or the shell's own window
  bool workerW = false;    // of the class WorkerW, as the windows the shell puts behind the icons
  DWORD process = 0;       // the process it belongs to
  DWORD shellProcess = 0;  // the shell's, 0 where there is no shell
  RECT window = {};        // its rectangle, in physical pixels
  RECT monitor = {};       // the whole rectangle of the monitor it is on, in physical pixels
};

// Whether the window in front is the desktop, which fills its monitor too: the desktop window, the
// shell's window, or a WorkerW window of the shell's own process (another program's is its own).
bool IsDesktop(const FrontWindow& front);

// Whether a press stands aside for the window in front: another program's window exactly the size
// of its monitor. A maximised window reaches past the monitor by its frame and does not count.
// keysStayWithTarvolin is the user's choice to keep the keys everywhere.
bool StandsAside(const FrontWindow& front, bool keysStayWithTarvolin);

// The window in front now, its rectangles in physical pixels.
FrontWindow FrontWindowNow();

// The user's line "FullScreenKeys" of [Other Settings], read at start-up: exactly "Tarvolin" keeps
// the keys with this program in front of full-screen programs too; anything else lets them go.
void SetFullScreenKeys(const std::wstring& value);
bool KeysStayWithTarvolin();

// Whether a press now stands aside.
bool PressStandsAside();

// Gives the program in front a fresh press of the key vk, which this program no longer holds: a
// key-up, then a key-down, while the user still holds it (the key-down the system took for the
// hotkey never reached that program, and one sent alone now would come as a repeat); where it is
// already up again, the same followed by its key-up.
void SendFreshPress(UINT vk, bool keyDown);

}  // namespace tarvolin
