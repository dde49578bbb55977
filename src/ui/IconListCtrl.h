#pragma once
// The icon list of the main window, an owner-data list view: it shows the
// collection's pictures and ticks, toggles a tick by its check box or Space,
// loads a file dropped on it, and a tooltip over an icon names its images.

#include <string>

#include "collection/IconCollection.h"
#include "framework/ListCtrl.h"
#include "framework/ToolTipCtrl.h"

class CIconListCtrl : public CListCtrl {
 public:
  // The collection whose icons the list shows; the list asks it for ticks.
  void ShowIcons(CIconCollection* icons);
  void OnDropFiles(HDROP drop) override;

 protected:
  void PreSubclassWindow() override;
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
  BOOL OnChildNotify(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

 private:
  // Toggles the tick of an icon, if there is one at that index.
  void ToggleTick(int index);
  // The item next to `from` in the icon views' grid towards an arrow key, or -1.
  int NeighbourOf(int from, UINT key) const;

  // The item under the mouse, or -1; its tip text is made when the tooltip asks.
  void TrackHoveredItem(LPARAM point);

  CIconCollection* m_icons = nullptr;
  CToolTipCtrl m_tip;
  int m_tipItem = -1;
  // Lives while the tooltip shows it: the tooltip is handed a pointer.
  std::string m_tipText;
};
