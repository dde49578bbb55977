#pragma once
// One menu item as the flat menus measure and draw it: what the system holds
// about it, and the text and image the menu module keeps for it (an
// owner-drawn item no longer carries its text).

#include <windows.h>
#include <commctrl.h>

#include <string>

class CXPMenuItem {
 public:
  CXPMenuItem(const MENUITEMINFOA& info, std::string text, HIMAGELIST imageList = nullptr, int imageIndex = 0)
      : m_info(info), m_text(std::move(text)), m_imageList(imageList), m_imageIndex(imageIndex) {}

  bool IsSeparator() const { return (m_info.fType & MFT_SEPARATOR) != 0; }
  bool IsRadio() const { return (m_info.fType & MFT_RADIOCHECK) != 0; }
  bool IsChecked() const { return (m_info.fState & MFS_CHECKED) != 0; }
  bool IsDisabled() const { return (m_info.fState & MFS_GRAYED) == MFS_GRAYED; }
  bool IsDefault() const { return (m_info.fState & MFS_DEFAULT) != 0; }
  bool HasImage() const { return m_imageList && m_imageIndex != -1; }
  // The text before the first tab, and after it.
  std::string Label() const { return m_text.substr(0, m_text.find('\t')); }
  std::string Accelerator() const {
    const size_t tab = m_text.find('\t');
    return tab == std::string::npos ? std::string() : m_text.substr(tab + 1);
  }

  MENUITEMINFOA m_info;
  std::string m_text;
  HIMAGELIST m_imageList;
  int m_imageIndex;
};
