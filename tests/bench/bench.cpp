// Measures Tarvolin beside the least programs that do the same work (probe/startup_floor.cpp,
// probe/hotkey_floor.cpp), each figure taken from both programs in turn in one run: the exes'
// sizes; the time from start to every switched-on key held and the CPU time spent until then; the
// time from a key press to the bound program's start; and, with Main hidden, the CPU time and
// context switches over 20 idle seconds and the anonymous memory held at their end. CPU time,
// context switches and memory are Linux's own accounting of the Wine process, read from its /proc
// through drive Z:. Prints one line a row: name, unit, Tarvolin's figure, the least program's,
// tab-separated, -1 for a figure that could not be taken; scripts/bench puts them into its table.
// A new measure is one more entry in kMeasures, with the rows its one run gives.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>
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
  // Waits until some program holds vk, looking every millisecond or so.
  bool WaitUntilHeld(UINT vk) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    int seen = 0;
    while ((seen = Held(vk)) != 1 && std::chrono::steady_clock::now() < end) {
      // The focus went elsewhere for a moment (the tray's window comes and goes): take it back.
      if (seen < 0) Focus();
      Sleep(1);
    }
    return seen == 1;
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

// Linux's own accounting of a program under Wine, where each Windows process is one Linux process:
// its /proc is readable here through drive Z:.
const std::wstring kProc = L"Z:\\proc\\";

// The entries of a /proc folder that are numbers: processes, or a process's threads.
std::vector<int> NumberedEntries(const std::wstring& folder) {
  std::vector<int> numbers;
  WIN32_FIND_DATAW entry;
  const HANDLE search = FindFirstFileW((folder + L"*").c_str(), &entry);
  if (search == INVALID_HANDLE_VALUE) return numbers;
  do {
    if (entry.cFileName[0] >= L'0' && entry.cFileName[0] <= L'9') numbers.push_back(_wtoi(entry.cFileName));
  } while (FindNextFileW(search, &entry));
  FindClose(search);
  return numbers;
}

// The Linux pid of the program just started from exe. Wine writes the Windows command line over the
// Linux one, so its first word is exe's full path, without quotes. Only the processes begun since
// `before` was listed are looked at, and exactly one of them must be it; 0 if it is not found.
int LinuxPid(const std::wstring& exe, const std::vector<int>& before) {
  std::string wanted(static_cast<size_t>(exe.size() * 3), '\0');
  wanted.resize(static_cast<size_t>(WideCharToMultiByte(CP_UTF8, 0, exe.data(), static_cast<int>(exe.size()),
                                                        &wanted[0], static_cast<int>(wanted.size()), nullptr,
                                                        nullptr)));
  int pid = 0;
  WaitUntil(
      [&] {
        int matches = 0;
        for (int candidate : NumberedEntries(kProc)) {
          if (std::find(before.begin(), before.end(), candidate) != before.end()) continue;
          const std::string words = ReadFileBytes(kProc + std::to_wstring(candidate) + L"\\cmdline");
          if (_stricmp(words.c_str(), wanted.c_str()) != 0) continue;
          pid = candidate;
          ++matches;
        }
        if (matches != 1) pid = 0;
        return pid != 0;
      },
      std::chrono::milliseconds(5000));
  return pid;
}

// The number after label in a /proc text, or -1.
double Field(const std::string& text, const char* label) {
  const size_t at = text.find(label);
  return at == std::string::npos ? -1 : std::strtod(text.c_str() + at + std::strlen(label), nullptr);
}

// What Linux has counted for a process so far (-1 where it could not be read).
struct Usage {
  // Time on a CPU summed over its threads (the first figure of each one's schedstat, in ns).
  double threadsMs = -1;
  // The same for the whole process from its stat, utime + stime in clock ticks (100 a second on
  // Linux): 10 ms steps, but still counting the threads that have ended, whose own counts are gone.
  double processMs = -1;
  // Context switches, voluntary and not, summed over its threads.
  double switches = -1;
  // Its anonymous resident memory (RssAnon) in kB.
  double anonKb = -1;
  std::vector<int> threads;
};

