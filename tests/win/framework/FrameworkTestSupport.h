#pragma once
// Shared pieces of the framework tests: a plain top-level window and the
// test dialog run under script.

#include <windows.h>

#include "FrameworkTestIds.h"
#include "framework/Dialog.h"
#include "framework/Wnd.h"
#include "support/ScriptedDialog.h"

// A visible top-level window to act as owner or parent.
class HostWindow : public CWnd {
 public:
  HostWindow();
};

class FrameworkDialog : public ScriptedDialog<CDialog> {
 public:
  explicit FrameworkDialog(CWnd* parent = nullptr) : ScriptedDialog<CDialog>(IDD_FRAMEWORK_TEST, parent) {}
};
