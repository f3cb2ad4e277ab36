// A form's window and its controls: creating them from the layout, showing and closing the
// window, and the controls' captions, values and pictures.
#include "dialogs/form.h"

#include <algorithm>
#include <cstring>

#include "dialogs/dpi.h"
#include "dialogs/fonts.h"
#include "dialogs/form_internal.h"

namespace tarvolin {

namespace form_internal {
std::vector<Form*>& Loaded() {
  static std::vector<Form*> forms;
  return forms;
}
}  // namespace form_internal

using form_internal::Instance;
using form_internal::IsWindowless;
using form_internal::kFirstControlId;
using form_internal::kTimerId;
using form_internal::Loaded;

namespace {

constexpr wchar_t kPictureBoxClass[] = L"Tarvolin.PictureBox";

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

// A control's place at a scale: each of its left, top, width and height on its own.
RECT ScaledRect(const ControlSpec& spec, int dpi) {
  const int left = TwipsToPixels(spec.left, dpi);
  const int top = TwipsToPixels(spec.top, dpi);
  return {left, top, left + TwipsToPixels(spec.width, dpi), top + TwipsToPixels(spec.height, dpi)};
}

// The height of a combo box's window: its own and the room for its list when it drops down.
int WindowHeight(const ControlSpec& spec, const RECT& rect, int dpi) {
  const int height = rect.bottom - rect.top;
  return spec.kind == ControlKind::ComboBox ? height + ScalePixels(200, dpi) : height;
}

}  // namespace

bool IsNamed(const ControlSpec* control, const char* name) {
  return control != nullptr && std::strcmp(control->name, name) == 0;
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
  // Main has no owner; a tool window keeps it off the taskbar. Owned windows never show there.
  const DWORD exStyle = WS_EX_CONTROLPARENT | (owner ? 0 : WS_EX_TOOLWINDOW);
  CreateWindowExW(exStyle, layout_.className, layout_.text, WS_POPUP | WS_CLIPCHILDREN, 0, 0,
                  TwipsToPixels(layout_.width, kLayoutDpi), TwipsToPixels(layout_.height, kLayoutDpi), owner,
                  nullptr, Instance(), this);
  if (!hwnd_) return false;
  Loaded().push_back(this);
  // Made, the window knows the scale of its screen; from here on only WM_DPICHANGED changes it.
  dpi_ = WindowDpi(hwnd_);
  if (dpi_ != kLayoutDpi) {
    SetWindowPos(hwnd_, nullptr, 0, 0, TwipsToPixels(layout_.width, dpi_),
                 TwipsToPixels(layout_.height, dpi_), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  // The small icon now, as the tray may want it while the window stays hidden; the window's own
  // icons wait until it is first shown.
  if (layout_.icon) smallIcon_.reset(LoadFormIcon(SM_CXSMICON));
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
  prepared_ = false;
  labelsSized_ = false;
  faceButtonsMade_ = false;
  controls_.clear();
  controls_.resize(static_cast<size_t>(layout_.controlCount));
  tabOrder_.clear();
  for (int i = 0; i < layout_.controlCount; ++i) {
    const ControlSpec& spec = layout_.controls[i];
    Control& control = controls_[static_cast<size_t>(i)];
    control.spec = &spec;
    control.caption = spec.caption ? spec.caption : L"";
    control.rect = ScaledRect(spec, dpi_);
    if (!IsWindowless(spec.kind)) tabOrder_.push_back(i);
  }
  std::stable_sort(tabOrder_.begin(), tabOrder_.end(), [this](int a, int b) {
    return layout_.controls[a].tabIndex < layout_.controls[b].tabIndex;
  });
  // Child windows are made in keyboard order, which is also their order for the Tab key; face
  // buttons wait until the window is first shown, or until one of them is asked for.
  for (const int i : tabOrder_) {
    if (layout_.controls[i].kind != ControlKind::FaceButton) CreateChild(i);
  }
}

void Form::MakeFaceButtons() {
  if (faceButtonsMade_ || !hwnd_) return;
  faceButtonsMade_ = true;
  HWND previous = HWND_TOP;
  for (const int i : tabOrder_) {
    Control& control = controls_[static_cast<size_t>(i)];
    if (control.spec->kind == ControlKind::FaceButton) {
      CreateChild(i);
      // Made after the others, the button takes its place among them for the Tab key.
      SetWindowPos(control.window, previous, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
      SetFaceRegion(control);
    }
    if (control.window) previous = control.window;
  }
}

void Form::SetFaceRegion(const Control& control) {
  // Clipped to the inner rectangle of its face. The region belongs to the button from here on; it
  // is not ours to delete.
  const RECT r = ButtonRegion(dpi_);
  const HRGN region = CreateRoundRectRgn(r.left, r.top, r.right, r.bottom, 0, 0);
  if (region && !SetWindowRgn(control.window, region, TRUE)) DeleteObject(region);
}

void Form::CreateChild(int i) {
  const ControlSpec& spec = layout_.controls[i];
  Control& control = controls_[static_cast<size_t>(i)];
  const RECT& r = control.rect;
  const HMENU id = reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstControlId + i));
  // Made hidden: a child window shows with the window's first show (PrepareToShow).
  DWORD style = WS_CHILD | ((spec.flags & kTabStop) ? WS_TABSTOP : 0);
  const wchar_t* cls = L"BUTTON";
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
      break;
    case ControlKind::PictureBox:
      cls = kPictureBoxClass;
      break;
    default:
      break;
  }
  control.window = CreateWindowExW(0, cls, control.caption.c_str(), style, r.left, r.top, r.right - r.left,
                                   WindowHeight(spec, r, dpi_), hwnd_, id, Instance(), nullptr);
  FitChild(control);
}

void Form::FitChild(const Control& control) {
  const ControlSpec& spec = *control.spec;
  if (spec.kind != ControlKind::CheckBox && spec.kind != ControlKind::ComboBox) return;
  const auto setFont = [&](int dpi) {
    SendMessageW(control.window, WM_SETFONT, reinterpret_cast<WPARAM>(ControlFont(spec.font, dpi)), FALSE);
  };
  if (spec.kind == ControlKind::CheckBox || dpi_ == kLayoutDpi) {
    setFont(dpi_);
    return;
  }
  // A combo box sizes its text field and its list's rows from its font, adding a few pixels of
  // its own that do not grow with the scale: its heights with the layout's font, scaled, keep the
  // look the layout was drawn with.
  setFont(kLayoutDpi);
  const LRESULT field = SendMessageW(control.window, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
  const LRESULT item = SendMessageW(control.window, CB_GETITEMHEIGHT, 0, 0);
  setFont(dpi_);
  if (field > 0) {
    SendMessageW(control.window, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1),
                 ScalePixels(static_cast<int>(field), dpi_));
  }
  if (item > 0) SendMessageW(control.window, CB_SETITEMHEIGHT, 0, ScalePixels(static_cast<int>(item), dpi_));
}

void Form::SizeLabels() {
  if (labelsSized_) return;
  const WindowDC dc{hwnd_};
  if (!dc) return;
  for (Control& control : controls_) {
    if (control.spec->kind == ControlKind::Label && (control.spec->flags & kAutoSize)) {
      const SIZE size = MeasureLabelText(dc.get(), control.caption, control.spec->font, dpi_);
      control.rect.right = control.rect.left + size.cx;
      control.rect.bottom = control.rect.top + size.cy;
    }
  }
  labelsSized_ = true;
}

void Form::PrepareToShow() {
  if (prepared_) return;
  prepared_ = true;
  if (layout_.icon) {
    bigIcon_.reset(LoadFormIcon(SM_CXICON));
    SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_.get()));
    SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.get()));
  }
  LoadControlIcons();
  MakeFaceButtons();
  for (const Control& control : controls_) {
    if (control.window && !(control.spec->flags & kInvisible)) ShowWindow(control.window, SW_SHOWNA);
  }
  SizeLabels();
}

