#include "ui/AboutDlg.h"

#include <windows.h>

#include <shellapi.h>

#include "resources/resource.h"

namespace {

const COLORREF kBackgroundColor = RGB(240, 248, 255);
const COLORREF kCaptionTextColor = RGB(0, 0, 0);
const COLORREF kLinkTextColor = RGB(0, 0, 238);

bool IsMouseMessage(UINT msg) { return msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST; }

}  // namespace

CAboutDlg::CAboutDlg(CWnd* parent) : CDialog(IDD_ABOUT, parent), m_backgroundBrush(kBackgroundColor) {}

void CAboutDlg::DoDataExchange(CDataExchange* dx) {
  CDialog::DoDataExchange(dx);
  DDX_Control(dx, IDC_NOTICE, m_noticeLabel);
  DDX_Control(dx, IDC_SUPPORT_CAPTION, m_supportCaption);
  DDX_Control(dx, IDC_WEBSITE_CAPTION, m_websiteCaption);
  DDX_Control(dx, IDC_SUPPORT_LINK, m_supportLink);
  DDX_Control(dx, IDC_WEBSITE_LINK, m_websiteLink);
}

BOOL CAboutDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  UnderlineLinks();
  m_toolTip.Create(this);
  m_toolTip.AddTool(&m_websiteLink, "Visit Dorvane website");
  m_toolTip.AddTool(&m_supportLink, "Get support of Vantrel");
  m_toolTip.Activate(TRUE);
  return TRUE;
}

void CAboutDlg::UnderlineLinks() {
  LOGFONTA font{};
  if (!::GetObjectA(GetFont(), sizeof font, &font)) return;
  font.lfUnderline = TRUE;
  if (!m_linkFont.CreateFontIndirect(&font)) return;
  m_websiteLink.SetFont(m_linkFont);
  m_supportLink.SetFont(m_linkFont);
}

BOOL CAboutDlg::PreTranslateMessage(MSG* msg) {
  // The tooltip learns where the mouse is only from what it is handed.
  if (IsMouseMessage(msg->message) && m_toolTip.m_hWnd) m_toolTip.RelayEvent(msg);
  return CDialog::PreTranslateMessage(msg);
}

BOOL CAboutDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (HIWORD(wParam) == STN_CLICKED) {
    const char* target = LOWORD(wParam) == IDC_WEBSITE_LINK   ? kWebsiteUrl
                         : LOWORD(wParam) == IDC_SUPPORT_LINK ? kSupportUrl
                                                              : nullptr;
    if (target) {
      ShellExecuteA(nullptr, "open", target, nullptr, nullptr, SW_SHOW);
      return TRUE;
    }
  }
  return CDialog::OnCommand(wParam, lParam);
}

void CAboutDlg::OnPaint() {
  CPaintDC dc(this);
  CRect client;
  GetClientRect(&client);
  dc.FillSolidRect(&client, kBackgroundColor);
}

HBRUSH CAboutDlg::OnCtlColor(CDC* dc, CWnd* control, UINT ctlType) {
  const HBRUSH framework = CDialog::OnCtlColor(dc, control, ctlType);
  if (!control) return framework;
  switch (control->GetDlgCtrlID()) {
    case IDC_WEBSITE_CAPTION:
    case IDC_SUPPORT_CAPTION:
    case IDC_NOTICE:
      dc->SetBkMode(TRANSPARENT);
      dc->SetTextColor(kCaptionTextColor);
      return m_backgroundBrush;
    case IDC_WEBSITE_LINK:
    case IDC_SUPPORT_LINK:
      dc->SetBkMode(TRANSPARENT);
      dc->SetTextColor(kLinkTextColor);
      return m_backgroundBrush;
  }
  return framework;
}
