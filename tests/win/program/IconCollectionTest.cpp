// The collection with real views: record i, image i of both lists and item i
// always belong to the same icon; the running count, the count label and the
// emptying sequence.

#include <gtest/gtest.h>

#include "ProgramTestSupport.h"

namespace {

const COLORREF kColours[] = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255)};

std::string WindowText(HWND hwnd) {
  char text[256] = {};
  GetWindowTextA(hwnd, text, sizeof text);
  return text;
}

class IconCollectionTest : public ::testing::Test {
 protected:
  IconCollectionTest() { host.Bind(icons); }
  // Appends a record and its icon as the loader does.
  void Append(int colour, BOOL checked = TRUE) {
    auto* source = new IconSource;
    source->SetPath(("C:\\icons\\" + std::to_string(colour) + ".ico").c_str());
    const int index = icons.GetCount();
    icons.m_sources.SetAtGrow(index, source);
    const HICON icon = MakeSolidIcon(kColours[colour]);
    icons.AddIcon(icon, index, checked);
    DestroyIcon(icon);
  }
  // Record, both images and item `index` all show icon `colour`.
  void ExpectInStep(int index, int colour) {
    SCOPED_TRACE("entry " + std::to_string(index));
    EXPECT_EQ(std::string(icons.GetSource(index)->m_path), "C:\\icons\\" + std::to_string(colour) + ".ico");
    EXPECT_TRUE(SameColour(CentreColour(host.large, index), kColours[colour]));
    EXPECT_TRUE(SameColour(CentreColour(host.small, index), kColours[colour]));
    char text[32] = "not empty";
    LVITEMA item = {};
    item.mask = LVIF_IMAGE | LVIF_TEXT;
    item.iItem = index;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    ASSERT_TRUE(host.list.SendMessage(LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    EXPECT_EQ(item.iImage, index);
    EXPECT_STREQ(text, "");
  }
  ListViewHost host;
  CIconCollection icons;
};

TEST_F(IconCollectionTest, EachAddKeepsRecordImageAndItemInStepScrollsAndCounts) {
  icons.SetCountLabel(&host.label);
  Append(0, TRUE);
  EXPECT_EQ(WindowText(host.label), "1");
  Append(1, FALSE);
  Append(2, TRUE);
  EXPECT_EQ(WindowText(host.label), "3");
  ASSERT_EQ(icons.GetCount(), 3);
  ASSERT_EQ(host.large.GetImageCount(), 3);
  ASSERT_EQ(host.small.GetImageCount(), 3);
  ASSERT_EQ(host.list.GetItemCount(), 3);
  for (int i = 0; i < 3; ++i) ExpectInStep(i, i);
  EXPECT_TRUE(host.list.GetCheck(0));
  EXPECT_FALSE(host.list.GetCheck(1));
  EXPECT_TRUE(host.list.GetCheck(2));
  // Each add scrolls by the number of icons added before it.
  EXPECT_EQ(host.list.scrolls, (std::vector<std::pair<int, int>>{{0, 0}, {0, 1}, {0, 2}}));
  icons.SetCountLabel(nullptr);
  Append(0);
  EXPECT_EQ(WindowText(host.label), "3");
}

TEST_F(IconCollectionTest, ClearDeletesRecordsAndUnbindsTheLabelButLeavesViewsCountAndSavedFlag) {
  icons.SetCountLabel(&host.label);
  icons.Clear();
  EXPECT_EQ(icons.m_countLabel, nullptr);
  icons.SetCountLabel(&host.label);
  Append(0);
  Append(1);
  icons.m_saved = FALSE;
  icons.Clear();
  EXPECT_EQ(icons.GetCount(), 0);
  EXPECT_EQ(icons.m_countLabel, nullptr);
  EXPECT_EQ(icons.m_addedCount, 2);
  EXPECT_FALSE(icons.m_saved);
  EXPECT_EQ(icons.m_listView, &host.list);
  EXPECT_EQ(host.list.GetItemCount(), 2);
  EXPECT_EQ(host.large.GetImageCount(), 2);
  EXPECT_EQ(host.small.GetImageCount(), 2);
  Append(2);
  EXPECT_EQ(WindowText(host.label), "2");
}

TEST_F(IconCollectionTest, EmptyingWithViewsEmptiesEverythingAndTheCountGoesOn) {
  Append(0);
  Append(1);
  icons.EmptyWithViews(&host.pathBox);
  EXPECT_EQ(host.list.GetItemCount(), 0);
  EXPECT_EQ(host.large.GetImageCount(), 0);
  EXPECT_EQ(host.small.GetImageCount(), 0);
  EXPECT_EQ(icons.GetCount(), 0);
  EXPECT_EQ(WindowText(host.pathBox), "");
  host.list.scrolls.clear();
  icons.SetCountLabel(&host.label);
  Append(2);
  EXPECT_EQ(WindowText(host.label), "3");
  EXPECT_EQ(host.list.scrolls, (std::vector<std::pair<int, int>>{{0, 2}}));
  ASSERT_EQ(icons.GetCount(), 1);
  ASSERT_EQ(host.list.GetItemCount(), 1);
  ExpectInStep(0, 2);
}

}  // namespace
