// The one form machinery behind all five windows: a borderless popup built from its layout table,
// with a background picture, windowless labels and images, face buttons, check boxes, combo boxes
// and picture boxes, shown modelessly or modally.
#pragma once
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <utility>
#include <vector>

#include "base/handles.h"
#include "layouts/layout.h"

namespace tarvolin {

// Mouse buttons as the handlers receive them.
enum MouseButton : int { kLeftButton = 1, kRightButton = 2, kMiddleButton = 4 };

class Form {
 public:
  explicit Form(const FormSpec& layout);
  virtual ~Form();
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  // Creates the window and its controls from the layout, then runs Form_Load.
  bool Load(HWND owner = nullptr);
  bool IsLoaded() const { return hwnd_ != nullptr; }
  HWND hwnd() const { return hwnd_; }
  const FormSpec& layout() const { return layout_; }

  // Shows the window, centred on the screen the first time. Hide during Form_Load keeps it hidden.
  void Show();
  void Hide();
  // False when Form_Load hid the window: the caller then leaves it hidden.
  bool ShowAfterLoad() const { return showAfterLoad_; }
  // Loads if needed, shows centred and waits until the window is closed; the program's other
  // windows take no input meanwhile, while their messages keep being handled.
  void ShowModal();
  // Unloads the window: Form_Unload runs and the window is destroyed (a modal one when its loop ends).
  void Close();

  // Controls, found by name and index (-1 for a single control).
  const ControlSpec* Spec(const char* name, int index = -1) const;
  HWND ControlWindow(const char* name, int index = -1) const;
  std::wstring Caption(const char* name, int index = -1) const;
  void SetCaption(const char* name, int index, const std::wstring& text);
  // Check boxes: 0 unticked, 1 ticked. Changing the value runs the box's click handler.
  int Value(const char* name, int index = -1) const;
  void SetValue(const char* name, int index, int value);
  void SetEnabled(const char* name, int index, bool enabled);
  // A control's rectangle in client pixels, at the window's scale.
  RECT ControlRect(const ControlSpec& control);
  // The dots per inch the window is laid out and drawn for: its screen's when it was made, then
  // each scale the system moves it to.
  int Dpi() const { return dpi_; }
  // The picture of an image control (an icon), owned by the form; loaded when the
  // window is first shown.
  HICON ControlIcon(const char* name, int index = -1) const;
  // The small image of the form's icon at the window's scale, loaded with the window.
  HICON SmallIcon() const { return smallIcon_.get(); }

  // The form whose window this is, if any.
  static Form* FromWindow(HWND hwnd);
  // Every loaded form, in the order they were loaded.
  static std::vector<Form*> LoadedForms();

 protected:
  virtual void Form_Load() {}
  virtual void Form_Unload() {}
  // A face button or check box was clicked (by the user, or a check box's value set by the
  // program), or a label got a left click.
  virtual void Control_Click(const ControlSpec& /*control*/) {}
  // A mouse button went down on a windowless control or picture box, or on the bare background
  // (control null). x and y in the control's pixels.
  virtual void Control_MouseDown(const ControlSpec* /*control*/, int /*button*/, int /*x*/, int /*y*/) {}
  virtual void Control_MouseUp(const ControlSpec& /*control*/, int /*button*/, int /*x*/, int /*y*/) {}
  virtual void Control_MouseMove(const ControlSpec& /*control*/, int /*button*/, int /*x*/, int /*y*/) {}
  // A label is about to be drawn with this text and colour; the form may draw it otherwise (the
  // caption itself stays as it is).
  virtual void Label_Look(const ControlSpec& /*control*/, std::wstring& /*text*/, COLORREF& /*fore*/) const {}
  // A picture box was painted with its picture; the form may draw over it.
  virtual void Control_Paint(const ControlSpec& /*control*/, HDC /*dc*/) {}
  virtual void Timer_Tick() {}
  // The window has been laid out for a new scale (WM_DPICHANGED).
  virtual void Form_DpiChanged() {}
  // The form's icons were loaded again (PickIcons) and the window has them; the old ones go once
  // this returns.
  virtual void Icons_Changed() {}
  // Anything the form does not handle itself; the default is the system's.
  virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);