Usage TakeUsage(int pid) {
  const std::wstring process = kProc + std::to_wstring(pid) + L"\\";
  Usage usage;
  double ns = 0;
  double switches = 0;
  for (int thread : NumberedEntries(process + L"task\\")) {
    const std::wstring task = process + L"task\\" + std::to_wstring(thread) + L"\\";
    const std::string schedstat = ReadFileBytes(task + L"schedstat");
    const std::string status = ReadFileBytes(task + L"status");
    const double voluntary = Field(status, "\nvoluntary_ctxt_switches:");
    const double forced = Field(status, "\nnonvoluntary_ctxt_switches:");
    // A thread that ended since the folder was listed: the process's stat still counts its time.
    if (schedstat.empty() || voluntary < 0 || forced < 0) continue;
    ns += std::strtod(schedstat.c_str(), nullptr);
    switches += voluntary + forced;
    usage.threads.push_back(thread);
  }
  // stat: pid (name) state, then ten more fields before utime and stime.
  const std::string stat = ReadFileBytes(process + L"stat");
  const size_t named = stat.rfind(')');
  if (usage.threads.empty() || named == std::string::npos) return usage;
  std::istringstream fields(stat.substr(named + 1));
  std::string skipped;
  for (int i = 0; i < 11; ++i) fields >> skipped;
  double user = -1;
  double system = -1;
  if (!(fields >> user >> system)) return usage;
  usage.threadsMs = ns / 1e6;
  usage.processMs = (user + system) * 10;
  usage.switches = switches;
  usage.anonKb = Field(ReadFileBytes(process + L"status"), "\nRssAnon:");
  return usage;
}

struct Figures {
  double tarvolin = -1;
  double least = -1;
};

// Tarvolin and the least program that starts as it does, by turn.
std::wstring StartingProgram(int which) {
  return which == 0 ? ProgramPath() : BesideTests(L"startup_floor.exe");
}
void CloseStartingProgram(RunningProgram& program, int which) {
  if (which == 0) {
    program.CloseMain();
  } else {
    PostMessageW(FindProcessWindow(program.id(), L"Tarvolin.StartupFloor"), WM_CLOSE, 0, 0);
    program.WaitForExit();
  }
}
// F2, F5, F9 and F11 switched on; both programs take them in rising order, so F11 comes last. No
// binding for F11, so the presses that look at it run nothing.
std::string StartingSettings(const char* autoHide) {
  return "[HotKey]\r\nF2=" + Ansi(ProbePath()) + "\r\nF5=MS-DOS\r\nF9=" + Ansi(L"我的电脑") +
         "\r\n[Other Settings]\r\nAutoHide=" + autoHide + "\r\n" + EnabledSection("-x--x---x-x-");
}

std::vector<Figures> ExeSizes() {
  double sizes[2] = {-1, -1};
  for (int which = 0; which < 2; ++which) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (GetFileAttributesExW(StartingProgram(which).c_str(), GetFileExInfoStandard, &data))
      sizes[which] =
          static_cast<double>(static_cast<ULONGLONG>(data.nFileSizeHigh) << 32 | data.nFileSizeLow);
  }
  return {{sizes[0], sizes[1]}};
}

// Start to every switched-on key held, median of 33 starts of each program in turn. With Main
// hidden, a program has nothing left to do once its keys are held, so the CPU time it has spent when
// it is looked at just after, from its Linux process's beginning, is its start's: the larger of its
// two counts, each of which can only fall short. Finding its pid takes a few milliseconds, so it
// waits until the time is taken. A shown Main's work comes after the keys, and the watch's presses
// wait for the one Wine server meanwhile: the start with Main shown gives its time only.
std::vector<Figures> StartToKeysHeld(bool mainShown) {
  constexpr int kStarts = 33;
  WriteSettingsBytes(StartingSettings(mainShown ? "No" : "Yes"));
  KeyWatch watch;
  std::vector<double> times[2];
  std::vector<double> cpu[2];
  for (int i = 0; i < kStarts; ++i) {
    for (int which = 0; which < 2; ++which) {
      // The last program's window may still have the focus for a moment.
      if (!WaitUntil([&] { return watch.Focus() && watch.Held(VK_F11) == 0; })) return {};
      const std::wstring path = StartingProgram(which);
      const std::vector<int> before = NumberedEntries(kProc);
      RunningProgram program;
      LARGE_INTEGER started, held;
      QueryPerformanceCounter(&started);
      if (!program.Start(path)) return {};
      const bool seen = watch.WaitUntilHeld(VK_F11);
      QueryPerformanceCounter(&held);
      if (!seen) return {};
      times[which].push_back(Milliseconds(held.QuadPart - started.QuadPart));
      if (!mainShown) {
        const Usage usage = TakeUsage(LinuxPid(path, before));
        if (usage.threadsMs < 0) return {};
        cpu[which].push_back(std::max(usage.threadsMs, usage.processMs));
      }
      CloseStartingProgram(program, which);
    }
  }
  RemoveSettingsFile();
  if (mainShown) return {{Median(times[0]), Median(times[1])}};
  return {{Median(times[0]), Median(times[1])}, {Median(cpu[0]), Median(cpu[1])}};
}
std::vector<Figures> StartShown() { return StartToKeysHeld(true); }
std::vector<Figures> StartHidden() { return StartToKeysHeld(false); }

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
std::vector<Figures> KeyPressToProgramStart() {
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
  return {{Median(times[0]), Median(times[1])}};
}

