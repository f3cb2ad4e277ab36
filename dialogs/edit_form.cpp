#include "dialogs/edit_form.h"

#include <commdlg.h>

#include <vector>

#include "base/system_library.h"
#include "hotkeys/catalogue.h"
#include "hotkeys/main_window.h"
#include "hotkeys/slot_table.h"
#include "settings/autostart.h"
#include "settings/exe_path.h"
#include "settings/settings.h"

namespace tarvolin {

namespace {

// The open-file dialog's library is loaded when the dialog is first wanted, not at every start:
// under some systems each library costs the start noticeably, and most starts never browse.
BOOL OpenFileDialog(OPENFILENAMEW* record) {
  using Function = BOOL(WINAPI*)(OPENFILENAMEW*);
  static const Function bound = FindSystemFunction<Function>(L"comdlg32.dll", "GetOpenFileNameW");
  return bound != nullptr && bound(record);
}

// Room for the longest path the open-file dialog can return.
constexpr DWORD kPathBufferChars = 32768;

std::wstring Folder(const std::wstring& path) {
  const size_t slash = path.find_last_of(L'\\');
  return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
}

}  // namespace

EditForm::EditForm() : Form(kEditLayout) {}

void ShowEditor() {
  EditForm editor;
  editor.ShowModal();
}

void EditForm::Form_Load() {
  const MainWindow* main = TheMainWindow();
  for (int n = 1; n <= kSlotCount; ++n) {
    const HWND combo = ControlWindow("Combo", n);
    for (const wchar_t* name : kEditorCommandNames) {
      const LRESULT item = SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
      SendMessageW(combo, CB_SETITEMDATA, static_cast<WPARAM>(item), 0);
    }
    // A picked path may be as long as the dialog allows.
    SendMessageW(combo, CB_LIMITTEXT, 0, 0);
    if (main) SetCaption("Combo", n, main->SlotCommandName(n));
  }
  const SettingsReader settings;
  if (settings.Read(kOtherSection, kAutoRunKey) == L"Yes") SetValue("Check1", -1, 1);
  if (settings.Read(kOtherSection, kAutoHideKey) == L"Yes") SetValue("Check2", -1, 1);
  StartTimer(10);
  DragAcceptFiles(hwnd(), TRUE);
}

void EditForm::Control_Click(const ControlSpec& control) {
  if (IsNamed(control, "Command1")) {
    Command1_Click(control.index);
  } else if (IsNamed(control, "picCommand")) {
    picCommand_Click(control.index);
  }
}

void EditForm::Command1_Click(int index) {
  if (index == 0) {
    Command1_Ok();
  } else if (index == 1) {
    Close();
  }
}

void EditForm::Command1_Ok() {
  if (MainWindow* main = TheMainWindow()) {
    // Taken as typed: the hook reads the label at the next key press.
    for (int n = 1; n <= kSlotCount; ++n) main->SetSlotCommandName(n, Caption("Combo", n));
  }
  if (Value("Check1") != 0) {
    WriteSetting(kOtherSection, kAutoRunKey, L"Yes");
    // The box must never show an autostart that is not there.
    if (!RegisterAutostart(ExePath())) WriteSetting(kOtherSection, kAutoRunKey, L"No");
  } else {
    WriteSetting(kOtherSection, kAutoRunKey, L"No");
    UnregisterAutostart();
  }
  WriteSetting(kOtherSection, kAutoHideKey, Value("Check2") != 0 ? L"Yes" : L"No");
  Close();
}

void EditForm::picCommand_Click(int index) {
  const StripStep step = strip_.Click(index);
  Apply(index, step);
  if (!step.browse) return;

  std::vector<wchar_t> file(kPathBufferChars, L'\0');
  const std::wstring folder = Folder(ExePath());
  OPENFILENAMEW record = {};
  // The record in its first, smallest form: nothing here needs the later fields.
  record.lStructSize = OPENFILENAME_SIZE_VERSION_400W;
  record.hwndOwner = hwnd();
  record.hInstance = GetModuleHandleW(nullptr);
  // One entry, shown as "*.*", that lists every file.
  record.lpstrFilter = L"*.*\0*.*\0";
  record.lpstrFile = file.data();
  record.nMaxFile = kPathBufferChars;
  record.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
  record.lpstrTitle = L"打开文件";
  record.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
  // Cancelled or failed: the box keeps its text.
  if (!OpenFileDialog(&record)) return;
  if (!IsLoaded()) return;  // the program ended while the dialog was up
  SetCaption("Combo", index + 1, file.data());
}

void EditForm::Control_MouseDown(const ControlSpec* control, int button, int, int) {
  if (IsNamed(control, "Image1")) {
    DragWindow(button);
  } else if (IsNamed(control, "picCommand")) {
    picCommand_MouseDown(control->index, button);
  }
}

void EditForm::Control_MouseUp(const ControlSpec& control, int button, int, int) {
  if (IsNamed(control, "picCommand")) picCommand_MouseUp(control.index, button);
}

void EditForm::Control_MouseMove(const ControlSpec& control, int, int x, int y) {
  if (IsNamed(control, "picCommand")) picCommand_MouseMove(control.index, x, y);
}

void EditForm::Control_Paint(const ControlSpec& control, HDC dc) {
  // Every repaint shows the button flat, whatever state it was in.
  if (IsNamed(control, "picCommand")) {
    const HWND box = ControlWindow("picCommand", control.index);
    RECT client = {};
    GetClientRect(box, &client);
    DrawButtonEdge(dc, client, ButtonFlat, Dpi());
  }
}

void EditForm::picCommand_MouseDown(int index, int button) { Apply(index, strip_.MouseDown(index, button)); }

void EditForm::picCommand_MouseUp(int index, int button) { Apply(index, strip_.MouseUp(index, button)); }

void EditForm::picCommand_MouseMove(int index, int x, int y) {
  const HWND box = ControlWindow("picCommand", index);
  RECT client = {};
  GetClientRect(box, &client);
  Apply(index, strip_.MouseMove(index, x, y, client.right, client.bottom, GetCapture() == box));
}

void EditForm::Timer_Tick() { Timer1_Timer(); }

void EditForm::Timer1_Timer() {
  POINT point = {};
  GetCursorPos(&point);
  const HWND under = WindowFromPoint(point);
  const HWND capture = GetCapture();
  int captured = -1;
  for (int i = 0; i < ButtonStrip::kButtons && capture; ++i) {
    if (ControlWindow("picCommand", i) == capture) {
      captured = i;
      break;
    }
  }
  Apply(captured, ButtonStrip::TimerTick(captured, captured >= 0 && under == capture));
}

LRESULT EditForm::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DROPFILES) {
    Form_DropFiles(reinterpret_cast<HDROP>(wParam));
    return 0;
  }
  return Form::WindowProc(message, wParam, lParam);
}

