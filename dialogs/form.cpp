#include "dialogs/form.h"

#include <windowsx.h>

#include <algorithm>
#include <cstring>

#include "dialogs/fonts.h"
#include "layouts/picture_ids.h"

namespace tarvolin {

namespace {

constexpr wchar_t kPictureBoxClass[] = L"Tarvolin.PictureBox";
constexpr int kFirstControlId = 100;
constexpr UINT_PTR kTimerId = 1;

std::vector<Form*>& Loaded() {
  static std::vector<Form*> forms;
  return forms;
}

HINSTANCE Instance() { return GetModuleHandleW(nullptr); }

bool SameName(const char* a, const char* b) { return std::strcmp(a, b) == 0; }

bool IsWindowless(ControlKind kind) { return kind == ControlKind::Label || kind == ControlKind::Image; }

int ButtonFromMessage(UINT message) {
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
      return kLeftButton;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
      return kRightButton;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
      return kMiddleButton;
    default:
      return 0;
  }
}

int ButtonsHeld(WPARAM keys) {
  return ((keys & MK_LBUTTON) ? kLeftButton : 0) | ((keys & MK_RBUTTON) ? kRightButton : 0) |
         ((keys & MK_MBUTTON) ? kMiddleButton : 0);
}

void RegisterClassOnce(const wchar_t* name, WNDPROC proc) {
  WNDCLASSEXW existing = {};
  existing.cbSize = sizeof existing;
  if (GetClassInfoExW(Instance(), name, &existing)) return;
  WNDCLASSEXW wc = {};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = proc;
  wc.hInstance = Instance();
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = name;
  RegisterClassExW(&wc);
}

}  // namespace

COLORREF ResolveColor(COLORREF color) {
  if (color == kColorWindow) return GetSysColor(COLOR_WINDOW);
  if (color == kColorWindowText) return GetSysColor(COLOR_WINDOWTEXT);
  return color;
}

Form::Form(const FormSpec& layout) : layout_(layout) {}

Form::~Form() {
  if (hwnd_) DestroyWindow(hwnd_);
}

Form* Form::FromWindow(HWND hwnd) {
  if (!hwnd) return nullptr;
  for (Form* form : Loaded()) {
    if (form->hwnd_ == hwnd) return form;
  }
  return nullptr;
}

std::vector<Form*> Form::LoadedForms() { return Loaded(); }

