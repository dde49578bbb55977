// Controls bound with DDX_Control, and notifications reflected from the
// dialog back to the control that sent them. (Owner drawing reflected to a
// control is shown by the styled buttons' tests, which draw through their host.)

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FrameworkTestSupport.h"
#include "framework/Button.h"
#include "framework/Edit.h"
#include "framework/Gdi.h"
#include "framework/Static.h"

namespace {

class HearingButton : public CButton {
 public:
  std::vector<std::string>* heard = nullptr;

 protected:
  BOOL OnChildNotify(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) override {
    if (msg == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) heard->push_back("button clicked");
    return CButton::OnChildNotify(msg, wParam, lParam, result);
  }
};

class SelfColouredLabel : public CStatic {
 public:
  CBrush brush{RGB(1, 2, 3)};

 protected:
  HBRUSH CtlColor(CDC*, UINT) override { return brush; }
};

// Binds its controls in DoDataExchange and notes what its own handlers hear.
class BindingDialog : public FrameworkDialog {
 public:
  HearingButton push;
  CEdit edit;
  SelfColouredLabel label;
  std::vector<std::string> heard;
  std::vector<std::pair<UINT, HWND>> coloured;

  // Asks for a control's colours as the control itself would, or as the dialog manager answers.
  LRESULT AskColours(int id, UINT msg, bool manager = false) {
    HWND control = ::GetDlgItem(m_hWnd, id);
    HDC dc = ::GetDC(control);
    const auto wParam = reinterpret_cast<WPARAM>(dc);
    const auto lParam = reinterpret_cast<LPARAM>(control);
    const LRESULT brush = manager ? ::DefDlgProcA(m_hWnd, msg, wParam, lParam) : SendMessage(msg, wParam, lParam);
    ::ReleaseDC(control, dc);
    return brush;
  }

 protected:
  void DoDataExchange(CDataExchange* dx) override {
    push.heard = &heard;
    DDX_Control(dx, IDC_PUSH_BUTTON, push);
    DDX_Control(dx, IDC_EDIT, edit);
    DDX_Control(dx, IDC_LABEL, label);
  }
  HBRUSH OnCtlColor(CDC* dc, CWnd* control, UINT kind) override {
    coloured.emplace_back(kind, control ? control->m_hWnd : nullptr);
    return FrameworkDialog::OnCtlColor(dc, control, kind);
  }
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
    if (LOWORD(wParam) == IDC_PUSH_BUTTON) heard.push_back("dialog clicked");
    return FrameworkDialog::OnCommand(wParam, lParam);
  }
};

TEST(ReflectionTest, BoundControlsColourAndHearTheirClickFirstAndTheDialogColoursTheRest) {
  BindingDialog dialog;
  CWnd* boundEdit = nullptr;
  CString text;
  LRESULT labelBrush = 0, buttonBrush = 0, managerBrush = 0;
  std::vector<std::pair<UINT, HWND>> coloured, plainButton;
  dialog.steps = {[&] {
    dialog.UpdateData(FALSE);  // a second exchange must not bind again
    boundEdit = CWnd::FromHandlePermanent(::GetDlgItem(dialog, IDC_EDIT));
    dialog.edit.SetWindowText("typed");  // would recurse forever if bound twice
    dialog.GetDlgItemText(IDC_EDIT, text);
    dialog.push.SendMessage(BM_CLICK);
    dialog.coloured.clear();
    labelBrush = dialog.AskColours(IDC_LABEL, WM_CTLCOLORSTATIC);
    buttonBrush = dialog.AskColours(IDC_PLAIN_DRAWN_BUTTON, WM_CTLCOLORBTN);
    managerBrush = dialog.AskColours(IDC_PLAIN_DRAWN_BUTTON, WM_CTLCOLORBTN, true);
    coloured = dialog.coloured;
    plainButton = {{CTLCOLOR_BTN, ::GetDlgItem(dialog, IDC_PLAIN_DRAWN_BUTTON)}};
  }};

  EXPECT_EQ(dialog.DoModal(), kStepsDone);
  EXPECT_EQ(boundEdit, &dialog.edit);
  EXPECT_EQ(text, "typed");
  EXPECT_EQ(dialog.edit.m_hWnd, nullptr);
  EXPECT_EQ(dialog.push.m_hWnd, nullptr);
  EXPECT_EQ(dialog.heard, (std::vector<std::string>{"button clicked", "dialog clicked"}));
  EXPECT_EQ(labelBrush, reinterpret_cast<LRESULT>(static_cast<HBRUSH>(dialog.label.brush)));
  EXPECT_EQ(coloured, plainButton) << "the bound label answers itself";
  EXPECT_EQ(buttonBrush, managerBrush);
}

}  // namespace
