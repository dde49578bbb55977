#pragma once
// The icon list of the main window; a file dropped on it is loaded, and a
// tooltip over an icon names its images.

#include <string>

#include "framework/ListCtrl.h"
#include "framework/ToolTipCtrl.h"

class CIconListCtrl : public CListCtrl {
 public:
  void OnDropFiles(HDROP drop) override;

 protected:
  void PreSubclassWindow() override;
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;

 private:
  // The item under the mouse, or -1; its tip text is made when the tooltip asks.
  void TrackHoveredItem(LPARAM point);

  CToolTipCtrl m_tip;
  int m_tipItem = -1;
  // Lives while the tooltip shows it: the tooltip is handed a pointer.
  std::string m_tipText;
};
