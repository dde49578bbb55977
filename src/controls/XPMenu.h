#pragma once
// Flat menus for a window's menu bar and drop-down menus (its system menu
// too). Items are switched to owner-drawn and the module keeps their texts and
// command images; the owning window routes WM_INITMENUPOPUP (after its default
// processing), WM_MEASUREITEM, WM_DRAWITEM and WM_MENUCHAR here. Everything
// runs on the user-interface thread.

#include <windows.h>
#include <commctrl.h>

#include "controls/DisplayScale.h"

class CWnd;

class CXPMenu {
 public:
  CXPMenu() = delete;

  // Switching the look off also forgets the window's command images: call
  // it before the window and its image list go.
  static void SetXPLook(CWnd* window, bool enable);
  static bool HasXPLook(CWnd* window);
  static void UpdateMenuBar(CWnd* window);
  // Converts the items not yet owner-drawn and, for a drop-down menu, packs
  // the measurements of all its items into their data words.
  static void UpdateMenu(CWnd* owner, HMENU menu, bool enabled, bool isMenuBar);
  static bool IsMenuOwnerDrawn(HMENU menu);
  // The image drawn beside a command in owner's menus; owner keeps the list
  // alive until it switches the look off.
  static void SetCommandImage(CWnd* owner, UINT commandId, HIMAGELIST list, int index);

  static void MeasureItem(MEASUREITEMSTRUCT* measure);
  // False for anything but a menu item: the owner then draws it its own way.
  static bool DrawItem(DRAWITEMSTRUCT* draw, HWND owner);
  static LRESULT MenuChar(HMENU menu, UINT character, UINT flags);

  // The data word of a drop-down item: widest label (16 bits), widest
  // accelerator (8 bits) and item height (8 bits).
  static DWORD PackItemData(int labelWidth, int acceleratorWidth, int height);
  // Room for the text or the command image (16 pixels at 96 DPI), whichever is taller.
  static int ItemHeight(int fontHeight, int dpi) {
    const int image = ScaleToDpi(16, dpi);
    return (fontHeight + 2 > image ? fontHeight + 2 : image) + ScaleToDpi(4, dpi);
  }
  static int SeparatorHeight(int fontHeight) { return fontHeight / 2 + 2; }
};
