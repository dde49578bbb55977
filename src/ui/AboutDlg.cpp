#include "ui/AboutDlg.h"

#include <windows.h>

#include "framework/Gdi.h"
#include "resources/resource.h"

namespace {

const COLORREF kBackgroundColor = RGB(240, 248, 255);

}  // namespace

CAboutDlg::CAboutDlg(CWnd* parent) : CDialog(IDD_ABOUT, parent) {}

void CAboutDlg::DoDataExchange(CDataExchange* dx) {
  CDialog::DoDataExchange(dx);
  DDX_Control(dx, IDC_NOTICE, m_noticeLabel);
  DDX_Control(dx, IDC_SUPPORT_CAPTION, m_supportCaption);
  DDX_Control(dx, IDC_WEBSITE_CAPTION, m_websiteCaption);
  DDX_Control(dx, IDC_SUPPORT_LINK, m_supportLink);
  DDX_Control(dx, IDC_WEBSITE_LINK, m_websiteLink);
  DDX_Control(dx, IDOK, m_okButton);
}

BOOL CAboutDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  m_websiteLink.SetUrl(kWebsiteUrl);
  m_websiteLink.SetUnderline(1);
  m_websiteLink.SetTipText("Visit Dorvane website");
  m_websiteLink.SetBackgroundColor(kBackgroundColor);
  m_supportLink.SetUrl(kSupportUrl);
  m_supportLink.SetUnderline(1);
  m_supportLink.SetTipText("Get support of Vantrel");
  m_supportLink.SetBackgroundColor(kBackgroundColor);
  m_websiteCaption.SetBackgroundColor(kBackgroundColor);
  m_supportCaption.SetBackgroundColor(kBackgroundColor);
  m_noticeLabel.SetBackgroundColor(kBackgroundColor);
  return TRUE;
}

void CAboutDlg::OnPaint() {
  CPaintDC dc(this);
  CRect client;
  GetClientRect(&client);
  dc.FillSolidRect(&client, kBackgroundColor);
}
