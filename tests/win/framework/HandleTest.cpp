// One handle owner: what it holds is closed when it goes or takes another,
// moves with it, and stays open once released.

#include <gtest/gtest.h>

#include <utility>

#include "framework/Handle.h"

namespace {

bool Open(HANDLE handle) {
  DWORD flags = 0;
  return ::GetHandleInformation(handle, &flags) != FALSE;
}

HANDLE NewEvent() { return ::CreateEventA(nullptr, TRUE, FALSE, nullptr); }

TEST(HandleTest, ClosesWhatItOwnsOnceWhereverOwnershipWent) {
  HANDLE first = nullptr, second = nullptr, released = nullptr;
  {
    CKernelHandle owner(NewEvent());
    first = owner.Get();
    CKernelHandle moved(std::move(owner));
    EXPECT_FALSE(owner);
    EXPECT_EQ(moved.Get(), first);
    moved.Reset(NewEvent());
    second = moved.Get();
    EXPECT_FALSE(Open(first));
    EXPECT_TRUE(Open(second));
    CKernelHandle kept(NewEvent());
    released = kept.Release();
    CKernelHandle none(INVALID_HANDLE_VALUE);
    EXPECT_FALSE(none);
  }
  EXPECT_FALSE(Open(second));
  EXPECT_TRUE(Open(released));
  ::CloseHandle(released);

  const HBITMAP bitmap = ::CreateBitmap(4, 4, 1, 1, nullptr);
  ASSERT_NE(bitmap, nullptr);
  { const CBitmapHandle owner(bitmap); }
  EXPECT_EQ(::GetObjectType(bitmap), 0u);
}

}  // namespace
