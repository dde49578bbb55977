#pragma once
// CDialog: a dialog from a template in the program's resources, run modally
// by DoModal with the framework's own message loop.
//
// DoModal disables the owner (the parent given to the constructor, or else
// the window that new modal windows belong to: see AfxGetModalOwner),
// creates the dialog modeless, shows it, and loops: for each message it asks
// PreTranslateMessage of the bound windows from the message's window up to
// the dialog (the first TRUE drops the message), then IsDialogMessage, then
// translates and dispatches. The loop ends after EndDialog, or on WM_QUIT
// (which it posts again for the outer loop). The owner is re-enabled and
// re-activated before the dialog window is destroyed. Because the loop uses
// GetMessage, messages that other threads send to this thread's windows are
// served while the dialog runs.
//
// The dialog window is bound like any CWnd when WM_INITDIALOG arrives (the
// messages before it get the dialog manager's handling), so Default() gives
// the dialog manager's result for every later message.

#include <windows.h>

#include "framework/Wnd.h"

class CDataExchange {
 public:
  CDataExchange(CWnd* dialog, BOOL saveAndValidate)
      : m_pDlgWnd(dialog), m_bSaveAndValidate(saveAndValidate) {}
  CWnd* m_pDlgWnd;
  BOOL m_bSaveAndValidate;
};

// Binds control to the dialog's control id the first time it runs; later
// exchanges leave the binding alone. A missing id leaves control unbound.
void DDX_Control(CDataExchange* dx, int id, CWnd& control);

class CDialog : public CWnd {
 public:
  explicit CDialog(UINT templateId, CWnd* parent = nullptr)
      : m_templateId(templateId), m_pParentWnd(parent) {}

  // The value given to EndDialog; -1 when the dialog could not be created or
  // the loop ended on WM_QUIT first. Not reentrant for one object.
  virtual INT_PTR DoModal();
  // Ends the modal loop once the current message is handled. Callable from
  // any handler, also from OnInitDialog (the dialog then never shows).
  void EndDialog(int result);

  // The base runs UpdateData(FALSE) and returns TRUE (focus to the first
  // control that takes it).
  virtual BOOL OnInitDialog();
  virtual void DoDataExchange(CDataExchange*) {}
  BOOL UpdateData(BOOL saveAndValidate = TRUE);
  // IDOK and IDCANCEL clicks, Enter and Escape (through the dialog manager)
  // arrive here; the bases end the dialog with IDOK and IDCANCEL.
  virtual void OnOK();
  virtual void OnCancel();
  // The close box: OnCancel().
  void OnClose() override;

  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

  void NextDlgCtrl() const { SendMessage(WM_NEXTDLGCTL, 0, 0); }

 protected:
  UINT m_templateId;
  CWnd* m_pParentWnd;

 private:
  static INT_PTR CALLBACK BindingDialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  void RunModalLoop();
  BOOL PreTranslateChain(MSG* msg);

  bool m_ended = false;
  INT_PTR m_result = -1;
};
