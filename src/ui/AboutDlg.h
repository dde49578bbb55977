#pragma once
// The About box: the banner, the program's version in the caption, links to
// the maker's web site and to support, and a one-line notice. The banner
// grows with the display's DPI; where the scheme's text would not read on
// the box's pale background, the box takes the scheme's window colour.

#include "controls/ColorLabel.h"
#include "controls/HyperlinkLabel.h"
#include "controls/RoundButton.h"
#include "base/PaleDialog.h"
#include "framework/Gdi.h"

class CAboutDlg : public CPaleDialog {
 public:
  explicit CAboutDlg(CWnd* parent = nullptr);

  static constexpr const char* kWebsiteUrl = "http://www.dorvane.example/";
  static constexpr const char* kSupportUrl = "mailto:support@dorvane.example";

  CColorLabel m_noticeLabel;
  CColorLabel m_supportCaption;
  CColorLabel m_websiteCaption;
  CHyperlinkLabel m_supportLink;
  CHyperlinkLabel m_websiteLink;
  CRoundButton m_okButton;

 protected:
  void ScaleBanner();

  void DoDataExchange(CDataExchange* dx) override;
  BOOL OnInitDialog() override;
  COLORREF BackgroundColor() const override;

 private:
  // Shown by the banner control at DPIs above 96; outlives it.
  CBitmap m_scaledBanner;
};
