#pragma once
// The application: one copy at a time (a second start hands the paths on its
// command line to the first), Config.ini beside the executable, and the main
// window run until the user closes it.

#include <string>
#include <vector>

#include "base/ConfigFile.h"
#include "collection/IconCollection.h"
#include "framework/WinApp.h"

class CMainApp : public CWinApp {
 public:
  BOOL InitInstance() override;

  // Writes the fourteen settings with their defaults, in their fixed order.
  void WriteDefaultSettings();

  CConfigFile m_config;
  CIconCollection m_icons;

 protected:
  // Shows the main window, which opens the paths once it shows, until the
  // user closes it. The product's application object does; a test's does not.
  virtual void RunMainWindow(const std::vector<std::string>& paths) { (void)paths; }
};

// The executable's folder, without a trailing backslash.
CString GetModuleFolder();

// The one application object.
CMainApp& TheApp();
