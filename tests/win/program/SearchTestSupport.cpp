#include "SearchTestSupport.h"

namespace searchtest {

namespace {

// A search's end as the tests see it: the labels as they were shown last.
class LabelKeepingDlg : public SearchDlg {
 public:
  using SearchDlg::SearchDlg;
  std::string* fileLabel;
  std::string* iconLabel;
  std::string* endedEarly;

 protected:
  void OnWorkerEnded() override {
    SearchDlg::OnWorkerEnded();
    *fileLabel = WindowText(m_fileCountLabel.m_hWnd);
    *iconLabel = WindowText(m_iconCount.m_hWnd);
    *endedEarly = EndedEarlyBecause() ? EndedEarlyBecause() : "";
  }
};

}  // namespace

std::string MakeFolder(const std::string& parent, const std::string& name) {
  const std::string path = parent + "\\" + name;
  CreateDirectoryA(path.c_str(), nullptr);
  return path;
}

void SearchTest::SetUp() {
  AppTest::SetUp();
  TheApp().WriteDefaultSettings();
  host.Bind(Icons());
  tree = MakeFolder(folder.Path(), "tree");
}

INT_PTR SearchTest::Search(const std::string& root, std::vector<std::function<void(SearchDlg&)>> steps) {
  LabelKeepingDlg dialog(Icons(), TheApp().m_config);
  dialog.fileLabel = &fileLabel;
  dialog.iconLabel = &iconLabel;
  dialog.endedEarly = &endedEarly;
  lstrcpynA(dialog.m_folder, root.c_str(), MAX_PATH);
  dialog.m_checked = TRUE;
  for (auto& step : steps) dialog.steps.push_back([&dialog, step] { step(dialog); });
  dialog.steps.push_back([&dialog] { dialog.RunAgainLater(); });
  return dialog.DoModal();
}

std::vector<std::string> SearchTest::LoadedPaths() {
  std::vector<std::string> paths;
  for (int i = 0; i < Icons().GetCount(); ++i) paths.push_back(Icons().GetSource(i)->Path());
  return paths;
}

void SearchTest::ExpectCollectionHolds(int count) {
  EXPECT_EQ(Icons().GetCount(), count);
  EXPECT_EQ(host.list.GetItemCount(), count);
  // The last icon's picture is made from its source like any other.
  if (count > 0) {
    const COLORREF centre = host.ShownCentre(count - 1, true);
    EXPECT_NE(centre, CLR_INVALID);
    EXPECT_NE(centre, ListViewHost::kUnreadableMark);
  }
}

}  // namespace searchtest
