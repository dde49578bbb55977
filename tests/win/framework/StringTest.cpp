// CString: the ANSI text value the program formats and slices.

#include <gtest/gtest.h>

#include <string>

#include "framework/String.h"

namespace {

TEST(StringTest, FormatTakesWhateverLengthTheTextNeedsAndSlicesAreClamped) {
  CString text;
  text.Format("%s_%04d.%s", std::string(5000, 'x').c_str(), 7, "ico");
  EXPECT_EQ(text.GetLength(), 5000 + 9);
  EXPECT_EQ(text.Right(9), "_0007.ico");

  const CString name("my.icon.ico");
  EXPECT_EQ(name.Left(99), "my.icon.ico");
  EXPECT_EQ(name.Right(-1), "");
  EXPECT_EQ(name.Mid(50), "");
  EXPECT_EQ(name.Mid(-5, 2), "my");
  EXPECT_EQ(name.Find("ico", 4), 8);
  EXPECT_EQ(name.ReverseFind('\\'), -1);
}

}  // namespace
