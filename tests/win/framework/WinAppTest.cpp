// The application object: one instance, named after the executable.

#include <gtest/gtest.h>

#include "framework/WinApp.h"

namespace {

TEST(WinAppTest, ApplicationIsNamedAfterTheExecutableWithoutItsExtension) {
  ASSERT_NE(AfxGetApp(), nullptr);
  EXPECT_STREQ(AfxGetApp()->GetAppName(), "vantrel_framework_tests");
  EXPECT_EQ(AfxGetApp()->m_hInstance, AfxGetInstanceHandle());
}

TEST(WinAppTest, ASecondApplicationObjectDoesNotReplaceTheFirst) {
  CWinApp* const first = AfxGetApp();
  {
    CWinApp second("Other");
    EXPECT_EQ(AfxGetApp(), first);
    EXPECT_STREQ(second.GetAppName(), "Other");
  }
  EXPECT_EQ(AfxGetApp(), first);
}

}  // namespace
