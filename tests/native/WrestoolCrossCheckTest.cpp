// Our module reader against wrestool on every module of Wine's 32-bit system
// folder: the icon groups and icons it lists (names and order), and the bytes
// of every group and of every icon a group refers to.

#include <gtest/gtest.h>
#include <stdio.h>
#include <stdlib.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "formats/ByteReader.h"
#include "formats/ModuleResources.h"
#include "support/TempFolder.h"
#include "support/TestFiles.h"

namespace {
namespace fs = std::filesystem;
std::string Quoted(const std::string& text) {
  std::string out = "'";
  for (const char c : text) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

// Standard output of a shell command; its errors are dropped.
std::string RunShell(const std::string& command) {
  std::string out;
  FILE* pipe = popen((command + " 2>/dev/null").c_str(), "r");
  if (!pipe) return out;
  std::array<char, 4096> buffer;
  size_t got = 0;
  while ((got = fread(buffer.data(), 1, buffer.size(), pipe)) > 0) out.append(buffer.data(), got);
  pclose(pipe);
  return out;
}

std::vector<fs::path> WineModules() {
  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator(kWineSystemFolder)) {
    if (entry.is_regular_file()) files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

struct Listed {
  ResourceName name;
  uint16_t language = 0;
};

// The resources of one numeric type as `wrestool -l` lists them: ids as
// numbers, text names in single quotes, one line per language.
struct Listing {
  bool any = false;
  std::map<uint16_t, std::vector<Listed>> byType;

  // Names in listed order, each once (its first language comes first).
  std::vector<ResourceName> Names(uint16_t type) const {
    std::vector<ResourceName> names;
    const auto found = byType.find(type);
    if (found == byType.end()) return names;
    for (const Listed& listed : found->second) {
      if (names.empty() || names.back() != listed.name) names.push_back(listed.name);
    }
    return names;
  }
  std::optional<uint16_t> FirstLanguage(uint16_t type, const ResourceName& name) const {
    const auto found = byType.find(type);
    if (found == byType.end()) return std::nullopt;
    for (const Listed& listed : found->second) {
      if (listed.name == name) return listed.language;
    }
    return std::nullopt;
  }
};

std::optional<std::string> Field(const std::string& line, const std::string& key) {
  const size_t start = line.find(key);
  if (start == std::string::npos) return std::nullopt;
  const size_t value = start + key.size();
  if (line.compare(value, 1, "'") == 0) {
    const size_t end = line.find("' --", value + 1);
    if (end == std::string::npos) return std::nullopt;
    return line.substr(value, end + 1 - value);
  }
  return line.substr(value, line.find(' ', value) - value);
}

std::optional<ResourceName> NameFromField(const std::string& field) {
  if (field.size() >= 2 && field.front() == '\'') return ResourceName::Text(field.substr(1, field.size() - 2));
  if (field.empty() || field.find_first_not_of("0123456789") != std::string::npos) return std::nullopt;
  return ResourceName::Id(static_cast<uint16_t>(std::stoul(field)));
}

Listing ListWithWrestool(const fs::path& module) {
  Listing listing;
  const std::string out = RunShell("wrestool -l " + Quoted(module.string()));
  size_t start = 0;
  while (start < out.size()) {
    size_t end = out.find('\n', start);
    if (end == std::string::npos) end = out.size();
    const std::string line = out.substr(start, end - start);
    start = end + 1;
    const auto type = Field(line, "--type=");
    const auto name = Field(line, "--name=");
    const auto language = Field(line, "--language=");
    if (!type || !name || !language) continue;
    listing.any = true;
    const auto typeId = NameFromField(*type);
    const auto resourceName = NameFromField(*name);
    if (!typeId || !typeId->isId || !resourceName) continue;
    listing.byType[typeId->id].push_back(Listed{*resourceName, static_cast<uint16_t>(std::stoul(*language))});
  }
  return listing;
}

std::string Describe(const std::vector<ResourceName>& names) {
  std::string out;
  for (const ResourceName& name : names) out += (name.isId ? std::to_string(name.id) : "'" + name.text + "'") + " ";
  return out;
}

// Icon ids a group refers to: a 6-byte header with the count at 4, then
// 14-byte entries with the id at 12.
std::vector<uint16_t> IconIdsOfGroup(const Bytes& group) {
  const ByteReader reader(group.data(), group.size());
  std::vector<uint16_t> ids;
  const uint32_t count = reader.U16(4).value_or(0);
  for (uint32_t i = 0; i < count; ++i) {
    const auto id = reader.U16(6 + 14 * i + 12);
    if (!id) break;
    ids.push_back(*id);
  }
  return ids;
}

// wrestool names what it extracts <module>_<type>_<name>_<language>, adding
// ".ico" for groups even when it writes them raw.
std::optional<Bytes> ReadExtracted(const fs::path& folder, const fs::path& module, uint16_t type,
                                   const ResourceName& name, uint16_t language) {
  const std::string nameText = name.isId ? std::to_string(name.id) : name.text;
  const std::string base =
      module.filename().string() + "_" + std::to_string(type) + "_" + nameText + "_" + std::to_string(language);
  for (const std::string& file : {base, base + ".ico"})
    if (fs::exists(folder / file)) return ReadBytes((folder / file).string());
  return std::nullopt;
}

class WrestoolCrossCheck : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(fs::is_directory(kWineSystemFolder)) << kWineSystemFolder << " is missing: Wine is not installed";
    m_modules = WineModules();
    ASSERT_FALSE(m_modules.empty()) << kWineSystemFolder << " is empty";
  }
  std::vector<fs::path> m_modules;
};
}  // namespace

