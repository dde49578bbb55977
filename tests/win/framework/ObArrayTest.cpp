// CObArray: a non-owning pointer array that grows geometrically.

#include <gtest/gtest.h>

#include "framework/ObArray.h"

namespace {

TEST(ObArrayTest, GrowingFillsGapsWithNullAndOutOfRangeAccessIsHarmless) {
  CObject a, b;
  CObArray array;
  EXPECT_TRUE(array.SetAtGrow(0, &a));
  EXPECT_TRUE(array.SetAtGrow(3, &b));
  ASSERT_EQ(array.GetSize(), 4);
  EXPECT_EQ(array[1], nullptr);
  EXPECT_EQ(array[2], nullptr);
  EXPECT_EQ(array.GetAt(4), nullptr);
  EXPECT_EQ(array.GetAt(-1), nullptr);
  EXPECT_FALSE(array.SetAtGrow(-1, &a));
  array.SetAt(5, &a);
  EXPECT_EQ(array.GetSize(), 4);
  // Slots given back and taken again hold no stale pointers.
  array.SetSize(2);
  ASSERT_TRUE(array.SetSize(4));
  EXPECT_EQ(array[3], nullptr);
}

TEST(ObArrayTest, AppendingManyPointersMovesTheStorageOnlyLogarithmicallyOften) {
  CObject item;
  CObArray array;
  int moves = 0;
  for (INT_PTR i = 0; i < 100000; ++i) {
    CObject** const before = array.GetData();
    ASSERT_TRUE(array.SetAtGrow(i, &item));
    moves += array.GetData() != before;
  }
  EXPECT_LE(moves, 20);
}

}  // namespace
