// Our module reader against wrestool on every module of Wine's 32-bit system
// folder: the icon groups and icons it lists (names and order), and the bytes
// of every group and of every icon a group refers to.

#include <gtest/gtest.h>
#include <stdio.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "formats/ByteReader.h"
#include "formats/ModuleResources.h"
#include "support/TempFolder.h"
#include "support/TestFiles.h"

namespace {
namespace fs = std::filesystem;

// Standard output of a shell command; its errors are dropped.
std::string RunShell(const std::string& command) {
  std::string out;
  FILE* pipe = popen((command + " 2>/dev/null").c_str(), "r");
  if (!pipe) return out;
  char buffer[4096];
  for (size_t got; (got = fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, got);
  pclose(pipe);
  return out;
}

std::string Quoted(const std::string& text) {
  std::string out = "'";
  for (const char c : text) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

std::string Describe(const ResourceName& name) { return name.isId ? std::to_string(name.id) : "'" + name.text + "'"; }

// One line of `wrestool -l` per resource and language, first languages first:
//   --type=14 --name='MAINICON' --language=1033 [...]
struct Listed {
  uint16_t type;
  std::string name;  // as Describe() gives ours
  std::string file;  // what `wrestool -x` names it
};

// The value after `key`, up to the next blank; a quoted one keeps its quotes.
std::string Field(const std::string& line, const std::string& key) {
  const size_t at = line.find(key);
  if (at == std::string::npos) return "";
  const size_t start = at + key.size();
  const size_t end = line.compare(start, 1, "'") == 0 ? line.find("' ", start + 1) + 1 : line.find(' ', start);
  return line.substr(start, end - start);
}

std::vector<Listed> ListWithWrestool(const fs::path& module) {
  std::vector<Listed> listed;
  std::istringstream out(RunShell("wrestool -l " + Quoted(module.string())));
  for (std::string line; std::getline(out, line);) {
    const std::string type = Field(line, "--type="), name = Field(line, "--name="), language = Field(line, "--language=");
    if (type.empty() || type.find_first_not_of("0123456789") != std::string::npos || name.empty()) continue;
    const std::string bare = name.front() == '\'' ? name.substr(1, name.size() - 2) : name;
    listed.push_back({static_cast<uint16_t>(std::stoul(type)), name,
                      module.filename().string() + "_" + type + "_" + bare + "_" + language});
  }
  return listed;
}

// Names of a type in listed order, each once.
std::string NamesOf(const std::vector<Listed>& listed, uint16_t type) {
  std::string names;
  std::string last;
  for (const Listed& entry : listed)
    if (entry.type == type && entry.name != last) names += (last = entry.name) + " ";
  return names;
}

std::string NamesOf(const std::vector<ResourceName>& ours) {
  std::string names;
  for (const ResourceName& name : ours) names += Describe(name) + " ";
  return names;
}

std::vector<fs::path> WineModules() {
  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator(kWineSystemFolder))
    if (entry.is_regular_file()) files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  return files;
}

TEST(WrestoolCrossCheck, ListsTheSameIconGroupsAndIconsInTheSameOrder) {
  size_t modulesWithGroups = 0;
  for (const fs::path& path : WineModules()) {
    SCOPED_TRACE(path.string());
    const std::vector<Listed> listed = ListWithWrestool(path);
    const auto module = ModuleResources::OpenFile(path.string());
    if (!listed.empty()) {
      ASSERT_NE(module, nullptr) << "wrestool reads its resources; we refused the module";
    }
    if (!module) continue;
    EXPECT_EQ(NamesOf(module->EnumNames(kResourceGroupIcon)), NamesOf(listed, kResourceGroupIcon));
    EXPECT_EQ(NamesOf(module->EnumNames(kResourceIcon)), NamesOf(listed, kResourceIcon));
    modulesWithGroups += module->EnumNames(kResourceGroupIcon).empty() ? 0 : 1;
  }
  EXPECT_GT(modulesWithGroups, 0u) << "no module with icon groups in " << kWineSystemFolder;
}

TEST(WrestoolCrossCheck, GivesTheSameBytesForEveryGroupAndTheIconsItNames) {
  size_t groupsCompared = 0, iconsCompared = 0;
  for (const fs::path& path : WineModules()) {
    const auto module = ModuleResources::OpenFile(path.string());
    if (!module || module->EnumNames(kResourceGroupIcon).empty()) continue;
    SCOPED_TRACE(path.string());
    const std::vector<Listed> listed = ListWithWrestool(path);
    const TempFolder folder;
    for (const uint16_t type : {kResourceGroupIcon, kResourceIcon})
      RunShell("wrestool -x --raw -t " + std::to_string(type) + " -o " + Quoted(folder.Path() + "/") + " " +
               Quoted(path.string()));
    // The first language wrestool lists; it adds ".ico" to groups even when raw.
    const auto theirs = [&](uint16_t type, const ResourceName& name) -> std::optional<Bytes> {
      const auto first = std::find_if(listed.begin(), listed.end(),
                                      [&](const Listed& e) { return e.type == type && e.name == Describe(name); });
      if (first == listed.end()) return std::nullopt;
      for (const std::string& file : {first->file, first->file + ".ico"})
        if (fs::exists(folder.File(file))) return ReadBytes(folder.File(file));
      return std::nullopt;
    };
    for (const ResourceName& group : module->EnumNames(kResourceGroupIcon)) {
      SCOPED_TRACE(Describe(group));
      const auto ourGroup = module->Find(kResourceGroupIcon, group);
      ASSERT_TRUE(ourGroup.has_value());
      EXPECT_EQ(ourGroup, theirs(kResourceGroupIcon, group)) << "group bytes differ";
      ++groupsCompared;
      // A group is a 6-byte header with the count at 4, then 14-byte entries with the icon id at 12.
      const ByteReader entries(ourGroup->data(), ourGroup->size());
      for (uint32_t i = 0; i < entries.U16(4).value_or(0) && entries.U16(6 + 14 * i + 12); ++i) {
        const ResourceName icon = ResourceName::Id(*entries.U16(6 + 14 * i + 12));
        EXPECT_EQ(module->Find(kResourceIcon, icon), theirs(kResourceIcon, icon)) << "icon " << icon.id;
        ++iconsCompared;
      }
    }
  }
  EXPECT_GT(groupsCompared, 0u);
  EXPECT_GT(iconsCompared, 0u);
  std::printf("[ wrestool ] %zu groups and %zu icon images compared byte for byte\n", groupsCompared, iconsCompared);
}

}  // namespace
