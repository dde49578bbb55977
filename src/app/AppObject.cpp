// The product's one application object, the start-up that opens the main
// window; test programs make their own.
#include "app/MainApp.h"
#include "ui/MainDlg.h"

namespace {

class CVantrelApp : public CMainApp {
 protected:
  void RunMainWindow(const std::vector<std::string>& paths) override {
    CMainDlg mainWindow;
    mainWindow.QueuePaths(paths);
    m_pMainWnd = &mainWindow;
    mainWindow.DoModal();
    m_pMainWnd = nullptr;
  }
};

}  // namespace

CVantrelApp theApp;
