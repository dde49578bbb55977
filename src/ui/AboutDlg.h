#pragma once
// The About box: the banner, the program's version in the caption, links to
// the maker's web site and to support, and a one-line notice.

#include "framework/Dialog.h"
#include "framework/Gdi.h"
#include "framework/Static.h"
#include "framework/ToolTipCtrl.h"

class CAboutDlg : public CDialog {
 public:
  explicit CAboutDlg(CWnd* parent = nullptr);

  static constexpr const char* kWebsiteUrl = "http://www.dorvane.example/";
  static constexpr const char* kSupportUrl = "mailto:support@dorvane.example";

  CStatic m_noticeLabel;
  CStatic m_supportCaption;
  CStatic m_websiteCaption;
  CStatic m_supportLink;
  CStatic m_websiteLink;
  CToolTipCtrl m_toolTip;
  CBrush m_backgroundBrush;
  CFont m_linkFont;

 protected:
  void DoDataExchange(CDataExchange* dx) override;
  BOOL OnInitDialog() override;
  BOOL PreTranslateMessage(MSG* msg) override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  void OnPaint() override;
  HBRUSH OnCtlColor(CDC* dc, CWnd* control, UINT ctlType) override;

 private:
  void UnderlineLinks();
};
