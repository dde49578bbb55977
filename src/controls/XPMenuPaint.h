#pragma once
// Paints one item of a flat menu bar or drop-down menu from its state alone.

#include <windows.h>

#include "controls/XPMenuColors.h"
#include "controls/XPMenuItem.h"

class CDC;

// A zero low byte of the item's data word marks a menu-bar item. The DC
// should have the menu font selected.
void PaintXPMenuItem(CDC& dc, const DRAWITEMSTRUCT& draw, const CXPMenuItem& item, const CXPMenuColors& colors);
