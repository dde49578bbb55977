// CString: the ANSI text value the program formats and slices.

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "framework/String.h"

namespace {

TEST(StringTest, FormatTakesWhateverLengthTheTextNeedsAndABufferTheLengthUpToItsNul) {
  CString text;
  text.Format("%s_%04d.%s", std::string(5000, 'x').c_str(), 7, "ico");
  EXPECT_EQ(text.GetLength(), 5000 + 9);
  EXPECT_EQ(text.Right(9), "_0007.ico");

  std::strcpy(text.GetBuffer(260), "C:\\Windows");
  text.ReleaseBuffer();
  EXPECT_EQ(text, "C:\\Windows");
  EXPECT_EQ(text.GetLength(), 10);
}

TEST(StringTest, SlicesAreClampedAndFindsGivePositionsOrMinusOne) {
  const CString text("my.icon.ico");
  EXPECT_EQ(text.Left(2), "my");
  EXPECT_EQ(text.Left(99), "my.icon.ico");
  EXPECT_EQ(text.Right(-1), "");
  EXPECT_EQ(text.Mid(3, 4), "icon");
  EXPECT_EQ(text.Mid(50), "");
  EXPECT_EQ(text.Mid(-5, 2), "my");
  EXPECT_EQ(text.Find('.', 3), 7);
  EXPECT_EQ(text.Find("ico", 4), 8);
  EXPECT_EQ(text.Find('z'), -1);
  EXPECT_EQ(text.ReverseFind('.'), 7);
  EXPECT_EQ(text.ReverseFind('\\'), -1);
}

}  // namespace
