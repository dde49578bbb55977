#pragma once
// The main window run inside the test process as the application's main
// window (so the dialogs its commands open belong to it), with icons loaded
// from .ico files written for each test, and its commands sent as the menu
// sends them.

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "CommandsTestSupport.h"
#include "ProgramTestSupport.h"
#include "app/FilterSettings.h"
#include "support/IconBuilder.h"
#include "ui/resource.h"

constexpr int kCommandScriptDone = 4646;

class MainWindowCommandTest : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    TheApp().WriteDefaultSettings();
    TheApp().m_pMainWnd = &dlg;
  }
  void TearDown() override {
    TheApp().m_pMainWnd = nullptr;
    AppTest::TearDown();
  }

  CIconCollection& Icons() { return TheApp().m_icons; }
  std::string Raw(const char* section, const char* key) const {
    char value[300] = {};
    GetPrivateProfileStringA(section, key, "<missing>", value, sizeof value, configPath.c_str());
    return value;
  }

  // Loads `count` one-icon .ico files as Add File does, and marks them unsaved.
  void LoadUnsavedIcons(int count) {
    for (int i = 0; i < count; ++i) {
      const std::string path = folder.File("icon" + std::to_string(m_written++) + ".ico");
      WriteBytes(path, BuildSolidIcoFile({RGB(40 * i, 0, 255)}));
      ReadFilterSettings(TheApp().m_config, Icons());
      Icons().LoadFromFile(path.c_str(), dlg.SelectAllChecked());
    }
    Icons().m_saved = FALSE;
  }
  // Shows the source of the first icon in the path box, as a click does.
  void ClickFirstIcon() {
    NMITEMACTIVATE click = {};
    click.hdr.hwndFrom = dlg.m_iconList.m_hWnd;
    click.hdr.idFrom = IDC_ICON_LIST;
    click.hdr.code = NM_CLICK;
    click.iItem = 0;
    dlg.SendMessage(WM_NOTIFY, IDC_ICON_LIST, reinterpret_cast<LPARAM>(&click));
  }
  int CheckedItems() const {
    int checked = 0;
    for (int i = 0; i < dlg.m_iconList.GetItemCount(); ++i) checked += dlg.m_iconList.GetCheck(i) ? 1 : 0;
    return checked;
  }
  // The command as its menu item sends it; returns when the command is done.
  void Command(UINT id) { dlg.SendMessage(WM_COMMAND, MAKEWPARAM(id, 0), 0); }

  void Then(std::function<void()> step) { dlg.steps.push_back(std::move(step)); }
  // Runs the steps; ends with kCommandScriptDone unless a step ended the window.
  INT_PTR Run() {
    Then([this] { dlg.EndDialog(kCommandScriptDone); });
    return dlg.DoModal();
  }

  ScriptedMainDlg dlg;

 private:
  int m_written = 0;
};
