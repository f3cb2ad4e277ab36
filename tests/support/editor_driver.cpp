#include "support/editor_driver.h"

#include "layouts/layout.h"
#include "settings/autostart.h"

namespace tarvolin::test {

namespace {

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

// The layout a window of the program was built from, by its class.
const FormSpec* LayoutOf(HWND form) {
  const std::wstring formClass = ClassOf(form);
  for (const FormSpec* layout : {&kMainLayout, &kEditLayout, &kAboutLayout, &kInforLayout, &kInfor2Layout}) {
    if (formClass == layout->className) return layout;
  }
  return nullptr;
}

RECT ControlRect(HWND form, const char* name, int index) {
  const FormSpec* layout = LayoutOf(form);
  const ControlSpec* control = layout ? FindLayoutControl(*layout, name, index) : nullptr;
  return control ? LayoutRect(*control, LayoutDpiOf(form, *layout)) : RECT{};
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

HWND LayoutControl(HWND form, const char* name, int index) {
  const RECT r = ControlRect(form, name, index);
  ChildAt request{form, POINT{r.left, r.top}, nullptr};
  EnumChildWindows(form, &FindChildAt, reinterpret_cast<LPARAM>(&request));
  return request.found;
}

POINT ScreenPoint(HWND form, const char* name, int index) {
  const FormSpec* layout = LayoutOf(form);
  return layout ? ControlCentre(form, *layout, name, index) : POINT{-1, -1};
}

POINT ScreenPoint(HWND form, const char* name, int index, int x, int y) {
  const RECT r = ControlRect(form, name, index);
  return ClientToScreenPoint(form, r.left + x, r.top + y);
}

void ClickAt(POINT screen, int button) { tarvolin::test::ClickAt(screen.x, screen.y, button); }

HWND OpenEditor(RunningProgram& program) {
  const HWND main = program.WaitForMain();
  if (!main) return nullptr;
  ClickAt(ScreenPoint(main, "Command1", 1));
  const HWND editor = program.WaitForWindow(L"Tarvolin.Edit", std::chrono::milliseconds(5000));
  if (editor)
    WaitUntil([&] { return IsWindowVisible(editor) && Painted(editor); }, std::chrono::milliseconds(3000));
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

RunValue ReadRunValue(HKEY root, REGSAM view) {
  RunValue value;
  HKEY key = nullptr;
  if (RegOpenKeyExW(root, kRunKeyPath, 0, KEY_QUERY_VALUE | view, &key) != ERROR_SUCCESS) return value;
  RegKey holder(key);
  char data[1024] = {};
  DWORD size = sizeof data;
  const std::string name = Ansi(kRunValueName);
  value.status =
      RegQueryValueExA(key, name.c_str(), nullptr, &value.type, reinterpret_cast<BYTE*>(data), &size);
  if (value.status == ERROR_SUCCESS) value.bytes.assign(data, size);
  return value;
}

std::wstring RunValue::Text() const {
  if (status != ERROR_SUCCESS) return L"<none>";
  const std::string text = bytes.substr(0, bytes.find('\0'));
  std::wstring wide(text.size(), L'\0');
  wide.resize(static_cast<size_t>(MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                                      &wide[0], static_cast<int>(wide.size()))));
  return wide;
}

bool RunValueExists(HKEY root) { return ReadRunValue(root).status == ERROR_SUCCESS; }

void DeleteRunValue(HKEY root) { RegDeleteKeyValueW(root, kRunKeyPath, kRunValueName); }

}  // namespace tarvolin::test