bool Form::Load(HWND owner) {
  if (hwnd_) return true;
  RegisterClassOnce(layout_.className, &Form::StaticWndProc);
  RegisterClassOnce(kPictureBoxClass, &Form::PictureBoxProc);
  const int width = TwipsToPixels(layout_.width);
  const int height = TwipsToPixels(layout_.height);
  // Main has no owner; a tool window keeps it off the taskbar. Owned windows never show there.
  const DWORD exStyle = WS_EX_CONTROLPARENT | (owner ? 0 : WS_EX_TOOLWINDOW);
  CreateWindowExW(exStyle, layout_.className, layout_.text, WS_POPUP | WS_CLIPCHILDREN, 0, 0, width,
                  height, owner, nullptr, Instance(), this);
  if (!hwnd_) return false;
  Loaded().push_back(this);
  if (layout_.icon) {
    const HICON big = static_cast<HICON>(LoadImageW(Instance(), MAKEINTRESOURCEW(layout_.icon), IMAGE_ICON,
                                                    0, 0, LR_DEFAULTSIZE | LR_SHARED));
    const HICON small = static_cast<HICON>(LoadImageW(Instance(), MAKEINTRESOURCEW(layout_.icon),
                                                      IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                                      GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
    SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
  }
  CreateControls();
  loading_ = true;
  showAfterLoad_ = true;
  closeRequested_ = false;
  Form_Load();
  loading_ = false;
  if (closeRequested_ && hwnd_) {
    // Form_Load closed its own window.
    closeRequested_ = false;
    DestroyWindow(hwnd_);
  }
  return hwnd_ != nullptr;
}

void Form::CreateControls() {
  controls_.clear();
  controls_.resize(static_cast<size_t>(layout_.controlCount));
  std::vector<int> order;
  for (int i = 0; i < layout_.controlCount; ++i) {
    const ControlSpec& spec = layout_.controls[i];
    Control& control = controls_[static_cast<size_t>(i)];
    control.spec = &spec;
    control.caption = spec.caption ? spec.caption : L"";
    control.rect = {TwipsToPixels(spec.left), TwipsToPixels(spec.top),
                    TwipsToPixels(spec.left) + TwipsToPixels(spec.width),
                    TwipsToPixels(spec.top) + TwipsToPixels(spec.height)};
    if (spec.picture && (spec.kind == ControlKind::Image || spec.kind == ControlKind::PictureBox)) {
      const int size = spec.kind == ControlKind::PictureBox ? 22 : 32;
      control.icon.reset(static_cast<HICON>(
          LoadImageW(Instance(), MAKEINTRESOURCEW(spec.picture), IMAGE_ICON, size, size, 0)));
    }
    if (!IsWindowless(spec.kind)) order.push_back(i);
  }
  // Child windows are created in keyboard order, which is also their order for the Tab key.
  std::stable_sort(order.begin(), order.end(), [this](int a, int b) {
    return layout_.controls[a].tabIndex < layout_.controls[b].tabIndex;
  });
  for (const int i : order) {
    const ControlSpec& spec = layout_.controls[i];
    Control& control = controls_[static_cast<size_t>(i)];
    const RECT& r = control.rect;
    const HMENU id = reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstControlId + i));
    DWORD style = WS_CHILD | ((spec.flags & kInvisible) ? 0 : WS_VISIBLE) |
                  ((spec.flags & kTabStop) ? WS_TABSTOP : 0);
    const wchar_t* cls = L"BUTTON";
    int height = r.bottom - r.top;
    switch (spec.kind) {
      case ControlKind::FaceButton:
        style |= BS_OWNERDRAW;
        break;
      case ControlKind::CheckBox:
        style |= BS_AUTOCHECKBOX | ((spec.flags & kFlat) ? BS_FLAT : 0);
        break;
      case ControlKind::ComboBox:
        cls = L"COMBOBOX";
        style |= CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL;
        height += 200;  // room for the list when it drops down
        break;
      case ControlKind::PictureBox:
        cls = kPictureBoxClass;
        break;
      default:
        break;
    }
    control.window = CreateWindowExW(0, cls, control.caption.c_str(), style, r.left, r.top,
                                     r.right - r.left, height, hwnd_, id, Instance(), nullptr);
    if (spec.kind == ControlKind::CheckBox || spec.kind == ControlKind::ComboBox) {
      SendMessageW(control.window, WM_SETFONT, reinterpret_cast<WPARAM>(ControlFont(spec.font)), FALSE);
    }
  }
  // Autosized labels take the size of their captions.
  if (HDC dc = GetDC(hwnd_)) {
    for (Control& control : controls_) {
      if (control.spec->kind == ControlKind::Label && (control.spec->flags & kAutoSize)) {
        const SIZE size = MeasureLabelText(dc, control.caption, control.spec->font);
        control.rect.right = control.rect.left + size.cx;
        control.rect.bottom = control.rect.top + size.cy;
      }
    }
    ReleaseDC(hwnd_, dc);
  }
}

void Form::Show() {
  if (loading_) {
    showAfterLoad_ = true;
    return;
  }
  if (!hwnd_) return;
  if (!centred_) Center();
  ShowWindow(hwnd_, SW_SHOWNORMAL);
  SetForegroundWindow(hwnd_);
}

void Form::Hide() {
  if (loading_) showAfterLoad_ = false;
  if (hwnd_) ShowWindow(hwnd_, SW_HIDE);
}

bool Form::IsVisible() const { return hwnd_ && IsWindowVisible(hwnd_); }