HICON Form::LoadFormIcon(int metric) const {
  // The form's own copy at the size for its scale: a shared load keeps the first size it was asked
  // for, and may hand back the large image, scaled, where the icon has a small image of its own.
  const int size = SystemMetricForDpi(metric, dpi_);
  return static_cast<HICON>(
      LoadImageW(Instance(), MAKEINTRESOURCEW(layout_.icon), IMAGE_ICON, size, size, 0));
}

void Form::PickIcons() {
  if (!layout_.icon || !hwnd_) return;
  // The new icons reach the window (and, through Icons_Changed, whoever else shows them) before
  // the old ones go.
  IconHandle oldSmall(smallIcon_.release());
  IconHandle oldBig(bigIcon_.release());
  smallIcon_.reset(LoadFormIcon(SM_CXSMICON));
  if (prepared_) {
    bigIcon_.reset(LoadFormIcon(SM_CXICON));
    SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_.get()));
    SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.get()));
  }
  Icons_Changed();
}

void Form::LoadControlIcons() {
  for (Control& control : controls_) {
    const ControlSpec& spec = *control.spec;
    if (spec.picture && spec.kind == ControlKind::Image) {
      const int size = control.rect.right - control.rect.left;
      control.icon.reset(static_cast<HICON>(
          LoadImageW(Instance(), MAKEINTRESOURCEW(spec.picture), IMAGE_ICON, size, size, 0)));
    }
  }
}

