#include "hotkeys/main_window.h"

namespace tarvolin {

namespace {
MainWindow* g_main = nullptr;
}  // namespace

void SetMainWindow(MainWindow* main) { g_main = main; }

MainWindow* TheMainWindow() { return g_main; }

HWND MainWindowHandle() { return g_main ? g_main->Handle() : nullptr; }

}  // namespace tarvolin