TEST_F(WrestoolCrossCheck, ListsTheSameIconGroupsAndIconsInTheSameOrder) {
  size_t modulesWithGroups = 0;
  size_t groups = 0;
  for (const fs::path& path : m_modules) {
    SCOPED_TRACE(path.string());
    const Listing listing = ListWithWrestool(path);
    const auto module = ModuleResources::OpenFile(path.string());
    if (listing.any) {
      ASSERT_NE(module, nullptr) << "wrestool reads its resources; we refused the module";
    }
    const std::vector<ResourceName> ourGroups =
        module ? module->EnumNames(kResourceGroupIcon) : std::vector<ResourceName>{};
    const std::vector<ResourceName> ourIcons = module ? module->EnumNames(kResourceIcon) : std::vector<ResourceName>{};
    EXPECT_EQ(Describe(ourGroups), Describe(listing.Names(kResourceGroupIcon)));
    EXPECT_EQ(Describe(ourIcons), Describe(listing.Names(kResourceIcon)));
    modulesWithGroups += ourGroups.empty() ? 0 : 1;
    groups += ourGroups.size();
  }
  EXPECT_GT(modulesWithGroups, 0u) << "no module with icon groups in " << kWineSystemFolder;
  std::printf("[ wrestool ] %zu modules, %zu with icon groups, %zu groups\n", m_modules.size(), modulesWithGroups,
              groups);
}

TEST_F(WrestoolCrossCheck, GivesTheSameBytesForEveryGroupAndTheIconsItNames) {
  size_t groupsCompared = 0;
  size_t iconsCompared = 0;
  for (const fs::path& path : m_modules) {
    const auto module = ModuleResources::OpenFile(path.string());
    if (!module) continue;
    const std::vector<ResourceName> groups = module->EnumNames(kResourceGroupIcon);
    if (groups.empty()) continue;
    SCOPED_TRACE(path.string());

    const Listing listing = ListWithWrestool(path);
    const TempFolder folder;
    // One extraction per type writes every resource of that type to the folder.
    for (const uint16_t type : {kResourceGroupIcon, kResourceIcon}) {
      RunShell("wrestool -x --raw -t " + std::to_string(type) + " -o " + Quoted(folder.Path() + "/") + " " +
               Quoted(path.string()));
    }
    const auto theirs = [&](uint16_t type, const ResourceName& name) -> std::optional<Bytes> {
      const auto language = listing.FirstLanguage(type, name);
      if (!language) return std::nullopt;
      return ReadExtracted(folder.Path(), path, type, name, *language);
    };

    for (const ResourceName& group : groups) {
      SCOPED_TRACE(Describe({group}));
      const auto ourGroup = module->Find(kResourceGroupIcon, group);
      ASSERT_TRUE(ourGroup.has_value());
      const auto theirGroup = theirs(kResourceGroupIcon, group);
      ASSERT_TRUE(theirGroup.has_value()) << "wrestool extracted no such group";
      EXPECT_TRUE(*ourGroup == *theirGroup) << "group bytes differ";
      ++groupsCompared;
      for (const uint16_t id : IconIdsOfGroup(*ourGroup)) {
        SCOPED_TRACE(id);
        const auto ourIcon = module->Find(kResourceIcon, ResourceName::Id(id));
        const auto theirIcon = theirs(kResourceIcon, ResourceName::Id(id));
        ASSERT_EQ(ourIcon.has_value(), theirIcon.has_value());
        if (!ourIcon) continue;
        EXPECT_TRUE(*ourIcon == *theirIcon)
            << "icon bytes differ (" << ourIcon->size() << " and " << theirIcon->size() << " bytes)";
        ++iconsCompared;
      }
    }
  }
  EXPECT_GT(groupsCompared, 0u);
  EXPECT_GT(iconsCompared, 0u);
  std::printf("[ wrestool ] %zu groups and %zu icon images compared byte for byte\n", groupsCompared, iconsCompared);
}
