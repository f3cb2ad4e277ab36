// Measures Tarvolin beside the least programs that do the same work (probe/startup_floor.cpp,
// probe/hotkey_floor.cpp), each figure taken from both programs in turn in one run. Prints one
// line a measure: name, unit, Tarvolin's figure, the least program's, tab-separated; scripts/bench
// puts them into its table. A new measure is one more entry in kMeasures.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "support/process.h"

using namespace tarvolin::test;

namespace {

double Milliseconds(LONGLONG ticks) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(ticks) / static_cast<double>(frequency.QuadPart);
}

// Sees whether some program holds a function key without taking it: the key is pressed, and a
// held key's press goes to its holder as WM_HOTKEY while its release still reaches the window
// with the focus. A window of this thread has the focus, so a release without its press means
// held. Registering the key to look would race the program that is about to take it.
class KeyWatch {
 public:
  KeyWatch() {
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"Tarvolin.Bench.KeyWatch";
    RegisterClassExW(&wc);
    window_ = CreateWindowExW(0, wc.lpszClassName, L"KeyWatch", WS_POPUP | WS_VISIBLE, 0, 0, 40, 40, nullptr,
                              nullptr, wc.hInstance, nullptr);
  }
  ~KeyWatch() { DestroyWindow(window_); }
  KeyWatch(const KeyWatch&) = delete;
  KeyWatch& operator=(const KeyWatch&) = delete;

  // Takes the focus back, for instance from a window the last program showed.
  bool Focus() {
    SetForegroundWindow(window_);
    SetFocus(window_);
    Drain(VK_F24);
    return GetForegroundWindow() == window_;
  }
  // 1 held, 0 free, -1 when no release arrived here (the focus is elsewhere: no answer).
  int Held(UINT vk) {
    PressKey(static_cast<WORD>(vk));
    return Drain(vk);
  }

 private:
  int Drain(UINT vk) {
    bool down = false;
    bool up = false;
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_KEYDOWN && msg.wParam == vk) down = true;
      if (msg.message == WM_KEYUP && msg.wParam == vk) up = true;
      DispatchMessageW(&msg);
    }
    return up ? (down ? 0 : 1) : -1;
  }

  HWND window_ = nullptr;
};

struct Figures {
  double tarvolin = -1;
  double least = -1;
};

// Start to every switched-on key held: F2, F5, F9 and F11 switched on; both programs take them in
// rising order, so F11 comes last. No binding for F11, so the presses that look at it run nothing.
Figures StartToKeysHeld() {
  constexpr int kStarts = 25;
  WriteSettingsBytes("[HotKey]\r\nF2=" + Ansi(ProbePath()) + "\r\nF5=MS-DOS\r\nF9=" + Ansi(L"我的电脑") +
                     "\r\n[Other Settings]\r\nAutoHide=No\r\n" + EnabledSection("-x--x---x-x-"));
  KeyWatch watch;
  std::vector<double> times[2];
  for (int i = 0; i < kStarts; ++i) {
    for (int which = 0; which < 2; ++which) {
      // The last program's window may still have the focus for a moment.
      if (!WaitUntil([&] { return watch.Focus() && watch.Held(VK_F11) == 0; })) return {};
      RunningProgram program;
      LARGE_INTEGER started, held;
      QueryPerformanceCounter(&started);
      if (!program.Start(which == 0 ? ProgramPath() : BesideTests(L"startup_floor.exe"))) return {};
      const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
      int seen = 0;
      while ((seen = watch.Held(VK_F11)) != 1 && std::chrono::steady_clock::now() < end) {
        // The focus went elsewhere for a moment (the tray's window comes and goes): take it back.
        if (seen < 0) watch.Focus();
        Sleep(1);
      }
      QueryPerformanceCounter(&held);
      if (seen != 1) return {};
      times[which].push_back(Milliseconds(held.QuadPart - started.QuadPart));
      if (which == 0) {
        program.CloseMain();
      } else {
        PostMessageW(FindProcessWindow(program.id(), L"Tarvolin.StartupFloor"), WM_CLOSE, 0, 0);
        program.WaitForExit();
      }
    }
  }
  RemoveSettingsFile();
  return {Median(times[0]), Median(times[1])};
}

// Presses F1 `count` times; each press must start the probe once. Milliseconds from the press to
// the probe's first instruction, appended to times.
bool TimePresses(int count, std::vector<double>& times) {
  for (int i = 0; i < count; ++i) {
    const size_t before = ProbeStarts().size();
    LARGE_INTEGER pressed;
    QueryPerformanceCounter(&pressed);
    PressKey(VK_F1);
    if (!WaitUntil([&] { return ProbeStarts().size() == before + 1; }, std::chrono::milliseconds(5000)))
      return false;
    times.push_back(Milliseconds(ProbeStarts().back().ticks - pressed.QuadPart));
    Sleep(30);
  }
  return true;
}

// Key press to the bound program's start: rounds of ten presses, each program in turn.
Figures KeyPressToProgramStart() {
  WriteSettingsBytes("[HotKey]\r\nF1=" + Ansi(ProbePath()) + "\r\n[Enabled]\r\nF1=True\r\n");
  ClearProbeStarts();
  std::vector<double> times[2];
  for (int round = 0; round < 5; ++round) {
    for (int which = 0; which < 2; ++which) {
      RunningProgram program;
      if (!program.Start(which == 0 ? ProgramPath() : BesideTests(L"hotkey_floor.exe"))) return {};
      // Idle means the key is taken (a look at the key now would race its registration).
      if (WaitForInputIdle(program.process(), 10000) != 0) return {};
      if (which == 0 && !WaitUntil([&] { return IsWindowVisible(program.WaitForMain()) != FALSE; }))
        return {};
      const bool timed = TimePresses(10, times[which]);
      if (which == 0)
        program.CloseMain();
      else
        TerminateProcess(program.process(), 0);
      program.WaitForExit();
      if (!timed) return {};
    }
  }
  RemoveSettingsFile();
  ClearProbeStarts();
  return {Median(times[0]), Median(times[1])};
}

struct Measure {
  const char* name;
  const char* unit;
  Figures (*take)();
};

const Measure kMeasures[] = {
    {"start to every switched-on key held, median of 25", "ms", StartToKeysHeld},
    {"key press to program start, median of 50", "ms", KeyPressToProgramStart},
};

}  // namespace

int main() {
  RemoveSettingsFile();
  int failed = 0;
  for (const Measure& measure : kMeasures) {
    const Figures figures = measure.take();
    if (figures.tarvolin < 0) ++failed;
    std::printf("%s\t%s\t%.2f\t%.2f\n", measure.name, measure.unit, figures.tarvolin, figures.least);
    std::fflush(stdout);
  }
  return failed;
}