void Form::Center() {
  RECT r = {};
  GetWindowRect(hwnd_, &r);
  const int x = (GetSystemMetrics(SM_CXSCREEN) - (r.right - r.left)) / 2;
  const int y = (GetSystemMetrics(SM_CYSCREEN) - (r.bottom - r.top)) / 2;
  SetWindowPos(hwnd_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  centred_ = true;
}

namespace {
struct DisableList {
  HWND keep;
  std::vector<HWND> windows;
};
BOOL CALLBACK DisableOthers(HWND hwnd, LPARAM param) {
  auto* list = reinterpret_cast<DisableList*>(param);
  if (hwnd != list->keep && IsWindowEnabled(hwnd)) {
    EnableWindow(hwnd, FALSE);
    list->windows.push_back(hwnd);
  }
  return TRUE;
}
}  // namespace

void Form::ShowModal() {
  HWND owner = nullptr;
  for (Form* form : Loaded()) {
    if (form != this && form->hwnd_ && IsWindowEnabled(form->hwnd_)) owner = form->hwnd_;
  }
  if (!hwnd_ && !Load(owner)) return;
  DisableList disabled{hwnd_, {}};
  EnumThreadWindows(GetCurrentThreadId(), &DisableOthers, reinterpret_cast<LPARAM>(&disabled));
  modal_ = true;
  endModal_ = false;
  Show();
  MSG msg;
  while (!endModal_ && hwnd_) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (got == -1) break;
    if (!IsDialogMessageW(hwnd_, &msg)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
  // Give input back before the window goes, so activation returns to our own window.
  for (HWND hwnd : disabled.windows) {
    if (IsWindow(hwnd)) EnableWindow(hwnd, TRUE);
  }
  modal_ = false;
  endModal_ = false;
  if (hwnd_) DestroyWindow(hwnd_);
}

void Form::Close() {
  if (!hwnd_) return;
  if (modal_) {
    endModal_ = true;
    PostMessageW(hwnd_, WM_NULL, 0, 0);  // wake the modal loop
    return;
  }
  if (loading_) {
    closeRequested_ = true;  // Load destroys the window once Form_Load returns
    return;
  }
  DestroyWindow(hwnd_);
}

int Form::FindIndex(const char* name, int index) const {
  for (int i = 0; i < layout_.controlCount; ++i) {
    const ControlSpec& spec = layout_.controls[i];
    if (spec.index == index && SameName(spec.name, name)) return i;
  }
  return -1;
}

const ControlSpec* Form::Spec(const char* name, int index) const {
  const int i = FindIndex(name, index);
  return i < 0 ? nullptr : &layout_.controls[i];
}

HWND Form::ControlWindow(const char* name, int index) const {
  const int i = FindIndex(name, index);
  return i < 0 || controls_.empty() ? nullptr : controls_[static_cast<size_t>(i)].window;
}

Form::Control* Form::FindControl(HWND window) {
  for (Control& control : controls_) {
    if (control.window == window) return &control;
  }
  return nullptr;
}

std::wstring Form::Caption(const char* name, int index) const {
  const int i = FindIndex(name, index);
  if (i < 0 || controls_.empty()) return std::wstring();
  const Control& control = controls_[static_cast<size_t>(i)];
  if (!control.window) return control.caption;
  const int length = GetWindowTextLengthW(control.window);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  const int got = GetWindowTextW(control.window, &text[0], length + 1);
  text.resize(static_cast<size_t>(got > 0 ? got : 0));
  return text;
}

void Form::SetCaption(const char* name, int index, const std::wstring& text) {
  const int i = FindIndex(name, index);
  if (i < 0 || controls_.empty()) return;
  Control& control = controls_[static_cast<size_t>(i)];
  if (control.window) {
    SetWindowTextW(control.window, text.c_str());
    return;
  }
  InvalidateRect(hwnd_, &control.rect, FALSE);
  control.caption = text;
  if (control.spec->flags & kAutoSize) {
    if (HDC dc = GetDC(hwnd_)) {
      const SIZE size = MeasureLabelText(dc, text, control.spec->font);
      control.rect.right = control.rect.left + size.cx;
      control.rect.bottom = control.rect.top + size.cy;
      ReleaseDC(hwnd_, dc);
    }
  }
  InvalidateRect(hwnd_, &control.rect, FALSE);
}

int Form::Value(const char* name, int index) const {
  const HWND box = ControlWindow(name, index);
  return box && SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
}

void Form::SetValue(const char* name, int index, int value) {
  const int i = FindIndex(name, index);
  if (i < 0 || controls_.empty() || !controls_[static_cast<size_t>(i)].window) return;
  const HWND box = controls_[static_cast<size_t>(i)].window;
  const int now = value ? 1 : 0;
  if (Value(name, index) == now) return;
  SendMessageW(box, BM_SETCHECK, now ? BST_CHECKED : BST_UNCHECKED, 0);
  // A box changed by the program runs its click handler, as a user's click does.
  Control_Click(layout_.controls[i]);
}

void Form::SetEnabled(const char* name, int index, bool enabled) {
  if (const HWND window = ControlWindow(name, index)) EnableWindow(window, enabled ? TRUE : FALSE);
}

void Form::ClipFaceButton(const char* name, int index) {
  const HWND button = ControlWindow(name, index);
  if (!button) return;
  // The region belongs to the button from here on; it is not ours to delete.
  const HRGN region = CreateRoundRectRgn(kButtonRegion.left, kButtonRegion.top, kButtonRegion.right,
                                         kButtonRegion.bottom, 0, 0);
  if (region && !SetWindowRgn(button, region, TRUE)) DeleteObject(region);
}

RECT Form::ControlRect(const ControlSpec& control) const {
  const int i = static_cast<int>(&control - layout_.controls);
  if (i < 0 || i >= layout_.controlCount || controls_.empty()) return RECT{};
  return controls_[static_cast<size_t>(i)].rect;
}

HICON Form::ControlIcon(const char* name, int index) const {
  const int i = FindIndex(name, index);
  return i < 0 || controls_.empty() ? nullptr : controls_[static_cast<size_t>(i)].icon.get();
}

void Form::DragWindow(int button) {
  if (button != kLeftButton || !hwnd_) return;
  ReleaseCapture();
  SendMessageW(hwnd_, WM_NCLBUTTONDOWN, HTCAPTION, 0);
}

void Form::StartTimer(UINT milliseconds) {
  if (hwnd_ && SetTimer(hwnd_, kTimerId, milliseconds, nullptr)) timer_ = true;
}

HBITMAP Form::Bitmap(int id) {
  auto found = bitmaps_.find(id);
  if (found != bitmaps_.end()) return found->second.get();
  BitmapHandle bitmap(static_cast<HBITMAP>(LoadImageW(Instance(), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, 0)));
  const HBITMAP result = bitmap.get();
  bitmaps_.emplace(id, std::move(bitmap));
  return result;
}

HBRUSH Form::Brush(COLORREF color) {
  auto found = brushes_.find(color);
  if (found != brushes_.end()) return found->second.get();
  BrushHandle brush(CreateSolidBrush(color));
  const HBRUSH result = brush.get();
  brushes_.emplace(color, std::move(brush));
  return result;
}

void Form::Paint() {
  PAINTSTRUCT ps;
  const HDC dc = BeginPaint(hwnd_, &ps);
  RECT client = {};
  GetClientRect(hwnd_, &client);
  if (const HBITMAP background = Bitmap(layout_.background)) {
    MemoryDC memory(dc);
    SelectedObject selected(memory.get(), background);
    BITMAP info = {};
    GetObjectW(background, sizeof info, &info);
    BitBlt(dc, 0, 0, info.bmWidth, info.bmHeight, memory.get(), 0, 0, SRCCOPY);
  } else {
    FillRect(dc, &client, Brush(layout_.backColor));
  }
  for (const Control& control : controls_) {
    const ControlSpec& spec = *control.spec;
    if (spec.flags & kInvisible) continue;
    if (spec.kind == ControlKind::Label) {
      if (!(spec.flags & kTransparent)) FillRect(dc, &control.rect, Brush(ResolveColor(spec.back)));
      const COLORREF fore = spec.fore == kColorNone ? 0 : ResolveColor(spec.fore);
      DrawLabelText(dc, control.rect, control.caption, spec.font, fore);
    } else if (spec.kind == ControlKind::Image && control.icon) {
      DrawIconEx(dc, control.rect.left, control.rect.top, control.icon.get(), 0, 0, 0, nullptr, DI_NORMAL);
    }
  }
  EndPaint(hwnd_, &ps);
}

void Form::DrawFaceButton(const DRAWITEMSTRUCT& item) {
  const int i = static_cast<int>(item.CtlID) - kFirstControlId;
  if (i < 0 || i >= layout_.controlCount) return;
  const ControlSpec& spec = layout_.controls[i];
  const bool pressed = (item.itemState & ODS_SELECTED) != 0;
  const RECT r = item.rcItem;
  const RECT& place = controls_[static_cast<size_t>(i)].rect;
  // Outside its region the button shows the window's background, also where the system does
  // not clip a child's drawing to its region.
  if (const HBITMAP background = Bitmap(layout_.background)) {
    MemoryDC memory(item.hDC);
    SelectedObject selected(memory.get(), background);
    BitBlt(item.hDC, 0, 0, r.right - r.left, r.bottom - r.top, memory.get(), place.left, place.top, SRCCOPY);
  } else {
    FillRect(item.hDC, &r, Brush(layout_.backColor));
  }
  const int saved = SaveDC(item.hDC);
  IntersectClipRect(item.hDC, kButtonRegion.left, kButtonRegion.top, kButtonRegion.right, kButtonRegion.bottom);
  RECT frame = r;
  DrawFrameControl(item.hDC, &frame, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));
  if (const HBITMAP face = Bitmap(spec.picture + (pressed ? 1 : 0))) {
    MemoryDC memory(item.hDC);
    SelectedObject selected(memory.get(), face);
    BITMAP info = {};
    GetObjectW(face, sizeof info, &info);
    // The face sits centred: at (5, 4) of the 89 x 33 button.
    const int x = ((r.right - r.left) - info.bmWidth) / 2;
    const int y = ((r.bottom - r.top) - info.bmHeight) / 2;
    BitBlt(item.hDC, x, y, info.bmWidth, info.bmHeight, memory.get(), 0, 0, SRCCOPY);
  }
  RestoreDC(item.hDC, saved);
}

HBRUSH Form::ControlColors(HWND window, HDC dc) {
  const Control* control = FindControl(window);
  if (!control) return nullptr;
  const COLORREF back = control->spec->back == kColorNone ? kLightGrey : ResolveColor(control->spec->back);
  const COLORREF fore = control->spec->fore == kColorNone ? 0 : ResolveColor(control->spec->fore);
  SetTextColor(dc, fore);
  SetBkColor(dc, back);
  return Brush(back);
}

const Form::Control* Form::HitTest(POINT client) const {
  // Later controls lie on top of earlier ones.
  for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
    const ControlSpec& spec = *it->spec;
    if (!IsWindowless(spec.kind) || (spec.flags & kInvisible)) continue;
    if (PtInRect(&it->rect, client)) return &*it;
  }
  return nullptr;
}