  // The drag strip: a left-button press moves the window as if by a title bar.
  void DragWindow(int button);
  void StartTimer(UINT milliseconds);
  // Loads the form's icons again at the sizes for its scale and gives them to the window.
  void PickIcons();
  // Files dropped from the shell (WM_DROPFILES): their full paths in the order given, and the drop
  // point in client pixels. Lets the drop go.
  static std::vector<std::wstring> DroppedFiles(HDROP drop, POINT& client);
  // Dropped files fill rows downward: the first goes into row first, each next one into the row
  // below, and those past row last are let go. Row 0 is no row: nothing is filled.
  template <typename SetRow>
  static void FillRowsDownward(const std::vector<std::wstring>& files, int first, int last, SetRow setRow) {
    for (size_t i = 0; first >= 1 && first <= last && i < files.size(); ++i) setRow(first++, files[i]);
  }

 private:
  struct Control {
    const ControlSpec* spec = nullptr;
    HWND window = nullptr;  // null for labels and images
    std::wstring caption;   // labels
    RECT rect{};            // client pixels
    IconHandle icon;        // images
  };

  static LRESULT CALLBACK StaticWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK PictureBoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void CreateControls();
  void CreateChild(int i);
  // What a child window takes from the scale: its font, and a combo box's heights.
  void FitChild(const Control& control);
  void SetFaceRegion(const Control& control);
  void MakeFaceButtons();
  // Lays the window and its controls out again for a new scale, keeping every child window.
  void OnDpiChanged(int dpi, const RECT& suggested);
  HICON LoadFormIcon(int metric) const;
  // The pictures of images (icons), at the window's scale.
  void LoadControlIcons();
  // What only a visible window needs waits until the window is first shown: its own icons, the
  // pictures of its images, its face buttons, its child windows' being visible and the sizes of
  // its autosized labels.
  void PrepareToShow();
  // Autosized labels take the size of their captions: measured once the first time a size is
  // wanted, and again whenever such a caption changes after that.
  void SizeLabels();
  void Paint();
  void PaintPictureBox(const Control& control);
  void DrawFaceButton(const DRAWITEMSTRUCT& item);
  HBRUSH ControlColors(HWND control, HDC dc);
  const Control* HitTest(POINT client) const;
  void OnMouseButton(UINT message, LPARAM lParam);
  void OnPictureBoxMouse(const Control& control, UINT message, WPARAM wParam, LPARAM lParam);
  int FindIndex(const char* name, int index) const;
  Control* FindControl(HWND window);
  // Picture `id` drawn for `dpi`, made the first time it is wanted and kept with the form.
  HBITMAP Bitmap(int id, int dpi);
  HBRUSH Brush(COLORREF color);
  void Center();

  const FormSpec& layout_;
  HWND hwnd_ = nullptr;
  std::vector<Control> controls_;
  std::vector<int> tabOrder_;  // the controls with windows of their own, in keyboard order
  int dpi_ = kLayoutDpi;
  IconHandle smallIcon_;  // the window's icons, at its scale
  IconHandle bigIcon_;
  IconHandle handCursor_;  // HandCursor at the window's scale, once the pointer has been over it
  // A form uses a handful of each, so a short list searched in order is all they need.
  std::vector<std::pair<std::pair<int, int>, BitmapHandle>> bitmaps_;  // by picture id and dpi
  std::vector<std::pair<COLORREF, BrushHandle>> brushes_;
  const Control* pressedLabel_ = nullptr;
  const Control* capturedPicture_ = nullptr;
  bool loading_ = false;
  bool showAfterLoad_ = true;
  bool centred_ = false;
  bool prepared_ = false;
  bool labelsSized_ = false;
  bool faceButtonsMade_ = false;
  bool modal_ = false;
  bool endModal_ = false;
  bool closeRequested_ = false;
  bool timer_ = false;
};

// Whether control is there and is the one named name (any index of an array): the one way a form
// tells its controls apart.
bool IsNamed(const ControlSpec* control, const char* name);
inline bool IsNamed(const ControlSpec& control, const char* name) { return IsNamed(&control, name); }

// Resolves the layout's colour markers to the user's current colours.
COLORREF ResolveColor(COLORREF color);

}  // namespace tarvolin
