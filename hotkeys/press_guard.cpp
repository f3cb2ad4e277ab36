#include "hotkeys/press_guard.h"

namespace tarvolin {

namespace {
bool KeyDown(int slot) { return (GetAsyncKeyState(static_cast<int>(SlotVirtualKey(slot))) & 0x8000) != 0; }

PressGuard g_guard;
}  // namespace

bool PressGuard::Accept(int slot, bool keyDown) {
  if (!ValidSlot(slot)) return false;
  if (!keyDown) {
    waiting_[slot] = false;
    return true;
  }
  if (waiting_[slot]) return false;
  waiting_[slot] = true;
  return true;
}

bool PressGuard::Released(int slot) {
  if (ValidSlot(slot)) waiting_[slot] = false;
  return AnyWaiting();
}

bool PressGuard::Waiting(int slot) const { return ValidSlot(slot) && waiting_[slot]; }

bool PressGuard::AnyWaiting() const {
  for (int n = 1; n <= kSlotCount; ++n) {
    if (waiting_[n]) return true;
  }
  return false;
}

void PressGuard::Clear() {
  for (bool& w : waiting_) w = false;
}

bool AcceptHotkeyPress(HWND main, int slot) {
  const bool down = KeyDown(slot);
  if (!g_guard.Accept(slot, down)) return false;
  // Watch for the release while the key is down; setting the timer again only restarts it.
  if (down) SetTimer(main, kReleaseTimerId, kReleaseTimerMs, nullptr);
  return true;
}

void WatchKeyReleases(HWND main) {
  bool waiting = false;
  for (int n = 1; n <= kSlotCount; ++n) {
    if (g_guard.Waiting(n) && !KeyDown(n)) g_guard.Released(n);
    waiting = waiting || g_guard.Waiting(n);
  }
  if (!waiting) KillTimer(main, kReleaseTimerId);
}

}  // namespace tarvolin