void Form::OnMouseButton(UINT message, LPARAM lParam) {
  const POINT point = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  const Control* hit = HitTest(point);
  const int button = ButtonFromMessage(message);
  const bool down = message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN;
  if (!down) {
    if (message == WM_LBUTTONUP && hit && hit == pressedLabel_ && hit->spec->kind == ControlKind::Label) {
      pressedLabel_ = nullptr;
      Control_Click(*hit->spec);
    }
    return;
  }
  pressedLabel_ = button == kLeftButton ? hit : nullptr;
  const int x = hit ? point.x - hit->rect.left : point.x;
  const int y = hit ? point.y - hit->rect.top : point.y;
  Control_MouseDown(hit ? hit->spec : nullptr, button, x, y);
}

void Form::OnPictureBoxMouse(const Control& control, UINT message, WPARAM wParam, LPARAM lParam) {
  const int x = GET_X_LPARAM(lParam);
  const int y = GET_Y_LPARAM(lParam);
  if (message == WM_MOUSEMOVE) {
    Control_MouseMove(*control.spec, ButtonsHeld(wParam), x, y);
    return;
  }
  const int button = ButtonFromMessage(message);
  if (!button) return;
  const bool down = message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN;
  if (down) {
    // The box holds the mouse while a button is down, so the release comes back to it.
    SetCapture(control.window);
    capturedPicture_ = &control;
    Control_MouseDown(control.spec, button, x, y);
    return;
  }
  if (GetCapture() == control.window) ReleaseCapture();
  const bool wasPressed = capturedPicture_ == &control;
  capturedPicture_ = nullptr;
  Control_MouseUp(*control.spec, button, x, y);
  RECT client = {};
  GetClientRect(control.window, &client);
  const POINT point = {x, y};
  if (wasPressed && PtInRect(&client, point)) Control_Click(*control.spec);
}

