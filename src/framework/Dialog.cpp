#include "framework/Dialog.h"

#include "framework/WinApp.h"

void DDX_Control(CDataExchange* dx, int id, CWnd& control) {
  if (!dx || !dx->m_pDlgWnd || control.m_hWnd) return;
  control.SubclassWindow(::GetDlgItem(dx->m_pDlgWnd->m_hWnd, id));
}

INT_PTR CALLBACK CDialog::BindingDialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  // Every later message reaches this procedure only through Default(), where
  // FALSE lets the dialog manager do its part.
  if (msg != WM_INITDIALOG) return FALSE;
  auto* dialog = reinterpret_cast<CDialog*>(lParam);
  if (!dialog || dialog->m_hWnd == hwnd || !dialog->SubclassWindow(hwnd)) return FALSE;
  return dialog->Dispatch(msg, wParam, lParam);
}

INT_PTR CDialog::DoModal() {
  if (m_hWnd) return -1;
  HWND owner = m_pParentWnd && m_pParentWnd->m_hWnd ? ::GetAncestor(m_pParentWnd->m_hWnd, GA_ROOT)
                                                    : AfxGetModalOwner();
  const bool disableOwner = owner && ::IsWindowEnabled(owner);
  if (disableOwner) ::EnableWindow(owner, FALSE);

  m_ended = false;
  m_result = -1;
  HWND hwnd = ::CreateDialogParamA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(m_templateId), owner,
                                   &CDialog::BindingDialogProc, reinterpret_cast<LPARAM>(this));
  if (hwnd && m_hWnd == hwnd) {
    if (!m_ended) {
      ::ShowWindow(hwnd, SW_SHOWNORMAL);
      RunModalLoop();
    }
    ::SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                   SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
  }
  if (disableOwner) ::EnableWindow(owner, TRUE);
  if (hwnd) {
    if (owner && ::GetActiveWindow() == hwnd) ::SetActiveWindow(owner);
    ::DestroyWindow(hwnd);
  }
  return m_ended ? m_result : -1;
}

void CDialog::RunModalLoop() {
  MSG msg;
  while (!m_ended) {
    const BOOL got = ::GetMessageA(&msg, nullptr, 0, 0);
    if (got == -1) break;
    if (got == 0) {
      ::PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (PreTranslateChain(&msg)) continue;
    if (::IsDialogMessageA(m_hWnd, &msg)) continue;
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
  }
}

BOOL CDialog::PreTranslateChain(MSG* msg) {
  // Only this dialog's own windows get a say; messages for other windows of
  // the thread (an owner's timer, a tooltip) pass straight on.
  if (msg->hwnd != m_hWnd && !::IsChild(m_hWnd, msg->hwnd)) return FALSE;
  for (HWND hwnd = msg->hwnd; hwnd; hwnd = ::GetParent(hwnd)) {
    CWnd* wnd = FromHandlePermanent(hwnd);
    if (wnd && wnd->PreTranslateMessage(msg)) return TRUE;
    if (hwnd == m_hWnd) break;
  }
  return FALSE;
}

void CDialog::EndDialog(int result) {
  m_result = result;
  m_ended = true;
  // Wakes the loop when this was called from a message that GetMessage served
  // internally (one sent by another thread).
  if (m_hWnd) ::PostMessageA(m_hWnd, WM_NULL, 0, 0);
}

BOOL CDialog::OnInitDialog() {
  UpdateData(FALSE);
  return TRUE;
}

BOOL CDialog::UpdateData(BOOL saveAndValidate) {
  CDataExchange dx(this, saveAndValidate);
  DoDataExchange(&dx);
  return TRUE;
}

void CDialog::OnOK() { EndDialog(IDOK); }
void CDialog::OnCancel() { EndDialog(IDCANCEL); }
void CDialog::OnClose() { OnCancel(); }

LRESULT CDialog::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_INITDIALOG) return OnInitDialog();
  return CWnd::WindowProc(msg, wParam, lParam);
}

BOOL CDialog::OnCommand(WPARAM wParam, LPARAM) {
  if (HIWORD(wParam) != BN_CLICKED) return FALSE;
  switch (LOWORD(wParam)) {
    case IDOK:
      OnOK();
      return TRUE;
    case IDCANCEL:
      OnCancel();
      return TRUE;
    default:
      return FALSE;
  }
}
