// Controls bound with DDX_Control, and notifications reflected from the
// dialog back to the control that sent them.

#include <gtest/gtest.h>

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
  std::vector<UINT> drawnIds;
  std::vector<std::string>* order = nullptr;

  void DrawItem(LPDRAWITEMSTRUCT item) override { drawnIds.push_back(item->CtlID); }

 protected:
  BOOL OnChildNotify(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) override {
    if (msg == WM_COMMAND && HIWORD(wParam) == BN_CLICKED && order) order->push_back("button");
    return CButton::OnChildNotify(msg, wParam, lParam, result);
  }
};

class SelfColouredLabel : public CStatic {
 public:
  CBrush brush{RGB(1, 2, 3)};

 protected:
  HBRUSH CtlColor(CDC* dc, UINT) override {
    dc->SetTextColor(RGB(200, 0, 0));
    return brush;
  }
};

// Binds its controls in DoDataExchange and records what its own handlers see.
class BindingDialog : public FrameworkDialog {
 public:
  SelfDrawnButton drawn;
  SelfDrawnButton push;
  CEdit edit;
  SelfColouredLabel label;
  bool bindLabel = true;

  std::vector<UINT> parentDrawnIds;
  std::vector<UINT> ctlColorKinds;
  std::vector<HWND> ctlColorControls;
  std::vector<std::string> order;

 protected:
  void DoDataExchange(CDataExchange* dx) override {
    DDX_Control(dx, IDC_DRAWN_BUTTON, drawn);
    DDX_Control(dx, IDC_PUSH_BUTTON, push);
    DDX_Control(dx, IDC_EDIT, edit);
    if (bindLabel) DDX_Control(dx, IDC_LABEL, label);
  }
  void OnDrawItem(int id, LPDRAWITEMSTRUCT item) override {
    parentDrawnIds.push_back(static_cast<UINT>(id));
    FrameworkDialog::OnDrawItem(id, item);
  }
  HBRUSH OnCtlColor(CDC* dc, CWnd* control, UINT kind) override {
    ctlColorKinds.push_back(kind);
    ctlColorControls.push_back(control ? control->m_hWnd : nullptr);
    return FrameworkDialog::OnCtlColor(dc, control, kind);
  }
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
    if (LOWORD(wParam) == IDC_PUSH_BUTTON && HIWORD(wParam) == BN_CLICKED) {
      order.push_back("dialog");
      return TRUE;
    }
    return FrameworkDialog::OnCommand(wParam, lParam);
  }
};

// Asks the dialog for a control's colours as the control itself would.
LRESULT AskColours(CWnd& dialog, int id) {
  HWND control = ::GetDlgItem(dialog, id);
  HDC dc = ::GetDC(control);
  const LRESULT brush =
      dialog.SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control));
  ::ReleaseDC(control, dc);
  return brush;
}

TEST(ReflectionTest, DdxControlBindsEachControlOnceAndDoModalReleasesIt) {
  BindingDialog dialog;
  CWnd* boundEdit = nullptr;
  CString text;
  dialog.steps = {[&] {
    dialog.UpdateData(FALSE);  // a second exchange must not bind again
    boundEdit = CWnd::FromHandlePermanent(::GetDlgItem(dialog, IDC_EDIT));
    dialog.edit.SetWindowText("typed");  // would recurse forever if bound twice
    dialog.GetDlgItemText(IDC_EDIT, text);
    dialog.EndDialog(IDOK);
  }};

  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(boundEdit, &dialog.edit);
  EXPECT_EQ(text, "typed");
  EXPECT_EQ(dialog.edit.m_hWnd, nullptr);
  EXPECT_EQ(dialog.drawn.m_hWnd, nullptr);
}

TEST(ReflectionTest, OwnerDrawnButtonDrawsItselfAndTheParentDrawsTheOthers) {
  BindingDialog dialog;
  dialog.steps = {[&] {
    ::RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    dialog.EndDialog(IDOK);
  }};

  dialog.DoModal();

  ASSERT_FALSE(dialog.drawn.drawnIds.empty());
  EXPECT_EQ(dialog.drawn.drawnIds.front(), static_cast<UINT>(IDC_DRAWN_BUTTON));
  ASSERT_FALSE(dialog.parentDrawnIds.empty());
  for (UINT id : dialog.parentDrawnIds) EXPECT_EQ(id, static_cast<UINT>(IDC_PLAIN_DRAWN_BUTTON));
}

TEST(ReflectionTest, ControlThatColoursItselfAnswersInsteadOfTheParent) {
  BindingDialog dialog;
  LRESULT brush = 0;
  dialog.steps = {[&] {
    dialog.ctlColorKinds.clear();
    brush = AskColours(dialog, IDC_LABEL);
    dialog.EndDialog(IDOK);
  }};

  dialog.DoModal();

  EXPECT_EQ(brush, reinterpret_cast<LRESULT>(static_cast<HBRUSH>(dialog.label.brush)));
  EXPECT_TRUE(dialog.ctlColorKinds.empty());
}

TEST(ReflectionTest, ParentOnCtlColorGetsKindAndControlAndTheDialogManagersDefault) {
  BindingDialog dialog;
  dialog.bindLabel = false;
  LRESULT brush = 0;
  LRESULT managerBrush = 0;
  HWND label = nullptr;
  dialog.steps = {[&] {
    label = ::GetDlgItem(dialog, IDC_LABEL);
    dialog.ctlColorKinds.clear();
    dialog.ctlColorControls.clear();
    brush = AskColours(dialog, IDC_LABEL);
    HDC dc = ::GetDC(label);
    managerBrush = ::DefDlgProcA(dialog, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                 reinterpret_cast<LPARAM>(label));
    ::ReleaseDC(label, dc);
    dialog.EndDialog(IDOK);
  }};

  dialog.DoModal();

  ASSERT_EQ(dialog.ctlColorKinds.size(), 1u);
  EXPECT_EQ(dialog.ctlColorKinds[0], static_cast<UINT>(CTLCOLOR_STATIC));
  EXPECT_EQ(dialog.ctlColorControls[0], label);
  EXPECT_NE(brush, 0);
  EXPECT_EQ(brush, managerBrush);
}

TEST(ReflectionTest, ClickReachesTheButtonFirstAndThenTheParentsOnCommand) {
  BindingDialog dialog;
  dialog.push.order = &dialog.order;
  dialog.steps = {[&] {
    dialog.push.SendMessage(BM_CLICK);
    dialog.EndDialog(IDOK);
  }};

  dialog.DoModal();

  EXPECT_EQ(dialog.order, (std::vector<std::string>{"button", "dialog"}));
}

}  // namespace
