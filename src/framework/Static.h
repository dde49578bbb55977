#pragma once
// A static text or picture control; a base for labels that colour themselves
// through reflected WM_CTLCOLORSTATIC (override CtlColor).

#include "framework/Wnd.h"

class CStatic : public CWnd {};
