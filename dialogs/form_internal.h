// What the files of the form machinery share among themselves; the forms never include it.
#pragma once
#include <windows.h>

#include <vector>

#include "layouts/layout.h"

namespace tarvolin {
class Form;
}  // namespace tarvolin

namespace tarvolin::form_internal {

// A child window's id: this plus the control's place in the layout table.
inline constexpr int kFirstControlId = 100;
inline constexpr UINT_PTR kTimerId = 1;

// Every loaded form, in the order they were loaded.
std::vector<Form*>& Loaded();

inline HINSTANCE Instance() { return GetModuleHandleW(nullptr); }

// Labels and images have no window of their own: the form draws them and hit-tests them.
inline bool IsWindowless(ControlKind kind) {
  return kind == ControlKind::Label || kind == ControlKind::Image;
}

}  // namespace tarvolin::form_internal
