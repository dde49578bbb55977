#pragma once
// The icon list of the main window; a file dropped on it is loaded.

#include "framework/ListCtrl.h"

class CIconListCtrl : public CListCtrl {
 public:
  void OnDropFiles(HDROP drop) override;
};
