#include "support/editor_driver.h"

#include <cstring>
#include <thread>

#include "layouts/layout.h"
#include "settings/autostart.h"

namespace tarvolin::test {

namespace {

const FormSpec* LayoutOf(const wchar_t* formClass) {
  for (const FormSpec* layout : {&kMainLayout, &kEditLayout, &kAboutLayout, &kInforLayout, &kInfor2Layout}) {
    if (std::wcscmp(layout->className, formClass) == 0) return layout;
  }
  return nullptr;
}

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

struct ChildAt {
  HWND parent;
  POINT topLeft;
  HWND found;
};

BOOL CALLBACK FindChildAt(HWND child, LPARAM param) {
  auto* request = reinterpret_cast<ChildAt*>(param);
  if (GetParent(child) != request->parent) return TRUE;
  RECT r = {};
  GetWindowRect(child, &r);
  MapWindowPoints(nullptr, request->parent, reinterpret_cast<POINT*>(&r), 2);
  if (r.left == request->topLeft.x && r.top == request->topLeft.y) {
    request->found = child;
    return FALSE;
  }
  return TRUE;
}

struct DialogRequest {
  DWORD pid;
  HWND found;
};

BOOL CALLBACK FindDialog(HWND window, LPARAM param) {
  auto* request = reinterpret_cast<DialogRequest*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (pid == request->pid && ClassOf(window) == L"#32770" && IsWindowVisible(window)) {
    request->found = window;
    return FALSE;
  }
  return TRUE;
}

HWND FileNameBox(HWND dialog) {
  const HWND box = GetDlgItem(dialog, 0x47C);
  if (!box) return nullptr;
  const HWND edit = FindWindowExW(box, nullptr, L"Edit", nullptr);
  return edit ? edit : box;
}

}  // namespace

RECT LayoutRect(const wchar_t* formClass, const char* name, int index) {
  const FormSpec* layout = LayoutOf(formClass);
  for (int i = 0; layout && i < layout->controlCount; ++i) {
    const ControlSpec& spec = layout->controls[i];
    if (spec.index == index && std::strcmp(spec.name, name) == 0) {
      const int left = TwipsToPixels(spec.left);
      const int top = TwipsToPixels(spec.top);
      return RECT{left, top, left + TwipsToPixels(spec.width), top + TwipsToPixels(spec.height)};
    }
  }
  return RECT{};
}

HWND LayoutControl(HWND form, const char* name, int index) {
  const RECT r = LayoutRect(ClassOf(form).c_str(), name, index);
  ChildAt request{form, POINT{r.left, r.top}, nullptr};
  EnumChildWindows(form, &FindChildAt, reinterpret_cast<LPARAM>(&request));
  return request.found;
}

POINT ScreenPoint(HWND form, const char* name, int index) {
  const FormSpec* layout = LayoutOf(ClassOf(form).c_str());
  return layout ? ControlCentre(form, *layout, name, index) : POINT{-1, -1};
}

POINT ScreenPoint(HWND form, const char* name, int index, int x, int y) {
  const RECT r = LayoutRect(ClassOf(form).c_str(), name, index);
  POINT point = {r.left + x, r.top + y};
  ClientToScreen(form, &point);
  return point;
}

void ClickAt(POINT screen, int button) { tarvolin::test::ClickAt(screen.x, screen.y, button); }

void Settle(int milliseconds) { std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds)); }

HWND OpenEditor(RunningProgram& program) {
  const HWND main = program.WaitForMain();
  if (!main) return nullptr;
  ClickAt(ScreenPoint(main, "Command1", 1));
  const HWND editor = program.WaitForWindow(L"Tarvolin.Edit", std::chrono::milliseconds(5000));
  if (editor) {
    WaitUntil([&] { return IsWindowVisible(editor) != FALSE; }, std::chrono::milliseconds(3000));
    Settle(100);
  }
  return editor;
}

HWND WaitForFileDialog(const RunningProgram& program, int milliseconds) {
  DialogRequest request{program.id(), nullptr};
  WaitUntil(
      [&] {
        request.found = nullptr;
        EnumWindows(&FindDialog, reinterpret_cast<LPARAM>(&request));
        return request.found != nullptr && FileNameBox(request.found) != nullptr;
      },
      std::chrono::milliseconds(milliseconds));
  return request.found;
}

void ChooseInDialog(HWND dialog, const std::wstring& path) {
  SetWindowTextOf(FileNameBox(dialog), path);
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

void CancelDialog(HWND dialog) { PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0); }

std::wstring WindowText(HWND window) {
  const LRESULT length = SendMessageW(window, WM_GETTEXTLENGTH, 0, 0);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  const LRESULT got = SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]));
  text.resize(static_cast<size_t>(got > 0 ? got : 0));
  return text;
}

void SetWindowTextOf(HWND window, const std::wstring& text) {
  SendMessageW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

bool Ticked(HWND checkBox) { return SendMessageW(checkBox, BM_GETCHECK, 0, 0) == BST_CHECKED; }

HWND CaptureOf(HWND windowOfThread) {
  GUITHREADINFO info = {};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(windowOfThread, nullptr), &info)) return nullptr;
  return info.hwndCapture;
}

COLORREF ScreenPixel(POINT screen) {
  const HDC dc = GetDC(nullptr);
  const COLORREF color = GetPixel(dc, screen.x, screen.y);
  ReleaseDC(nullptr, dc);
  return color;
}

bool RunValueExists(HKEY root) {
  return RegGetValueW(root, kRunKeyPath, kRunValueName, RRF_RT_ANY, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

void DeleteRunValue(HKEY root) { RegDeleteKeyValueW(root, kRunKeyPath, kRunValueName); }

}  // namespace tarvolin::test
