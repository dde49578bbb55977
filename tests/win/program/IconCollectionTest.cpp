// The collection with real views: record i, image i of both lists and item i
// always belong to the same icon; the running count, the count label and the
// emptying sequence.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ProgramTestSupport.h"
#include "collection/IconCollection.h"

namespace {

const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kGreen = RGB(0, 255, 0);
const COLORREF kBlue = RGB(0, 0, 255);

std::string WindowText(HWND hwnd) {
  char text[256] = {};
  GetWindowTextA(hwnd, text, sizeof text);
  return text;
}

class IconCollectionTest : public ::testing::Test {
 protected:
  IconCollectionTest() { host.Bind(icons); }

  // Appends a record and its icon as the loader does.
  void Append(COLORREF colour, const std::string& path, BOOL checked = TRUE) {
    auto* source = new IconSource;
    source->SetPath(path.c_str());
    const int index = icons.GetCount();
    icons.m_sources.SetAtGrow(index, source);
    const HICON icon = MakeSolidIcon(colour);
    icons.AddIcon(icon, index, checked);
    DestroyIcon(icon);
  }

  ListViewHost host;
  CIconCollection icons;
};

TEST_F(IconCollectionTest, RecordImageAndItemIOfTheSameIconShareIndexI) {
  const COLORREF colours[] = {kRed, kGreen, kBlue};
  for (int i = 0; i < 3; ++i) Append(colours[i], "C:\\icons\\" + std::to_string(i) + ".ico");

  ASSERT_EQ(icons.GetCount(), 3);
  ASSERT_EQ(host.large.GetImageCount(), 3);
  ASSERT_EQ(host.small.GetImageCount(), 3);
  ASSERT_EQ(host.list.GetItemCount(), 3);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(std::string(icons.GetSource(i)->m_path), "C:\\icons\\" + std::to_string(i) + ".ico");
    EXPECT_TRUE(SameColour(CentreColour(host.large, i), colours[i])) << "large image " << i;
    EXPECT_TRUE(SameColour(CentreColour(host.small, i), colours[i])) << "small image " << i;
    LVITEMA item = {};
    item.mask = LVIF_IMAGE;
    item.iItem = i;
    ASSERT_TRUE(host.list.SendMessage(LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    EXPECT_EQ(item.iImage, i);
  }
}

TEST_F(IconCollectionTest, ItemsHaveNoTextAndTheCheckStateTheyWereAddedWith) {
  Append(kRed, "C:\\a.ico", TRUE);
  Append(kGreen, "C:\\b.ico", FALSE);
  Append(kBlue, "C:\\c.ico", TRUE);

  EXPECT_TRUE(host.list.GetCheck(0));
  EXPECT_FALSE(host.list.GetCheck(1));
  EXPECT_TRUE(host.list.GetCheck(2));
  for (int i = 0; i < 3; ++i) {
    char text[32] = "not empty";
    LVITEMA item = {};
    item.iSubItem = 0;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    host.list.SendMessage(LVM_GETITEMTEXTA, i, reinterpret_cast<LPARAM>(&item));
    EXPECT_STREQ(text, "");
  }
}

TEST_F(IconCollectionTest, EachAddScrollsByTheNumberOfIconsAddedBefore) {
  Append(kRed, "C:\\a.ico");
  Append(kGreen, "C:\\b.ico");
  Append(kBlue, "C:\\c.ico");

  const std::vector<std::pair<int, int>> expected = {{0, 0}, {0, 1}, {0, 2}};
  EXPECT_EQ(host.list.scrolls, expected);
  EXPECT_EQ(icons.m_addedCount, 3);
}

TEST_F(IconCollectionTest, BoundCountLabelShowsTheRunningTotal) {
  icons.SetCountLabel(&host.label);

  Append(kRed, "C:\\a.ico");
  EXPECT_EQ(WindowText(host.label), "1");
  Append(kGreen, "C:\\b.ico");
  EXPECT_EQ(WindowText(host.label), "2");
}

TEST_F(IconCollectionTest, UnboundLabelKeepsItsText) {
  icons.SetCountLabel(&host.label);
  icons.SetCountLabel(nullptr);

  Append(kRed, "C:\\a.ico");

  EXPECT_EQ(WindowText(host.label), "untouched");
}

TEST_F(IconCollectionTest, ClearDeletesRecordsAndUnbindsTheLabelButLeavesViewsAndCount) {
  icons.SetCountLabel(&host.label);
  Append(kRed, "C:\\a.ico");
  Append(kGreen, "C:\\b.ico");

  icons.Clear();

  EXPECT_EQ(icons.GetCount(), 0);
  EXPECT_EQ(icons.m_countLabel, nullptr);
  EXPECT_EQ(icons.m_addedCount, 2);
  EXPECT_EQ(host.list.GetItemCount(), 2);
  EXPECT_EQ(host.large.GetImageCount(), 2);
  EXPECT_EQ(host.small.GetImageCount(), 2);
  Append(kBlue, "C:\\c.ico");
  EXPECT_EQ(WindowText(host.label), "2");
}

TEST_F(IconCollectionTest, ClearOnAnEmptyCollectionOnlyUnbindsTheLabel) {
  icons.SetCountLabel(&host.label);
  icons.m_saved = FALSE;

  icons.Clear();

  EXPECT_EQ(icons.m_countLabel, nullptr);
  EXPECT_EQ(icons.GetCount(), 0);
  EXPECT_FALSE(icons.m_saved);
  EXPECT_EQ(icons.m_listView, &host.list);
}

TEST_F(IconCollectionTest, EmptyingWithViewsEmptiesItemsImagesRecordsAndPathBox) {
  Append(kRed, "C:\\a.ico");
  Append(kGreen, "C:\\b.ico");
  Append(kBlue, "C:\\c.ico");

  icons.EmptyWithViews(&host.pathBox);

  EXPECT_EQ(host.list.GetItemCount(), 0);
  EXPECT_EQ(host.large.GetImageCount(), 0);
  EXPECT_EQ(host.small.GetImageCount(), 0);
  EXPECT_EQ(icons.GetCount(), 0);
  EXPECT_EQ(WindowText(host.pathBox), "");
}

TEST_F(IconCollectionTest, AfterEmptyingTheCountGoesOnFromTheOldTotal) {
  Append(kRed, "C:\\a.ico");
  Append(kGreen, "C:\\b.ico");
  icons.EmptyWithViews(&host.pathBox);
  host.list.scrolls.clear();
  icons.SetCountLabel(&host.label);

  Append(kBlue, "C:\\c.ico");

  EXPECT_EQ(WindowText(host.label), "3");
  const std::vector<std::pair<int, int>> expected = {{0, 2}};
  EXPECT_EQ(host.list.scrolls, expected);
  // The new icon is entry 0 in all four places again.
  EXPECT_EQ(icons.GetCount(), 1);
  EXPECT_EQ(host.list.GetItemCount(), 1);
  EXPECT_TRUE(SameColour(CentreColour(host.large, 0), kBlue));
  EXPECT_TRUE(SameColour(CentreColour(host.small, 0), kBlue));
}

}  // namespace
