// CObArray: a non-owning pointer array that grows geometrically.

#include <gtest/gtest.h>

#include "framework/ObArray.h"

namespace {

TEST(ObArrayTest, SetAtGrowAppendsAtTheEndAndFillsGapsWithNull) {
  CObject a;
  CObject b;
  CObArray array;

  EXPECT_TRUE(array.SetAtGrow(0, &a));
  EXPECT_TRUE(array.SetAtGrow(3, &b));

  ASSERT_EQ(array.GetSize(), 4);
  EXPECT_EQ(array[0], &a);
  EXPECT_EQ(array[1], nullptr);
  EXPECT_EQ(array[2], nullptr);
  EXPECT_EQ(array.GetAt(3), &b);
}

TEST(ObArrayTest, AppendingManyPointersMovesTheStorageOnlyLogarithmicallyOften) {
  CObject item;
  CObArray array;
  int moves = 0;
  CObject** data = nullptr;

  for (INT_PTR i = 0; i < 100000; ++i) {
    ASSERT_TRUE(array.SetAtGrow(i, &item));
    if (array.GetData() != data) {
      ++moves;
      data = array.GetData();
    }
  }

  EXPECT_EQ(array.GetSize(), 100000);
  EXPECT_LE(moves, 20);
}

TEST(ObArrayTest, OutOfRangeAccessIsHarmlessAndSetSizeZeroReleasesTheStorage) {
  CObject item;
  CObArray array;
  array.SetAtGrow(0, &item);

  EXPECT_EQ(array.GetAt(1), nullptr);
  EXPECT_EQ(array.GetAt(-1), nullptr);
  EXPECT_FALSE(array.SetAtGrow(-1, &item));
  array.SetAt(5, &item);
  EXPECT_EQ(array.GetSize(), 1);

  array.SetSize(0);
  EXPECT_EQ(array.GetSize(), 0);
  EXPECT_EQ(array.GetData(), nullptr);
  EXPECT_TRUE(array.SetAtGrow(0, &item));
  EXPECT_EQ(array[0], &item);
}

}  // namespace
