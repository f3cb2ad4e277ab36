// One run per press. A function key held down repeats, and the system sends a hotkey message for
// every repeat; MOD_NOREPEAT stops that where the system honours it, and this guard where it
// does not: a slot that ran while its key was down does not run again until the key is released.
#pragma once
#include <windows.h>

#include "hotkeys/slot_table.h"

namespace tarvolin {

// The timer on Main that watches for releases; it runs only while a slot's key is held down.
inline constexpr UINT_PTR kReleaseTimerId = 0x7A01;
inline constexpr UINT kReleaseTimerMs = 20;

// The state of the twelve slots, free of any window so it can be tested alone.
class PressGuard {
 public:
  // A hotkey message for slot arrived while its key is (or is not) down: true when it should run.
  // A message that arrives while the key is up is no repeat (another program may have posted it).
  bool Accept(int slot, bool keyDown);
  // The press of slot was handed over to a full-screen program (full_screen.h): its key waits
  // for its release, to be taken back then.
  void HandOver(int slot);
  // The key of slot is up again; true while some other slot still waits for its release.
  bool Released(int slot);
  bool Waiting(int slot) const;
  bool HandedOver(int slot) const;
  bool AnyWaiting() const;
  void Clear();

 private:
  bool waiting_[kSlotCount + 1] = {};     // by slot; [0] unused
  bool handedOver_[kSlotCount + 1] = {};  // by slot; [0] unused
};

// The program's guard, for MessageHook: whether a hotkey message for slot is a press (and if so,
// starts watching its key), and what the release timer does at each tick.
bool AcceptHotkeyPress(HWND main, int slot);
void WatchKeyReleases(HWND main);
// A press accepted for slot goes to the full-screen program in front instead of running: the key
// is let go and sent on, and the release watch takes it back once the user has let go of it.
void StandAside(HWND main, int slot);

}  // namespace tarvolin