LRESULT Form::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(hwnd_, message, wParam, lParam);
}

LRESULT Form::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      Paint();
      return 0;
    case WM_DRAWITEM:
      DrawFaceButton(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      return TRUE;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      if (HBRUSH brush = ControlColors(reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam))) {
        return reinterpret_cast<LRESULT>(brush);
      }
      break;
    case WM_COMMAND:
      if (HIWORD(wParam) == BN_CLICKED) {
        const int i = static_cast<int>(LOWORD(wParam)) - kFirstControlId;
        if (i >= 0 && i < layout_.controlCount) {
          const ControlSpec& spec = layout_.controls[i];
          if (spec.kind == ControlKind::FaceButton || spec.kind == ControlKind::CheckBox) {
            Control_Click(spec);
            return 0;
          }
        }
      }
      break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONUP:
      OnMouseButton(message, lParam);
      return 0;
    case WM_SETCURSOR:
      if (reinterpret_cast<HWND>(wParam) == hwnd_ && LOWORD(lParam) == HTCLIENT) {
        POINT point = {};
        GetCursorPos(&point);
        ScreenToClient(hwnd_, &point);
        const Control* hit = HitTest(point);
        if (hit && (hit->spec->flags & kHandCursor)) {
          SetCursor(static_cast<HCURSOR>(LoadImageW(Instance(), MAKEINTRESOURCEW(IDC_HAND_POINTER),
                                                    IMAGE_CURSOR, 0, 0, LR_DEFAULTSIZE | LR_SHARED)));
          return TRUE;
        }
      }
      break;
    case WM_TIMER:
      if (wParam == kTimerId) {
        Timer_Tick();
        return 0;
      }
      break;
    case WM_CLOSE:
      Close();
      return 0;
    case WM_DESTROY:
      if (timer_) {
        KillTimer(hwnd_, kTimerId);
        timer_ = false;
      }
      Form_Unload();
      return 0;
    default:
      break;
  }
  return WindowProc(message, wParam, lParam);
}