// Each program started with Main hidden and left alone for 20 s once its keys are held and it waits
// for input: the CPU time and context switches of those 20 s, and its anonymous memory at their end.
// A thread that ended in between took its counts with it: then there are no figures for it.
std::vector<Figures> IdleMainHidden() {
  WriteSettingsBytes(StartingSettings("Yes"));
  KeyWatch watch;
  double cpu[2] = {-1, -1};
  double switches[2] = {-1, -1};
  double memory[2] = {-1, -1};
  for (int which = 0; which < 2; ++which) {
    if (!WaitUntil([&] { return watch.Focus() && watch.Held(VK_F11) == 0; })) return {};
    const std::wstring path = StartingProgram(which);
    const std::vector<int> before = NumberedEntries(kProc);
    RunningProgram program;
    if (!program.Start(path)) return {};
    const int pid = LinuxPid(path, before);
    if (!pid || !watch.WaitUntilHeld(VK_F11) || WaitForInputIdle(program.process(), 10000) != 0) return {};
    const Usage first = TakeUsage(pid);
    Sleep(20000);
    const Usage last = TakeUsage(pid);
    CloseStartingProgram(program, which);
    const bool allThere = std::all_of(first.threads.begin(), first.threads.end(), [&](int thread) {
      return std::find(last.threads.begin(), last.threads.end(), thread) != last.threads.end();
    });
    if (first.threadsMs < 0 || last.threadsMs < 0 || !allThere) continue;
    cpu[which] = last.threadsMs - first.threadsMs;
    switches[which] = last.switches - first.switches;
    memory[which] = last.anonKb;
  }
  RemoveSettingsFile();
  return {{cpu[0], cpu[1]}, {switches[0], switches[1]}, {memory[0], memory[1]}};
}

struct Row {
  const char* name;
  const char* unit;
  int decimals;
};

struct Measure {
  // One Figures a row; fewer (none) when the run failed.
  std::vector<Figures> (*take)();
  std::vector<Row> rows;
};

const Measure kMeasures[] = {
    {ExeSizes, {{"size of Tarvolin.exe beside startup_floor.exe", "bytes", 0}}},
    {StartShown, {{"start to every switched-on key held, Main shown, median of 33", "ms", 2}}},
    {StartHidden,
     {{"start to every switched-on key held, Main hidden, median of 33", "ms", 2},
      {"CPU time from start to every switched-on key held, Main hidden, median of 33", "ms", 2}}},
    {KeyPressToProgramStart, {{"key press to program start, median of 50", "ms", 2}}},
    {IdleMainHidden,
     {{"CPU time over 20 s idle, Main hidden", "ms", 2},
      {"context switches over 20 s idle, Main hidden", "count", 0},
      {"anonymous memory after 20 s idle, Main hidden", "kB", 0}}},
};

}  // namespace

int main() {
  RemoveSettingsFile();
  int failed = 0;
  for (const Measure& measure : kMeasures) {
    const std::vector<Figures> figures = measure.take();
    for (size_t i = 0; i < measure.rows.size(); ++i) {
      const Row& row = measure.rows[i];
      const Figures taken = i < figures.size() ? figures[i] : Figures{};
      if (taken.tarvolin < 0 || taken.least < 0) ++failed;
      std::printf("%s\t%s\t%.*f\t%.*f\n", row.name, row.unit, row.decimals, taken.tarvolin, row.decimals,
                  taken.least);
    }
    std::fflush(stdout);
  }
  return failed;
}
