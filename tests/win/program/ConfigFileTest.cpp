// The settings wrapper against the system's own private-profile functions:
// the read rules for flags, integers and text.

#include <gtest/gtest.h>

#include "ProgramTestSupport.h"
#include "app/ConfigFile.h"

namespace {

using ConfigFileTest = AppTest;

// A flag is the number the first three characters start, an integer the one
// the first 31 start, text the first 260 characters; missing reads as off,
// zero and empty (not the default value).
TEST_F(ConfigFileTest, ReadsFlagsIntegersAndTextByTheirRules) {
  std::string longText;
  for (int i = 0; i < 300; ++i) longText += static_cast<char>('a' + i % 26);
  struct Case {
    std::string stored;  // "<missing>": the key is absent
    BOOL flag;
    int number;
    std::string text;
  };
  const Case cases[] = {
      {"1", TRUE, 1, "1"},           {"2", TRUE, 2, "2"},
      {"-12", TRUE, -12, "-12"},     {"100000", TRUE, 100000, "100000"},
      {"0", FALSE, 0, "0"},          {"abc", FALSE, 0, "abc"},
      {"", FALSE, 0, ""},            {"0009", FALSE, 9, "0009"},  // only "000" reaches the flag
      {std::string(30, '0') + "12", FALSE, 1, std::string(30, '0') + "12"},
      {longText, FALSE, 0, longText.substr(0, 260)},
      {"<missing>", FALSE, 0, ""},
  };
  const CConfigFile& config = TheApp().m_config;
  WriteSetting("Setting", "Other", "1");
  for (const Case& c : cases) {
    SCOPED_TRACE("stored \"" + c.stored + "\"");
    WriteSetting("Setting", "Key", c.stored == "<missing>" ? nullptr : c.stored.c_str());
    EXPECT_EQ(config.GetBool("Setting", "Key"), c.flag);
    EXPECT_EQ(config.GetInt("Setting", "Key"), c.number);
    EXPECT_EQ(std::string(config.GetString("Setting", "Key")), c.text);
  }
}

}  // namespace