void Form::OnDpiChanged(int dpi, const RECT& suggested) {
  dpi_ = dpi;
  SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  // Every child window stays, with its text, its check, its caret and its place for the Tab key:
  // only its place, its font and its region change.
  for (Control& control : controls_) {
    control.rect = ScaledRect(*control.spec, dpi_);
    if (!control.window) continue;
    const RECT& r = control.rect;
    SetWindowPos(control.window, nullptr, r.left, r.top, r.right - r.left,
                 WindowHeight(*control.spec, r, dpi_), SWP_NOZORDER | SWP_NOACTIVATE);
    FitChild(control);
    if (control.spec->kind == ControlKind::FaceButton) SetFaceRegion(control);
  }
  if (labelsSized_) {
    labelsSized_ = false;
    SizeLabels();
  }
  bitmaps_.clear();
  handCursor_.reset();
  if (prepared_) LoadControlIcons();
  PickIcons();
  Form_DpiChanged();
  RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
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

void Form::Center() {
  RECT r = {};
  GetWindowRect(hwnd_, &r);
  const int x = (GetSystemMetrics(SM_CXSCREEN) - (r.right - r.left)) / 2;
  const int y = (GetSystemMetrics(SM_CYSCREEN) - (r.bottom - r.top)) / 2;
  SetWindowPos(hwnd_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  centred_ = true;
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
    if (spec.index == index && IsNamed(spec, name)) return i;
  }
  return -1;
}

const ControlSpec* Form::Spec(const char* name, int index) const {
  const int i = FindIndex(name, index);
  return i < 0 ? nullptr : &layout_.controls[i];
}

HWND Form::ControlWindow(const char* name, int index) const {
  const int i = FindIndex(name, index);
  if (i < 0 || controls_.empty()) return nullptr;
  // Asking for a face button makes the face buttons now, shown or not.
  if (layout_.controls[i].kind == ControlKind::FaceButton) const_cast<Form*>(this)->MakeFaceButtons();
  return controls_[static_cast<size_t>(i)].window;
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
  // A hidden window is painted whole when it is shown.
  const bool shown = IsWindowVisible(hwnd_) != FALSE;
  if (shown) InvalidateRect(hwnd_, &control.rect, FALSE);
  control.caption = text;
  if (labelsSized_ && (control.spec->flags & kAutoSize)) {
    if (const WindowDC dc{hwnd_}) {
      const SIZE size = MeasureLabelText(dc.get(), text, control.spec->font, dpi_);
      control.rect.right = control.rect.left + size.cx;
      control.rect.bottom = control.rect.top + size.cy;
    }
  }
  if (shown) InvalidateRect(hwnd_, &control.rect, FALSE);
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

RECT Form::ControlRect(const ControlSpec& control) {
  SizeLabels();
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

}  // namespace tarvolin
