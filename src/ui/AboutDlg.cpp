#include "ui/AboutDlg.h"

#include <windows.h>

#include "controls/DisplayScale.h"
#include "controls/SchemeColors.h"
#include "resources/resource.h"

namespace {

const COLORREF kBackgroundColor = RGB(240, 248, 255);
// At 96 DPI; the larger picture is twice this.
const int kBannerWidth = 222;
const int kBannerHeight = 104;
const int kLargeBannerDpi = 192;

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
  ScaleBanner();
  return TRUE;
}

// Drawn from the picture made for 192 DPI, smoothed where it is not the size wanted.
void CAboutDlg::ScaleBanner() {
  const int dpi = DisplayDpi();
  if (dpi <= 96) return;
  CBitmap large;
  if (!large.LoadBitmap(IDB_BANNER_2X)) return;
  const int width = ScaleToDpi(kBannerWidth, dpi);
  const int height = ScaleToDpi(kBannerHeight, dpi);
  if (dpi == kLargeBannerDpi) {
    m_scaledBanner.Attach(large.Detach());
  } else {
    CClientDC screen(nullptr);
    CDC from;
    CDC to;
    if (!from.CreateCompatibleDC(&screen) || !to.CreateCompatibleDC(&screen) ||
        !m_scaledBanner.CreateCompatibleBitmap(&screen, width, height))
      return;
    const HGDIOBJ fromBefore = from.SelectObject(large);
    const HGDIOBJ toBefore = to.SelectObject(m_scaledBanner);
    ::SetStretchBltMode(to, HALFTONE);
    ::SetBrushOrgEx(to, 0, 0, nullptr);
    ::StretchBlt(to, 0, 0, width, height, from, 0, 0, 2 * kBannerWidth, 2 * kBannerHeight, SRCCOPY);
    from.SelectObject(fromBefore);
    to.SelectObject(toBefore);
  }
  // The control lets go of the picture it loaded itself; that one is ours to free.
  const auto own = reinterpret_cast<HGDIOBJ>(SendDlgItemMessage(IDC_BANNER, STM_SETIMAGE, IMAGE_BITMAP,
                                                                reinterpret_cast<LPARAM>(m_scaledBanner.m_hObject)));
  if (own) ::DeleteObject(own);
}

void CAboutDlg::OnPaint() {
  CPaintDC dc(this);
  CRect client;
  GetClientRect(&client);
  const bool scheme = NeedsSchemeColors({kBackgroundColor}, ::GetSysColor(COLOR_WINDOWTEXT));
  dc.FillSolidRect(&client, scheme ? ::GetSysColor(COLOR_WINDOW) : kBackgroundColor);
}
