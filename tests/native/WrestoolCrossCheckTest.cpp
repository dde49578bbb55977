// Our module reader against wrestool on every module of Wine's 32-bit system
// folder, real linkers' output with several sections (the test builders write
// one): the icon groups and icons each lists, in order, and their bytes.

#include <gtest/gtest.h>
#include <stdio.h>

#include <filesystem>
#include <map>
#include <sstream>

#include "formats/ModuleResources.h"
#include "support/TempFolder.h"
#include "support/TestFiles.h"

namespace {

std::string RunShell(const std::string& command) {
  std::string out;
  if (FILE* pipe = popen((command + " 2>/dev/null").c_str(), "r")) {
    char buffer[4096];
    for (size_t got; (got = fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, got);
    pclose(pipe);
  }
  return out;
}

// The value after `key` in a line of `wrestool -l`, up to the next blank; a
// quoted one keeps its quotes:  --type=14 --name='MAINICON' --language=1033 [...]
std::string Field(const std::string& line, const std::string& key) {
  const size_t at = line.find(key);
  if (at == std::string::npos) return "";
  const size_t start = at + key.size();
  const size_t end = line.compare(start, 1, "'") == 0 ? line.find("' ", start + 1) + 1 : line.find(' ', start);
  return line.substr(start, end - start);
}

TEST(WrestoolCrossCheck, ListsAndGivesTheSameIconGroupsAndIconsAsWrestool) {
  size_t groupsCompared = 0;
  for (const auto& entry : std::filesystem::directory_iterator(kWineSystemFolder)) {
    const std::string path = entry.path().string(), fileName = entry.path().filename().string();
    SCOPED_TRACE(path);
    const TempFolder folder;
    // Per type, each name once as wrestool lists it, and where its first language is extracted to.
    std::map<uint16_t, std::vector<std::pair<std::string, std::string>>> theirs;
    std::istringstream listing(RunShell("wrestool -l '" + path + "'"));
    for (std::string line; std::getline(listing, line);) {
      const std::string type = Field(line, "--type="), name = Field(line, "--name=");
      if ((type != "14" && type != "3") || name.empty()) continue;
      auto& names = theirs[static_cast<uint16_t>(std::stoi(type))];
      const std::string bare = name.front() == '\'' ? name.substr(1, name.size() - 2) : name;
      if (names.empty() || names.back().first != name)
        names.emplace_back(name, folder.File(fileName + "_" + type + "_" + bare + "_" + Field(line, "--language=")));
    }
    const auto module = ModuleResources::OpenFile(path);
    if (theirs.empty() && !module) continue;
    ASSERT_NE(module, nullptr) << "wrestool reads its icons; we refused the module";
    if (!theirs.empty())
      RunShell("wrestool -x --raw -t14 -o '" + folder.Path() + "/' '" + path + "'; wrestool -x --raw -t3 -o '" +
               folder.Path() + "/' '" + path + "'");
    for (const uint16_t type : {kResourceGroupIcon, kResourceIcon}) {
      const std::vector<ResourceName> ours = module->EnumNames(type);
      ASSERT_EQ(ours.size(), theirs[type].size()) << "type " << type;
      for (size_t i = 0; i < ours.size(); ++i) {
        const auto& [name, extracted] = theirs[type][i];
        EXPECT_EQ(ours[i].isId ? std::to_string(ours[i].id) : "'" + ours[i].text + "'", name);
        // wrestool adds ".ico" to groups even when raw.
        const Bytes bytes = ReadBytes(std::filesystem::exists(extracted) ? extracted : extracted + ".ico");
        EXPECT_EQ(module->Find(type, ours[i]), bytes) << type << " " << name;
        groupsCompared += type == kResourceGroupIcon;
      }
    }
  }
  EXPECT_GT(groupsCompared, 0u) << "no icon groups in " << kWineSystemFolder;
}

}  // namespace
