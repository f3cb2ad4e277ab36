// Tarvolin: F1..F12 as system-wide hotkeys. The program is its main window.
#include <windows.h>

#include <cstdlib>

#include "base/system_library.h"
#include "shell/main_form.h"

#if defined(__GLIBCXX__)
// GNU libstdc++'s default terminate handler prints the exception's demangled type to a console
// this program does not have, and brings a 70 KB demangler into the executable for it.
namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx
#endif

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  // First, before any window: users unzip the program where browsers save files, and a library
  // saved there under the name of one the system loads for us (the theme library, at the first
  // window; the shell's and the file dialog's, later) would otherwise be taken from beside
  // Tarvolin.exe. The imports are all known libraries, which come from the system folder anyway,
  // and no static initialiser loads one. Input methods and shell extensions are loaded by COM from
  // their registered full paths; one that loads a library of its own folder by bare name may not
  // find it any more.
  tarvolin::SearchLibrariesInSystemFolderOnly();
  tarvolin::MainForm main;
  // A second copy closes Main during loading and ends here.
  if (!main.Load()) return 0;
  if (main.ShowAfterLoad()) main.Show();
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (!main.hwnd() || !IsDialogMessageW(main.hwnd(), &msg)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
  return static_cast<int>(msg.wParam);
}
