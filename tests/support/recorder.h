// The system's entry points replaced by a recorder, so that no command reaches the machine: each
// call is noted as text, in the order made, and answered as the test chose.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "hotkeys/system_calls.h"

namespace tarvolin::test {

using CallList = std::vector<std::wstring>;

// What the recorder saw, and how it answers.
struct Recorded {
  struct Dialup {
    HANDLE connection;
    const char* entryName;
  };
  CallList calls;
  std::wstring failingShellFile;      // the shell answers 2 (not found) for this file
  DWORD shellAnswer = ERROR_SUCCESS;  // and this for every other file
  bool shellThrows = false;
  std::vector<Dialup> connections;
  DWORD enumResult = 0;
  DWORD enumCountOverride = 0;  // when not 0, the count reported regardless of connections
};
extern Recorded g_recorded;

// The table of recording entry points.
extern const SystemCalls kRecorder;

// Puts a fresh recorder in place of the system for its lifetime. Its table may be changed, for
// instance entries taken out as on a system that lacks them.
class RecordingSystem {
 public:
  RecordingSystem();
  ~RecordingSystem();
  RecordingSystem(const RecordingSystem&) = delete;
  RecordingSystem& operator=(const RecordingSystem&) = delete;

  SystemCalls table = kRecorder;

 private:
  const SystemCalls* previous_;
};

}  // namespace tarvolin::test
