// Controls bound with DDX_Control, and notifications reflected from the
// dialog back to the control that sent them.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "FrameworkTestSupport.h"
#include "framework/Button.h"
#include "framework/Edit.h"
#include "framework/Gdi.h"
#include "framework/Static.h"

namespace {

class SelfDrawnButton : public CButton {
 public:
  std::vector<std::string>* heard = nullptr;
  void DrawItem(LPDRAWITEMSTRUCT item) override { heard->push_back("drawn " + std::to_string(item->CtlID)); }

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
  SelfDrawnButton drawn;
  CEdit edit;
  SelfColouredLabel label;
  std::vector<std::string> heard;

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
    drawn.heard = &heard;
    DDX_Control(dx, IDC_DRAWN_BUTTON, drawn);
    DDX_Control(dx, IDC_EDIT, edit);
    DDX_Control(dx, IDC_LABEL, label);
  }
  void OnDrawItem(int id, LPDRAWITEMSTRUCT item) override {
    heard.push_back("dialog drew " + std::to_string(id));
    FrameworkDialog::OnDrawItem(id, item);
  }
  HBRUSH OnCtlColor(CDC* dc, CWnd* control, UINT kind) override {
    const bool plain = control && control->m_hWnd == ::GetDlgItem(m_hWnd, IDC_PLAIN_DRAWN_BUTTON);
    heard.push_back("dialog coloured " + std::string(plain ? "plain " : "other ") + std::to_string(kind));
    return FrameworkDialog::OnCtlColor(dc, control, kind);
  }
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
    if (LOWORD(wParam) == IDC_DRAWN_BUTTON) heard.push_back("dialog clicked");
    return FrameworkDialog::OnCommand(wParam, lParam);
  }
};

TEST(ReflectionTest, BoundControlsDrawColourAndHearTheirClickFirstAndTheDialogServesTheRest) {
  BindingDialog dialog;
  CWnd* boundEdit = nullptr;
  CString text;
  LRESULT labelBrush = 0, buttonBrush = 0, managerBrush = 0;
  std::vector<std::string> heard;
  dialog.steps = {[&] {
    dialog.UpdateData(FALSE);  // a second exchange must not bind again
    boundEdit = CWnd::FromHandlePermanent(::GetDlgItem(dialog, IDC_EDIT));
    dialog.edit.SetWindowText("typed");  // would recurse forever if bound twice
    dialog.GetDlgItemText(IDC_EDIT, text);
    dialog.heard.clear();
    ::RedrawWindow(::GetDlgItem(dialog, IDC_DRAWN_BUTTON), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    ::RedrawWindow(::GetDlgItem(dialog, IDC_PLAIN_DRAWN_BUTTON), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    dialog.drawn.SendMessage(BM_CLICK);
    labelBrush = dialog.AskColours(IDC_LABEL, WM_CTLCOLORSTATIC);
    buttonBrush = dialog.AskColours(IDC_PLAIN_DRAWN_BUTTON, WM_CTLCOLORBTN);
    managerBrush = dialog.AskColours(IDC_PLAIN_DRAWN_BUTTON, WM_CTLCOLORBTN, true);
    heard = dialog.heard;
  }};

  EXPECT_EQ(dialog.DoModal(), kStepsDone);
  EXPECT_EQ(boundEdit, &dialog.edit);
  EXPECT_EQ(text, "typed");
  EXPECT_EQ(dialog.edit.m_hWnd, nullptr);
  EXPECT_EQ(dialog.drawn.m_hWnd, nullptr);
  EXPECT_EQ(labelBrush, reinterpret_cast<LRESULT>(static_cast<HBRUSH>(dialog.label.brush)));
  EXPECT_EQ(buttonBrush, managerBrush);
  // Painting and clicking also bring notes of their own; these must be among them.
  const auto count = [&](const char* note) { return std::count(heard.begin(), heard.end(), note); };
  EXPECT_GT(count("drawn 1001"), 0);
  EXPECT_EQ(count("dialog drew 1001"), 0);
  EXPECT_GT(count("dialog drew 1002"), 0);
  EXPECT_EQ(count("dialog coloured other 6"), 0);  // the bound label answers itself
  EXPECT_GT(count("dialog coloured plain 3"), 0);
  const auto click = std::find(heard.begin(), heard.end(), "button clicked");
  ASSERT_LT(click + 1, heard.end());
  EXPECT_EQ(click[1], "dialog clicked");
}

}  // namespace
