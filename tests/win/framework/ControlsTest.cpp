// Control wrappers against the real common controls.

#include <gtest/gtest.h>

#include <string>

#include "FrameworkTestSupport.h"
#include "framework/ComboBox.h"
#include "framework/ImageList.h"
#include "framework/ListCtrl.h"
#include "framework/ToolTipCtrl.h"

namespace {

HICON SystemIcon() { return ::LoadIconA(nullptr, MAKEINTRESOURCEA(32512)); }  // IDI_APPLICATION

class ControlsTest : public ::testing::Test {
 protected:
  HostWindow host;
};

TEST_F(ControlsTest, ImageListCountsFollowAddsAndRemoves) {
  CImageList images;
  ASSERT_TRUE(images.Create(16, 16, ILC_COLOR8 | ILC_MASK, 8, 1));

  EXPECT_EQ(images.Add(SystemIcon()), 0);
  EXPECT_EQ(images.Add(SystemIcon()), 1);
  EXPECT_EQ(images.Add(SystemIcon()), 2);
  EXPECT_EQ(images.GetImageCount(), 3);

  EXPECT_TRUE(images.Remove(2));
  EXPECT_TRUE(images.Remove(0));
  EXPECT_EQ(images.GetImageCount(), 1);
  EXPECT_FALSE(images.Remove(5));
}

TEST_F(ControlsTest, ImageListOutlivesTheListViewThatShowedIt) {
  CImageList images;
  ASSERT_TRUE(images.Create(32, 32, ILC_COLOR8 | ILC_MASK, 8, 1));
  images.Add(SystemIcon());
  {
    CListCtrl list;
    ASSERT_TRUE(list.CreateEx(0, WC_LISTVIEWA, "", WS_CHILD | LVS_ICON, CRect(0, 0, 200, 100), &host, 1000));
    list.SetImageList(&images, LVSIL_NORMAL);
  }
  EXPECT_EQ(images.Add(SystemIcon()), 1);
  EXPECT_EQ(images.GetImageCount(), 2);
}

class ListCtrlTest : public ControlsTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(list.CreateEx(0, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 280, 180),
                              &host, 1000));
    LVCOLUMNA column{};
    column.mask = LVCF_WIDTH;
    column.cx = 200;
    list.SendMessage(LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
    list.SetExtendedStyle(list.GetExtendedStyle() | LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    for (int i = 0; i < 3; ++i) ASSERT_EQ(list.InsertItem(i, "item", i), i);
  }
  CListCtrl list;
};

TEST_F(ListCtrlTest, CheckBoxesAreTheStateImages) {
  list.SetCheck(0, TRUE);
  list.SetCheck(1, FALSE);
  list.SetCheck(2, TRUE);
  list.SetCheck(2, FALSE);

  EXPECT_TRUE(list.GetCheck(0));
  EXPECT_FALSE(list.GetCheck(1));
  EXPECT_FALSE(list.GetCheck(2));
  EXPECT_EQ(list.GetItemState(0, LVIS_STATEIMAGEMASK), static_cast<UINT>(INDEXTOSTATEIMAGEMASK(2)));
  EXPECT_EQ(list.GetItemState(1, LVIS_STATEIMAGEMASK), static_cast<UINT>(INDEXTOSTATEIMAGEMASK(1)));
}

TEST_F(ListCtrlTest, HitTestFindsTheItemUnderAPointOrNone) {
  RECT second{};
  second.left = LVIR_BOUNDS;
  ASSERT_TRUE(list.SendMessage(LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&second)));

  UINT flags = 0;
  EXPECT_EQ(list.HitTest(CPoint(second.left + 30, (second.top + second.bottom) / 2), &flags), 1);
  EXPECT_NE(flags & LVHT_ONITEM, 0u);
  EXPECT_EQ(list.HitTest(CPoint(5, 170)), -1);
}

TEST_F(ListCtrlTest, DeleteAllItemsEmptiesTheList) {
  EXPECT_EQ(list.GetItemCount(), 3);
  EXPECT_TRUE(list.DeleteAllItems());
  EXPECT_EQ(list.GetItemCount(), 0);
}

TEST_F(ControlsTest, ComboBoxInsertsAtTheGivenPositionDespiteItsSortStyle) {
  CComboBox combo;
  ASSERT_TRUE(combo.CreateEx(0, "COMBOBOX", "", WS_CHILD | CBS_DROPDOWNLIST | CBS_SORT, CRect(0, 0, 100, 100),
                             &host, 1049));
  combo.InsertString(0, "Icon File");
  combo.InsertString(1, "Bmp File");
  char second[32] = {};
  combo.SendMessage(CB_GETLBTEXT, 1, reinterpret_cast<LPARAM>(second));

  EXPECT_EQ(std::string(second), "Bmp File");
  combo.SetCurSel(1);
  EXPECT_EQ(combo.GetCurSel(), 1);
  combo.ResetContent();
  EXPECT_EQ(combo.GetCount(), 0);
  EXPECT_EQ(combo.GetCurSel(), CB_ERR);
}

TEST_F(ControlsTest, ToolTipHoldsItsToolsAndIsDestroyedWithItsObject) {
  HWND tipWindow = nullptr;
  {
    CToolTipCtrl tip;
    ASSERT_TRUE(tip.Create(&host));
    tipWindow = tip.m_hWnd;
    ASSERT_TRUE(tip.AddTool(&host, "first", nullptr, 1));
    tip.UpdateTipText("second", &host, 1);

    char text[80] = {};
    TOOLINFOA info{};
    info.cbSize = TTTOOLINFOA_V2_SIZE;
    info.hwnd = host.m_hWnd;
    info.uId = 1;
    info.lpszText = text;
    tip.SendMessage(TTM_GETTEXTA, sizeof(text), reinterpret_cast<LPARAM>(&info));

    EXPECT_EQ(tip.GetToolCount(), 1);
    EXPECT_EQ(std::string(text), "second");
  }
  EXPECT_FALSE(::IsWindow(tipWindow));
}

}  // namespace