LRESULT CALLBACK Form::StaticWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Form* form = nullptr;
  if (message == WM_NCCREATE) {
    form = static_cast<Form*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    form->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
  } else {
    form = reinterpret_cast<Form*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  }
  if (!form) return DefWindowProcW(hwnd, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    auto& forms = Loaded();
    forms.erase(std::remove(forms.begin(), forms.end(), form), forms.end());
    form->hwnd_ = nullptr;
    form->controls_.clear();
    form->pressedLabel_ = nullptr;
    form->capturedPicture_ = nullptr;
    form->centred_ = false;
    return DefWindowProcW(hwnd, message, wParam, lParam);
  }
  try {
    return form->HandleMessage(message, wParam, lParam);
  } catch (...) {
    // No exception may cross into the system's dispatch.
    return DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

LRESULT CALLBACK Form::PictureBoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Form* form = FromWindow(GetParent(hwnd));
  Control* control = form ? form->FindControl(hwnd) : nullptr;
  if (!control) return DefWindowProcW(hwnd, message, wParam, lParam);
  try {
    switch (message) {
      case WM_ERASEBKGND:
        return 1;
      case WM_PAINT: {
        PAINTSTRUCT ps;
        const HDC dc = BeginPaint(hwnd, &ps);
        RECT client = {};
        GetClientRect(hwnd, &client);
        FillRect(dc, &client, form->Brush(ResolveColor(control->spec->back)));
        if (control->icon) DrawIconEx(dc, 0, 0, control->icon.get(), 0, 0, 0, nullptr, DI_NORMAL);
        form->Control_Paint(*control->spec, dc);
        EndPaint(hwnd, &ps);
        return 0;
      }
      case WM_MOUSEMOVE:
      case WM_LBUTTONDOWN:
      case WM_RBUTTONDOWN:
      case WM_MBUTTONDOWN:
      case WM_LBUTTONUP:
      case WM_RBUTTONUP:
      case WM_MBUTTONUP:
        form->OnPictureBoxMouse(*control, message, wParam, lParam);
        return 0;
      default:
        break;
    }
  } catch (...) {
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace tarvolin
