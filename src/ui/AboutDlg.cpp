#include "ui/AboutDlg.h"

#include <windows.h>

#include "controls/DisplayScale.h"
#include "controls/SchemeColors.h"
#include "resources/resource.h"

namespace {

// At 96 DPI; the larger picture is twice this.
const int kBannerWidth = 222;
const int kBannerHeight = 104;
const int kLargeBannerDpi = 192;

}  // namespace

CAboutDlg::CAboutDlg(CWnd* parent) : CPaleDialog(IDD_ABOUT, parent) {}

void CAboutDlg::DoDataExchange(CDataExchange* dx) {
  CPaleDialog::DoDataExchange(dx);
  DDX_Control(dx, IDC_NOTICE, m_noticeLabel);
  DDX_Control(dx, IDC_SUPPORT_CAPTION, m_supportCaption);
  DDX_Control(dx, IDC_WEBSITE_CAPTION, m_websiteCaption);
  DDX_Control(dx, IDC_SUPPORT_LINK, m_supportLink);
  DDX_Control(dx, IDC_WEBSITE_LINK, m_websiteLink);
  DDX_Control(dx, IDOK, m_okButton);
}

BOOL CAboutDlg::OnInitDialog() {
  CPaleDialog::OnInitDialog();
  m_websiteLink.SetUrl(kWebsiteUrl);
  m_websiteLink.SetUnderline(CHyperlinkLabel::kUnderlineAlways);
  m_websiteLink.SetTipText("Visit Dorvane website");
  m_websiteLink.SetBackgroundColor(kPaleColor);
  m_supportLink.SetUrl(kSupportUrl);
  m_supportLink.SetUnderline(CHyperlinkLabel::kUnderlineAlways);
  m_supportLink.SetTipText("Get support of Vantrel");
  m_supportLink.SetBackgroundColor(kPaleColor);
  m_websiteCaption.SetBackgroundColor(kPaleColor);
  m_supportCaption.SetBackgroundColor(kPaleColor);
  m_noticeLabel.SetBackgroundColor(kPaleColor);
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

COLORREF CAboutDlg::BackgroundColor() const {
  return NeedsSchemeColors({kPaleColor}, ::GetSysColor(COLOR_WINDOWTEXT)) ? ::GetSysColor(COLOR_WINDOW) : kPaleColor;
}