// Each dropped file goes into a box as the file dialog's choice would, from the row under the
// pointer downward; files beyond F12 are let go.
void EditForm::Form_DropFiles(HDROP drop) {
  POINT point = {};
  const std::vector<std::wstring> files = DroppedFiles(drop, point);
  FillRowsDownward(files, RowAt(point), kSlotCount,
                   [this](int slot, const std::wstring& file) { SetCaption("Combo", slot, file); });
}

// A row runs from the top to the bottom of its box and browse button, and across from the F labels'
// left edge to the browse buttons' right edge; the thin gaps between rows belong to none.
int EditForm::RowAt(POINT point) {
  const ControlSpec* label = Spec("Label2", 0);
  for (int n = 1; n <= kSlotCount; ++n) {
    const ControlSpec* box = Spec("Combo", n);
    const ControlSpec* button = Spec("picCommand", n - 1);
    if (!label || !box || !button) return 0;
    RECT row = ControlRect(*box);
    const RECT browse = ControlRect(*button);
    UnionRect(&row, &row, &browse);
    row.left = ControlRect(*label).left;
    if (PtInRect(&row, point)) return n;
  }
  return 0;
}

void EditForm::Apply(int index, const StripStep& step) {
  const HWND box = ControlWindow("picCommand", index);
  if (!box) return;
  if (step.capture == CaptureChange::Take) SetCapture(box);
  if (step.capture == CaptureChange::Release && GetCapture() == box) ReleaseCapture();
  if (step.look != 0) DrawButton(box, step.look, Dpi());
}

}  // namespace tarvolin
