// A program whose imports name two libraries besides the known ones: the import check must refuse
// it, naming both. It is built, never run.
#include <windows.h>
#include <mmsystem.h>
#include <uxtheme.h>

int main() { return IsThemeActive() + static_cast<int>(timeGetTime()); }
