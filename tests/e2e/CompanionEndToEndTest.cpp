// A module that holds no icons, as current Windows' system modules do, shows
// the icons of its companion in the Windows folder's SystemResources, and
// Save reads them from there.

#include "ProductProcess.h"
#include "support/IconBuilder.h"
#include "support/ModuleBuilder.h"

namespace {

class CompanionEndToEndTest : public ProductTest {
 protected:
  void TearDown() override { DeleteFileA(companion.c_str()); }
  std::string companion;
};

TEST_F(CompanionEndToEndTest, AModuleWithoutIconsListsAndSavesTheIconsOfItsCompanion) {
  char windows[MAX_PATH] = {};
  ASSERT_GT(GetWindowsDirectoryA(windows, MAX_PATH), 0u);
  CreateDirectoryA((std::string(windows) + "\\SystemResources").c_str(), nullptr);
  const std::string name = "vantrel" + std::to_string(GetCurrentProcessId()) + ".dll";
  companion = std::string(windows) + "\\SystemResources\\" + name + ".mun";
  std::vector<BuiltResource> resources;
  for (uint16_t id = 1; id <= 2; ++id) {
    const Bytes image = MakeDibBlock(32, 32, 32, 0, static_cast<uint8_t>(id));
    resources.push_back({kResourceIcon, ResourceName::Id(id), 0x409, image});
    resources.push_back({kResourceGroupIcon, ResourceName::Id(id), 0x409, BuildGroupIcon({image}, {id})});
  }
  ASSERT_TRUE(WriteBytes(companion, BuildPeModule(resources)));
  // The module itself holds a version resource and no icon.
  ASSERT_TRUE(WriteBytes(folder.File(name), BuildPeModule({{16, ResourceName::Id(1), 0x409, {1, 2}}})));
  TempFolder library;
  const std::string config = folder.File("Config.ini");
  for (const auto& key : {std::make_pair("RestorePath", library.Path()), std::make_pair("TitlePrefix", std::string("Icon")),
                          std::make_pair("SelectAll", std::string("1"))})
    WritePrivateProfileStringA("Setting", key.first, key.second.c_str(), config.c_str());
  WritePrivateProfileStringA("Filter", "Dll", "1", config.c_str());
  Start();
  AddFile(folder.File(name), 2);
  ClickButton(window, IDC_SAVE);
  ASSERT_TRUE(WaitUntil([&] { return NamesIn(library.Path()).size() == 2 && MainWindowFree(); }, kDialogTimeout));
  for (uint8_t id = 1; id <= 2; ++id)
    EXPECT_EQ(IcoBlocks(ReadBytes(library.File("Icon_000" + std::to_string(id - 1) + ".ico"))),
              std::vector<Bytes>{WithSizeImageCleared(MakeDibBlock(32, 32, 32, 0, id))});
}

}  // namespace
