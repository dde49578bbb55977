// Our module reader against the system's own loader, on every module of
// Wine's 32-bit system folder: the same icon groups in the same order, and the
// same bytes for every group and every image.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "formats/IconFileIO.h"
#include "formats/ModuleResources.h"

namespace {

const char kSystemFolder[] = "Z:\\usr\\lib\\i386-linux-gnu\\wine\\i386-windows\\";

class LoadedModule {
 public:
  explicit LoadedModule(const std::string& path)
      : m_module(LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)) {}
  ~LoadedModule() {
    if (m_module) FreeLibrary(m_module);
  }
  LoadedModule(const LoadedModule&) = delete;
  LoadedModule& operator=(const LoadedModule&) = delete;
  HMODULE get() const { return m_module; }

 private:
  HMODULE m_module;
};

std::vector<std::string> ModulesOfSystemFolder() {
  std::vector<std::string> paths;
  WIN32_FIND_DATAA entry;
  HANDLE find = FindFirstFileA((std::string(kSystemFolder) + "*.*").c_str(), &entry);
  if (find == INVALID_HANDLE_VALUE) return paths;
  do {
    if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) paths.push_back(std::string(kSystemFolder) + entry.cFileName);
  } while (FindNextFileA(find, &entry));
  FindClose(find);
  return paths;
}

BOOL CALLBACK CollectName(HMODULE, LPCSTR, LPSTR name, LONG_PTR context) {
  auto* names = reinterpret_cast<std::vector<ResourceName>*>(context);
  if (IS_INTRESOURCE(name)) {
    names->push_back(ResourceName::Id(static_cast<uint16_t>(reinterpret_cast<uintptr_t>(name))));
  } else {
    names->push_back(ResourceName::Text(name));
  }
  return TRUE;
}

std::vector<ResourceName> SystemGroupNames(HMODULE module) {
  std::vector<ResourceName> names;
  EnumResourceNamesA(module, RT_GROUP_ICON, CollectName, reinterpret_cast<LONG_PTR>(&names));
  return names;
}

// The resource's bytes as the system gives them; empty when not found.
std::vector<uint8_t> SystemResource(HMODULE module, const ResourceName& name, LPCSTR type) {
  const LPCSTR lookup = name.isId ? MAKEINTRESOURCEA(name.id) : name.text.c_str();
  HRSRC found = FindResourceA(module, lookup, type);
  if (!found) return {};
  HGLOBAL loaded = LoadResource(module, found);
  const auto* bytes = static_cast<const uint8_t*>(LockResource(loaded));
  if (!bytes) return {};
  return std::vector<uint8_t>(bytes, bytes + SizeofResource(module, found));
}

std::string Describe(const ResourceName& name) { return name.isId ? std::to_string(name.id) : "\"" + name.text + "\""; }

std::vector<uint16_t> ImageIdsOfGroup(const std::vector<uint8_t>& group) {
  std::vector<uint16_t> ids;
  if (group.size() < 6) return ids;
  const unsigned count = group[4] | (group[5] << 8);
  for (unsigned i = 0; i < count && 6 + 14 * (i + 1) <= group.size(); ++i) {
    const size_t at = 6 + 14 * i + 12;
    ids.push_back(static_cast<uint16_t>(group[at] | (group[at + 1] << 8)));
  }
  return ids;
}

class SystemFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_modules = ModulesOfSystemFolder();
    ASSERT_GT(m_modules.size(), 100u) << "Wine's system folder is missing: " << kSystemFolder;
  }
  std::vector<std::string> m_modules;
};

TEST_F(SystemFolderTest, IconGroupsAreTheSystemsInTheSameOrder) {
  int modulesWithIcons = 0;
  size_t groups = 0;
  for (const std::string& path : m_modules) {
    LoadedModule system(path);
    if (!system.get()) continue;
    const std::vector<ResourceName> expected = SystemGroupNames(system.get());
    const auto ours = ModuleResources::OpenFile(path);
    ASSERT_TRUE(ours) << path;
    const std::vector<ResourceName> found = ours->EnumNames(kResourceGroupIcon);
    ASSERT_EQ(found.size(), expected.size()) << path;
    for (size_t i = 0; i < found.size(); ++i) {
      EXPECT_EQ(found[i], expected[i]) << path << " group " << i << ": " << Describe(found[i]) << " vs "
                                       << Describe(expected[i]);
    }
    if (!expected.empty()) ++modulesWithIcons;
    groups += expected.size();
  }
  EXPECT_GT(modulesWithIcons, 10);
  EXPECT_GE(groups, 184u);  // shell32.dll alone has this many
}

TEST_F(SystemFolderTest, EveryGroupAndImageHasTheSystemsBytes) {
  const IconFileIO io;
  size_t images = 0;
  for (const std::string& path : m_modules) {
    LoadedModule system(path);
    if (!system.get()) continue;
    const std::vector<ResourceName> names = SystemGroupNames(system.get());
    if (names.empty()) continue;
    const auto ours = ModuleResources::OpenFile(path);
    ASSERT_TRUE(ours) << path;
    for (const ResourceName& name : names) {
      const std::vector<uint8_t> group = SystemResource(system.get(), name, RT_GROUP_ICON);
      ASSERT_FALSE(group.empty()) << path << " " << Describe(name);
      const auto ourGroup = ours->Find(kResourceGroupIcon, name);
      ASSERT_TRUE(ourGroup.has_value()) << path << " " << Describe(name);
      EXPECT_EQ(*ourGroup, group) << path << " " << Describe(name);

      const IconImageSetPtr set = io.LoadGroupIcon(*ours, name, path);
      ASSERT_TRUE(set) << path << " " << Describe(name);
      const std::vector<uint16_t> ids = ImageIdsOfGroup(group);
      ASSERT_EQ(set->imageCount, ids.size()) << path << " " << Describe(name);
      for (size_t i = 0; i < ids.size(); ++i) {
        const std::vector<uint8_t> image = SystemResource(system.get(), ResourceName::Id(ids[i]), RT_ICON);
        const std::vector<uint8_t> block(set->images[i].block, set->images[i].block + set->images[i].blockSize);
        EXPECT_EQ(block, image) << path << " " << Describe(name) << " image " << ids[i];
        ++images;
      }
    }
  }
  EXPECT_GT(images, 184u);
}

TEST_F(SystemFolderTest, GroupReaderByPathMatchesTheSystemForShell32) {
  const std::string path = std::string(kSystemFolder) + "shell32.dll";
  LoadedModule system(path);
  ASSERT_TRUE(system.get());
  const std::vector<ResourceName> names = SystemGroupNames(system.get());
  ASSERT_EQ(names.size(), 184u);
  const IconFileIO io;
  for (const ResourceName& name : names) {
    const char* pointer = name.isId ? MAKEINTRESOURCEA(name.id) : name.text.c_str();
    const IconImageSetPtr set = io.LoadGroupIcon(path, pointer);
    ASSERT_TRUE(set) << Describe(name);
    EXPECT_STREQ(set->modulePath, path.c_str());
    EXPECT_STREQ(set->icoPath, "");
    const std::vector<uint16_t> ids = ImageIdsOfGroup(SystemResource(system.get(), name, RT_GROUP_ICON));
    ASSERT_EQ(set->imageCount, ids.size());
  }
}

}  // namespace
