// The settings wrapper against the system's own private-profile functions:
// the read rules for flags, integers and text, and what the writes leave in
// the file.

#include <gtest/gtest.h>

#include <string>

#include "ProgramTestSupport.h"
#include "app/ConfigFile.h"

namespace {

class ConfigFileTest : public ::testing::Test {
 protected:
  ConfigFileTest() { config.SetPath(path.c_str()); }

  void Write(const char* key, const std::string& value) const {
    WritePrivateProfileStringA("Setting", key, value.c_str(), path.c_str());
  }
  // The raw value in the file, or "<absent>".
  std::string Raw(const char* key) const {
    char value[512] = {};
    GetPrivateProfileStringA("Setting", key, "<absent>", value, sizeof value, path.c_str());
    return value;
  }

  TempFolder folder;
  std::string path = folder.File("Config.ini");
  CConfigFile config;
};

struct FlagCase {
  const char* stored;
  BOOL expected;
};

class ConfigFlagTest : public ConfigFileTest, public ::testing::WithParamInterface<FlagCase> {};

TEST_P(ConfigFlagTest, ReadsTheNumberThatTheFirstThreeCharactersStart) {
  Write("Flag", GetParam().stored);
  EXPECT_EQ(config.GetBool("Setting", "Flag"), GetParam().expected) << "stored \"" << GetParam().stored << "\"";
}

INSTANTIATE_TEST_SUITE_P(StoredValues, ConfigFlagTest,
                         ::testing::Values(FlagCase{"1", TRUE}, FlagCase{"2", TRUE}, FlagCase{"-1", TRUE},
                                           FlagCase{"1000", TRUE}, FlagCase{"100000", TRUE}, FlagCase{"0", FALSE},
                                           FlagCase{"abc", FALSE}, FlagCase{"yes", FALSE}, FlagCase{"", FALSE},
                                           // Only "000" arrives, so the 9 is never seen.
                                           FlagCase{"0009", FALSE}));

TEST_F(ConfigFileTest, MissingFlagReadsFalse) {
  Write("Other", "1");
  EXPECT_FALSE(config.GetBool("Setting", "Flag"));
}

TEST_F(ConfigFileTest, IntegerReadsItsDecimalValue) {
  Write("View", "5");
  Write("Negative", "-12");
  EXPECT_EQ(config.GetInt("Setting", "View"), 5);
  EXPECT_EQ(config.GetInt("Setting", "Negative"), -12);
}

TEST_F(ConfigFileTest, MissingIntegerReadsZero) { EXPECT_EQ(config.GetInt("Setting", "View"), 0); }

TEST_F(ConfigFileTest, IntegerThatIsTextReadsZero) {
  Write("View", "abc");
  EXPECT_EQ(config.GetInt("Setting", "View"), 0);
}

TEST_F(ConfigFileTest, IntegerIsReadFromItsFirst31Characters) {
  // Thirty zeros, then "12": only the "1" is within the first 31 characters.
  Write("View", std::string(30, '0') + "12");
  EXPECT_EQ(config.GetInt("Setting", "View"), 1);
}

TEST_F(ConfigFileTest, TextIsCutAt260Characters) {
  std::string longText;
  for (int i = 0; i < 300; ++i) longText += static_cast<char>('a' + i % 26);
  Write("RestorePath", longText);
  const CString read = config.GetString("Setting", "RestorePath");
  EXPECT_EQ(std::string(read), longText.substr(0, 260));
}

TEST_F(ConfigFileTest, MissingTextReadsEmptyNotTheDefaultValue) {
  Write("Other", "x");
  EXPECT_EQ(std::string(config.GetString("Setting", "RestorePath")), "");
}

TEST_F(ConfigFileTest, WrittenFalseFlagStaysInTheFileAsZero) {
  config.WriteBool("Setting", "Confirm", TRUE);
  config.WriteBool("Setting", "Confirm", FALSE);
  EXPECT_EQ(Raw("Confirm"), "0");
  EXPECT_FALSE(config.GetBool("Setting", "Confirm"));
}

TEST_F(ConfigFileTest, WritesFlagsAsOneAndZero) {
  config.WriteBool("Setting", "On", 5);
  config.WriteBool("Setting", "Off", FALSE);
  EXPECT_EQ(Raw("On"), "1");
  EXPECT_EQ(Raw("Off"), "0");
}

TEST_F(ConfigFileTest, WritesIntegersInDecimal) {
  config.WriteInt("Setting", "View", -3);
  EXPECT_EQ(Raw("View"), "-3");
  EXPECT_EQ(config.GetInt("Setting", "View"), -3);
}

TEST_F(ConfigFileTest, WritesTextUnchanged) {
  config.WriteString("Setting", "RestorePath", "D:\\My Icons\\Set 1");
  EXPECT_EQ(Raw("RestorePath"), "D:\\My Icons\\Set 1");
}

TEST_F(ConfigFileTest, EveryReadSeesTheFileAsItIsNow) {
  Write("View", "1");
  ASSERT_EQ(config.GetInt("Setting", "View"), 1);
  Write("View", "2");
  EXPECT_EQ(config.GetInt("Setting", "View"), 2);
}

TEST_F(ConfigFileTest, SectionAndKeyNamesMatchWithoutRegardToCase) {
  Write("SelectAll", "1");
  EXPECT_TRUE(config.GetBool("SETTING", "selectall"));
}

TEST(UnboundConfigFileTest, ReadsDefaultsAndWritesNowhere) {
  CConfigFile config;
  EXPECT_FALSE(config.WriteBool("VantrelUnboundTest", "Flag", TRUE));
  EXPECT_FALSE(config.WriteString("VantrelUnboundTest", "Text", "x"));
  config.WriteInt("VantrelUnboundTest", "Number", 4);
  EXPECT_FALSE(config.GetBool("VantrelUnboundTest", "Flag"));
  EXPECT_EQ(config.GetInt("VantrelUnboundTest", "Number"), 0);
  EXPECT_EQ(std::string(config.GetString("VantrelUnboundTest", "Text")), "");
  // Nothing reached the system's own profile either.
  char value[16] = {};
  GetProfileStringA("VantrelUnboundTest", "Flag", "<absent>", value, sizeof value);
  EXPECT_STREQ(value, "<absent>");
}

}  // namespace
