// The one reading of a file's icons: files told by their content, each
// outcome named (damage and where), and groups that keep the images they have.

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "FormatTestHelpers.h"
#include "formats/IconFileReader.h"
#include "support/IconBuilder.h"
#include "support/ModuleBuilder.h"

namespace {

ResourceName Id(uint16_t id) { return ResourceName::Id(id); }
BuiltResource Group(ResourceName name, Bytes data) { return {kResourceGroupIcon, std::move(name), 0x409, data}; }
BuiltResource Icon(uint16_t id, Bytes data, uint16_t language = 0x409) {
  return {kResourceIcon, Id(id), language, std::move(data)};
}

std::vector<uint32_t> LostEntries(const IconGroup& group) {
  std::vector<uint32_t> entries;
  for (const LostImage& lost : group.lost) entries.push_back(lost.entry);
  return entries;
}

struct Case {
  const char* name;
  Bytes bytes;
  ReadStatus status;
  std::string detail;
  size_t groups;
};

TEST(IconFileReader, TellsEveryFileByItsContentAndNamesWhatWentWrong) {
  const Bytes pe = TwoImagePe();
  const Bytes ico = BuildIcoFile({MakeDibBlock(16, 16, 4, 0, 1), MakeDibBlock(32, 32, 8, 0, 2)});
  const auto cut = [](Bytes bytes, size_t at) { return Bytes(bytes.begin(), bytes.begin() + at); };
  const auto of = [](size_t at, size_t whole) {
    return "cut short at " + std::to_string(at) + " of " + std::to_string(whole) + " bytes";
  };
  const size_t inLargeImage = pe.size() - 1000;
  const size_t header = U32At(pe, 0x3C);
  const size_t resources = U32At(pe, header + 24 + U16At(pe, header + 20) + 40 + 20);  // the second section's
  const Case cases[] = {
      {"a module named .bin", pe, ReadStatus::Read, "", 1},
      {"an icon file", ico, ReadStatus::Read, "", 1},
      {"a module cut inside its headers", cut(pe, U32At(pe, 0x3C) + 30), ReadStatus::Damaged,
       "cut short at " + std::to_string(U32At(pe, 0x3C) + 30) + " bytes, inside its headers", 0},
      {"a module cut before its resources", cut(pe, resources), ReadStatus::Damaged, of(resources, pe.size()), 0},
      {"a module cut inside its last image", cut(pe, inLargeImage), ReadStatus::Damaged, of(inLargeImage, pe.size()),
       1},
      {"an icon file cut inside its last image", cut(ico, ico.size() - 1), ReadStatus::Damaged,
       of(ico.size() - 1, ico.size()), 1},
      {"an icon file cut inside its directory", cut(ico, 6 + 16 + 3), ReadStatus::Damaged, of(25, 6 + 2 * 16), 0},
      {"a module without icons", BuildPeModule({}), ReadStatus::NoIcon, "", 0},
      {"an icon file without images", BuildIcoFile({}), ReadStatus::NoIcon, "", 0},
      {"zeros", Bytes(4096, 0), ReadStatus::NotIconFile, "", 0},
      {"an empty file", Bytes(), ReadStatus::NotIconFile, "", 0},
      {"a cursor", [&] { Bytes b = ico; b[2] = 2; return b; }(), ReadStatus::NotIconFile, "", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const TempFolder folder;
    const std::string path = folder.File("shell32.bin");
    ASSERT_TRUE(WriteBytes(path, c.bytes));
    const IconFileRead read = ReadIconFile(path);
    EXPECT_EQ(read.status, c.status);
    EXPECT_EQ(read.detail, c.detail);
    EXPECT_EQ(read.source, path);
    ASSERT_EQ(read.groups.size(), c.groups);
  }

  const TempFolder folder;
  const IconFileRead missing = ReadIconFile(folder.File("missing.dll"));
  EXPECT_EQ(std::make_pair(missing.status, missing.detail), std::make_pair(ReadStatus::CannotOpen, std::string(std::strerror(ENOENT))));
  EXPECT_EQ(ReadIconFile(folder.Path()).status, ReadStatus::CannotOpen);
}

TEST(IconFileReader, KeepsTheImagesAGroupHasAndNamesTheOnesItLost) {
  const std::vector<BuiltResource> resources = GroupWithAMissingImage();
  for (const Bytes& module : {BuildPeModule(resources), BuildNeModule(resources, 4)}) {
    const TempPath file;
    ASSERT_TRUE(WriteBytes(file.path, module));
    const IconFileRead read = ReadIconFile(file.path);
    EXPECT_EQ(read.status, ReadStatus::Read);
    ASSERT_EQ(read.groups.size(), 1u);
    const IconGroup& group = read.groups[0];
    EXPECT_EQ(group.set->images.size(), 9u);
    EXPECT_EQ(group.set->images[3].width, 21u);  // entry 5's image follows entry 3's
    ASSERT_EQ(LostEntries(group), std::vector<uint32_t>{3});
    EXPECT_EQ(LostImageText(group.lost[0]), "image 4 (icon 99) is missing");
  }

  // The image past the end is lost; the one before it is whole.
  const Bytes pe = TwoImagePe();
  const TempPath file;
  ASSERT_TRUE(WriteBytes(file.path, Bytes(pe.begin(), pe.end() - 1000)));
  const IconFileRead read = ReadIconFile(file.path);
  ASSERT_EQ(read.groups.size(), 1u);
  ASSERT_NO_FATAL_FAILURE(ExpectBlocks(read.groups[0].set, {MakeDibBlock(32, 32, 4, 0, 1)}));
  EXPECT_EQ(LostEntries(read.groups[0]), std::vector<uint32_t>{1});
  EXPECT_EQ(read.groups[0].lost[0].reason, LossReason::PastEnd);
}

TEST(IconFileReader, ReadsEveryIcoBlockByteForByteInDirectoryOrderWhereverItLies) {
  const std::vector<Bytes> blocks = {MakeDibBlock(32, 32, 4, 0, 1), MakePngBlock(256, 256, 2), {1, 2, 3, 4, 5}};
  // The first block moves behind the others, after a gap of 3 bytes.
  const Bytes first = blocks[0];
  Bytes moved = BuildIcoFile(blocks);
  std::fill(moved.begin() + U32At(moved, 6 + 12), moved.begin() + U32At(moved, 6 + 12) + first.size(), 0);
  moved.insert(moved.end(), 3, 0xEE);
  PutU32At(moved, 6 + 12, static_cast<uint32_t>(moved.size()));
  moved.insert(moved.end(), first.begin(), first.end());
  const IconImageSetPtr set = LoadBytes(moved);
  ASSERT_NO_FATAL_FAILURE(ExpectBlocks(set, blocks));
  EXPECT_EQ(set->images[0].kind, ImageKind::Dib);
  EXPECT_EQ(set->images[1].kind, ImageKind::Png);
  EXPECT_EQ(set->images[2].kind, ImageKind::Unknown);
  // Three entries name the one block stored.
  Bytes shared = BuildIcoFile({first, first, first});
  for (const size_t entry : {1, 2}) PutU32At(shared, 6 + 16 * entry + 12, U32At(shared, 6 + 12));
  shared.resize(U32At(shared, 6 + 12) + first.size());
  const IconImageSetPtr three = LoadBytes(shared);
  ExpectBlocks(three, {first, first, first});
  EXPECT_EQ(three->images[0].block, three->images[2].block);
  // Each block lies in the file, but overlapping they claim more than it holds: the second is refused.
  Bytes overlapping = BuildIcoFile({MakeDibBlock(32, 32, 4), MakeDibBlock(16, 16, 8)});
  PutU32At(overlapping, 6 + 16 + 8, U32At(overlapping, 6 + 16 + 12) + U32At(overlapping, 6 + 16 + 8) - 22);
  PutU32At(overlapping, 6 + 16 + 12, 22);
  EXPECT_EQ(LoadBytes(overlapping)->images.size(), 1u);
}

// Each kind lists names in its table's order and finds the first language, or
// the first of equal names.
TEST(IconFileReader, ReadsGroupsByNameOrIdFromEachKindOfModule) {
  const std::vector<Bytes> named = {MakeDibBlock(16, 16, 4, 0, 1), MakeDibBlock(32, 32, 8, 0, 2),
                                    MakePngBlock(256, 256, 3)};
  const Bytes numbered = MakeDibBlock(48, 48, 32, 0, 4);
  Bytes countTooHigh = BuildGroupIcon({numbered}, {7});
  countTooHigh[4] = 200;
  const std::vector<BuiltResource> resources = {
      Icon(1, named[0]),
      Icon(1, numbered, 0x407),
      Icon(2, named[1]),
      Icon(3, named[2]),
      Icon(7, numbered),
      Group(ResourceName::Text("MAINICON"), BuildGroupIcon(named, {1, 2, 3})),
      Group(Id(104), BuildGroupIcon({}, {})),
      // Each of 200 entries naming one image is a fair lookup, but together they
      // would copy it far more often than the file could hold it; twice is fair.
      Group(Id(106), BuildGroupIcon(std::vector<Bytes>(200, numbered), std::vector<uint16_t>(200, 7))),
      Group(Id(107), BuildGroupIcon({numbered, numbered}, {7, 7})),
      Group(Id(105), countTooHigh),
  };
  // An NE module rounds lengths up to its alignment (512 bytes here); each
  // image is as long as its group's directory says.
  for (const Bytes& module : {BuildPeModule(resources), BuildPeModule(resources, true), BuildNeModule(resources, 9)}) {
    const TempPath file;
    ASSERT_TRUE(WriteBytes(file.path, module));
    IconFileReader reader(file.path);
    ASSERT_EQ(reader.Groups().size(), 5u);
    const auto main = reader.ReadGroup(ResourceName::Text("mainicon"));
    ASSERT_TRUE(main);
    ASSERT_NO_FATAL_FAILURE(ExpectBlocks(main->set, named));
    EXPECT_EQ(main->set->modulePath, file.path);
    EXPECT_EQ(main->set->images[2].kind, ImageKind::Png);
    ExpectBlocks(reader.ReadGroup(ResourceName(Id(107)))->set, {numbered, numbered});
    ExpectBlocks(reader.ReadGroup(ResourceName(Id(104)))->set, {});
    EXPECT_LT(reader.ReadGroup(ResourceName(Id(106)))->set->images.size(), 200u);
    EXPECT_FALSE(reader.ReadGroup(ResourceName(Id(103))));
    EXPECT_FALSE(reader.ReadGroup(std::nullopt));
    EXPECT_EQ(reader.Status(), ReadStatus::Read);
    EXPECT_FALSE(reader.ReadGroup(ResourceName(Id(105))));
    EXPECT_EQ(std::make_pair(reader.Status(), reader.Detail()),
              std::make_pair(ReadStatus::Damaged, std::string("its resource table is malformed")));
  }
}

// A Windows partition as Linux mounts it: the module in System32 holds no
// icons, its companion in SystemResources does; names differ in case.
TEST(IconFileReader, ReadsAModuleWithoutIconsFromItsCompanion) {
  const TempFolder root;
  namespace fs = std::filesystem;
  const fs::path windows = fs::u8path(root.Path()) / "Windows";
  fs::create_directories(windows / "SYSTEM32");
  fs::create_directories(windows / "systemresources");
  const Bytes block = MakeDibBlock(32, 32, 32, 0, 5);
  const std::string module = (windows / "SYSTEM32" / "imageres.dll").u8string();
  const std::string companion = (windows / "systemresources" / "ImageRes.DLL.mun").u8string();
  ASSERT_TRUE(WriteBytes(module, BuildPeModule({})));
  ASSERT_TRUE(WriteBytes(companion, BuildPeModule({Icon(1, block), Group(Id(2), BuildGroupIcon({block}, {1}))})));
  const IconFileRead read = ReadIconFile(module);
  EXPECT_EQ(read.status, ReadStatus::Read);
  ASSERT_EQ(read.groups.size(), 1u);
  EXPECT_TRUE(fs::equivalent(fs::u8path(read.source), fs::u8path(companion)));
  EXPECT_EQ(read.groups[0].set->modulePath, read.source);
  // Elsewhere the same module has no companion but in the Windows folder given.
  const std::string elsewhere = root.File("imageres.dll");
  ASSERT_TRUE(WriteBytes(elsewhere, BuildPeModule({})));
  EXPECT_EQ(ReadIconFile(elsewhere).status, ReadStatus::NoIcon);
  EXPECT_EQ(ReadIconFile(elsewhere, windows.u8string()).groups.size(), 1u);
}

}  // namespace
