// Message dispatch: the form's window procedure and its picture boxes', and the mouse routed to the
// control under it (labels and images are hit-tested, having no window).
#include <windowsx.h>

#include <algorithm>

#include "dialogs/dpi.h"
#include "dialogs/form.h"
#include "dialogs/form_internal.h"
#include "layouts/picture_ids.h"

namespace tarvolin {

using form_internal::Instance;
using form_internal::IsWindowless;
using form_internal::kFirstControlId;
using form_internal::kTimerId;

namespace {

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

}  // namespace

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
  SizeLabels();
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

std::vector<std::wstring> Form::DroppedFiles(HDROP drop, POINT& client) {
  // Only the form's own window accepts files, so a drop on one of its child controls reaches the
  // form too, with the point in the form's client pixels.
  client = {};
  DragQueryPoint(drop, &client);
  std::vector<std::wstring> files(DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0));
  for (UINT i = 0; i < files.size(); ++i) {
    files[i].resize(DragQueryFileW(drop, i, nullptr, 0));
    DragQueryFileW(drop, i, files[i].data(), static_cast<UINT>(files[i].size() + 1));
  }
  DragFinish(drop);
  return files;
}

LRESULT Form::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;
    case WM_SHOWWINDOW:
      if (wParam) PrepareToShow();
      break;
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
          if (!handCursor_) {
            // The form's own copy at the size for its scale: a shared one keeps its first size.
            const int width = SystemMetricForDpi(SM_CXCURSOR, dpi_);
            const int height = SystemMetricForDpi(SM_CYCURSOR, dpi_);
            handCursor_.reset(static_cast<HICON>(
                LoadImageW(Instance(), MAKEINTRESOURCEW(IDC_HAND_POINTER), IMAGE_CURSOR, width, height, 0)));
          }
          SetCursor(handCursor_.get());
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
    case WM_DPICHANGED:
      OnDpiChanged(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      return 0;
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
    auto& forms = form_internal::Loaded();
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
      case WM_PAINT:
        form->PaintPictureBox(*control);
        return 0;
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
