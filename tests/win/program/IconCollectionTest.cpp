// Loading files into the collection with real views: the type filter (and
// Add File's list of the types), one
// icon per .ico file and one per icon group of a module (damaged groups
// skipped, later ones kept), record, images and item always in step, the
// running count, clearing and emptying, each list's picture in true colour,
// and the memory given back.

#include "ProgramTestSupport.h"
#include <psapi.h>

#include "collection/FilterSettings.h"
#include "formats/OddImages.h"
#include "support/IconBuilder.h"
#include "support/ModuleBuilder.h"
#include "ui/AddFileCommand.h"

namespace {

const COLORREF kColours[] = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), RGB(255, 255, 0), RGB(255, 255, 255)};
const char* const kExtensions[] = {"exe", "dll", "ico", "icl", "cpl", "ocx", "scr", "mun"};

std::vector<GroupFixture> NumberedGroups(int count) {
  std::vector<GroupFixture> groups;
  for (int i = 0; i < count; ++i) groups.push_back({ResourceName::Id(static_cast<uint16_t>(i + 1)), kColours[i % 5]});
  return groups;
}

// "#7" for a numeric group id, the text of a named group, "" for an .ico file.
std::string NameOf(const std::optional<ResourceName>& name) {
  if (!name) return "";
  return name->isId ? "#" + std::to_string(name->id) : name->text;
}

const COLORREF kUnreadable = ListViewHost::kUnreadableMark;

struct Entry {
  std::string path;
  std::string group;
  COLORREF colour;
  BOOL checked;
};

class IconCollectionTest : public AppTest {
 protected:
  IconCollectionTest() { host.Bind(icons); }
  void SwitchAllTypes(BOOL on) {
    TypeSwitches all;
    all.fill(on != FALSE);
    icons.SetSwitches(all);
  }
  std::string Write(const std::string& name, const std::vector<uint8_t>& bytes) const {
    const std::string path = folder.File(name);
    EXPECT_TRUE(WriteBytes(path, bytes)) << path;
    return path;
  }
  // Loads the files one after the other into an emptied collection.
  int LoadAlone(const std::vector<std::string>& paths) {
    icons.EmptyWithViews(&host.pathBox);
    for (const std::string& path : paths) icons.LoadFromFile(path.c_str(), TRUE);
    return icons.GetCount();
  }
  // The colour at the centre of the picture item `index` shows in one view.
  COLORREF Shown(int index, bool large) { return host.ShownCentre(index, large); }
  // Record i and item i hold entry i, its picture in both views, and nothing more is there.
  void ExpectEntries(const std::vector<Entry>& entries) {
    ASSERT_EQ(icons.GetCount(), static_cast<int>(entries.size()));
    ASSERT_EQ(host.list.GetItemCount(), icons.GetCount());
    for (int i = 0; i < icons.GetCount(); ++i) {
      SCOPED_TRACE("entry " + std::to_string(i));
      const Entry& entry = entries[static_cast<size_t>(i)];
      EXPECT_EQ(std::string(icons.GetSource(i)->Path()), entry.path);
      EXPECT_EQ(NameOf(icons.GetSource(i)->m_group), entry.group);
      EXPECT_EQ(Shown(i, true), entry.colour);
      EXPECT_EQ(Shown(i, false), entry.colour);
      EXPECT_EQ(host.list.GetCheck(i), entry.checked);
    }
  }
  TempFolder folder;
  ListViewHost host;
  CIconCollection icons;
};

// Each key of [Filter] alone lets only its own type load and lists only it in
// Add File's filter (.mun companions go with the .dll files); all of them
// list in order. Only the last extension counts, in either case.
TEST_F(IconCollectionTest, EachFilterKeySwitchesOnItsOwnTypeForLoadingAndForAddFile) {
  const std::vector<uint8_t> module = BuildModuleWithGroups(NumberedGroups(2));
  const char* const keys[] = {"Exe", "Dll", "Ico", "Icl", "Cpl", "Ocx", "Scr"};
  std::vector<std::string> samples;
  for (size_t type = 0; type < 8; ++type) {
    std::string name = std::string("sample.") + kExtensions[type];
    if (type % 2) CharUpperA(&name[0]);
    samples.push_back(Write(name, type == 2 ? BuildSolidIcoFile({0}) : module));
  }
  for (size_t on = 0; on < 7; ++on) {
    SCOPED_TRACE(keys[on]);
    for (size_t key = 0; key < 7; ++key) WriteSetting("Filter", keys[key], key == on ? "1" : "0");
    ReadFilterSettings(TheApp().m_config, icons);
    const std::string patterns = on == 1 ? "*.dll;*.mun" : std::string("*.") + kExtensions[on];
    const std::string name = on == 2 ? "Icon" : keys[on];
    EXPECT_EQ(std::string(AddFileFilter(icons)),
              "All Supported Types (By Filter)|" + patterns + ";|" + name + " Files (" + patterns + ")|" + patterns + "|");
    for (size_t type = 0; type < 8; ++type)
      EXPECT_EQ(LoadAlone({samples[type]}), (type == 7 ? 1 : type) != on ? 0 : on == 2 ? 1 : 2) << samples[type];
  }
  SwitchAllTypes(TRUE);
  EXPECT_EQ(std::string(AddFileFilter(icons)),
            "All Supported Types (By Filter)|*.exe;*.dll;*.mun;*.ico;*.icl;*.cpl;*.ocx;*.scr;|"
            "Exe Files (*.exe)|*.exe|Dll Files (*.dll;*.mun)|*.dll;*.mun|Icon Files (*.ico)|*.ico|Icl Files (*.icl)|*.icl|"
            "Cpl Files (*.cpl)|*.cpl|Ocx Files (*.ocx)|*.ocx|Scr Files (*.scr)|*.scr|");
  EXPECT_EQ(LoadAlone({Write("picture.icon", module)}), 0);
  SwitchAllTypes(FALSE);
  icons.SwitchType(TypeSwitch::Ico, true);
  EXPECT_EQ(LoadAlone({Write("archive.ico.exe", module)}), 0);
}

TEST_F(IconCollectionTest, EachIcoFileAndEachModuleGroupGivesOneIconKeepingItsOwnCopyOfTextNames) {
  SwitchAllTypes(TRUE);
  const std::string three = Write("three.ico", BuildSolidIcoFile({kColours[4], kColours[4], kColours[4]}));
  const std::vector<uint8_t> text(300, 'x');
  const std::string mixed = Write("mixed.dll", BuildModuleWithGroups({{ResourceName::Id(7), kColours[0]},
                                                                      {ResourceName::Id(300), kColours[1]},
                                                                      {ResourceName::Text("FIRST_GROUP"), kColours[2]}}));
  const std::string other = Write("other.dll", BuildModuleWithGroups({{ResourceName::Text("OTHER_GROUP"), kColours[3]}}));
  LoadAlone({three, Write("text.ico", text), Write("notes.exe", text), folder.File("missing.dll"), mixed, other});
  ExpectEntries({{three, "", kColours[4], TRUE},
                 {mixed, "FIRST_GROUP", kColours[2], TRUE},
                 {mixed, "#7", kColours[0], TRUE},
                 {mixed, "#300", kColours[1], TRUE},
                 {other, "OTHER_GROUP", kColours[3], TRUE}});
}

// A group whose image cannot be decoded is listed (its bytes can be saved)
// with the unreadable mark; one without an image to read is skipped.
TEST_F(IconCollectionTest, ADamagedGroupIsMarkedOrSkippedAndTheLaterGroupsStillLoad) {
  const struct {
    const char* what;
    void (*damage)(BuiltResource& group, BuiltResource& image);
    bool listed;
  } cases[] = {
      {"image bytes damaged", [](BuiltResource&, BuiltResource& image) { image.data.assign(image.data.size(), 0xEE); },
       true},
      // The entry names image 99, which the module does not hold.
      {"image missing", [](BuiltResource& group, BuiltResource&) { group.data[6 + 12] = 99; }, false},
      {"count beyond its bytes", [](BuiltResource& group, BuiltResource&) { group.data[4] = 200; }, false}};
  icons.SwitchType(TypeSwitch::Exe, true);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    // Images 1 to 5, each alone in the group of its number.
    std::vector<BuiltResource> resources;
    for (uint16_t id = 1; id <= 5; ++id) {
      const std::vector<uint8_t> image = SolidIconBlock(kColours[id - 1]);
      resources.push_back({kResourceIcon, ResourceName::Id(id), 0x409, image});
      resources.push_back({kResourceGroupIcon, ResourceName::Id(id), 0x409, BuildGroupIcon({image}, {id})});
    }
    c.damage(resources[5], resources[4]);  // the third group and its image
    const std::string path = Write("damaged.exe", BuildPeModule(resources));
    LoadAlone({path});
    std::vector<Entry> entries{{path, "#1", kColours[0], TRUE}, {path, "#2", kColours[1], TRUE}};
    if (c.listed) entries.push_back({path, "#3", kUnreadable, TRUE});
    entries.push_back({path, "#4", kColours[3], TRUE});
    entries.push_back({path, "#5", kColours[4], TRUE});
    ExpectEntries(entries);
  }
}

// Each list shows, in its own colours, the image nearest its size and not
// smaller: 48 pixels for the large list, 24 for the small one; of one size the
// one of most colour bits, and never an image it cannot draw.
TEST_F(IconCollectionTest, EachListShowsTheImageNearestItsSizeInTrueColour) {
  icons.SwitchType(TypeSwitch::Ico, true);
  const COLORREF deep = RGB(37, 91, 155);
  LoadAlone({Write("two.ico", BuildIcoFile({SolidIconBlock(kColours[0], 24), SolidIconBlock(deep, 48)}))});
  EXPECT_EQ(Shown(0, true), deep);
  EXPECT_EQ(Shown(0, false), kColours[0]);
  // Of one size the most colour bits: a 24-bit red image loses to the 32-bit one.
  LoadAlone({Write("depths.ico", BuildIcoFile({UniformDib(24, 0, {0, 0, 255}), SolidIconBlock(deep)}))});
  EXPECT_EQ(Shown(0, true), deep);
  EXPECT_EQ(Shown(0, false), deep);
  // A 48x48 image stored as bit fields that cannot be drawn is passed over for the 16x16 one.
  std::vector<uint8_t> broken = SolidIconBlock(kColours[2], 48);
  PutU32At(broken, 16, 3);
  LoadAlone({Write("broken.ico", BuildIcoFile({broken, SolidIconBlock(kColours[1], 16)}))});
  EXPECT_EQ(Shown(0, true), kColours[1]);
  EXPECT_EQ(Shown(0, false), kColours[1]);
}

// A file's icons scroll once, by the sum of the icons added before each.
// Clear deletes only the records and unbinds the label; emptying with the
// views empties everything; neither touches the saved flag or the count.
TEST_F(IconCollectionTest, EachAddKeepsRecordImagesAndItemInStepAndClearingLeavesTheSavedFlagAndTheCount) {
  SwitchAllTypes(TRUE);
  const std::string red = Write("red.ico", BuildSolidIcoFile({kColours[0]}));
  const std::string green = Write("green.ico", BuildSolidIcoFile({kColours[1]}));
  const std::string two = Write("two.dll", BuildModuleWithGroups({{ResourceName::Id(1), kColours[1]},
                                                                  {ResourceName::Id(2), kColours[2]}}));
  icons.SetCountLabel(&host.label);
  icons.LoadFromFile(red.c_str(), TRUE);
  EXPECT_EQ(WindowText(host.label), "1");
  icons.LoadFromFile(two.c_str(), FALSE);
  icons.LoadFromFile(red.c_str(), TRUE);
  EXPECT_EQ(WindowText(host.label), "4");
  ExpectEntries({{red, "", kColours[0], TRUE},
                 {two, "#1", kColours[1], FALSE},
                 {two, "#2", kColours[2], FALSE},
                 {red, "", kColours[0], TRUE}});
  EXPECT_EQ(host.list.scrolls, (std::vector<std::pair<int, int>>{{0, 0}, {0, 3}, {0, 3}}));
  icons.SetSaved(false);
  icons.Clear();
  EXPECT_EQ(icons.GetCount(), 0);
  EXPECT_EQ(icons.m_countLabel, nullptr);
  EXPECT_FALSE(icons.IsSaved());
  EXPECT_EQ(host.list.GetItemCount(), 4);
  icons.LoadFromFile(red.c_str(), TRUE);
  icons.EmptyWithViews(&host.pathBox);
  EXPECT_EQ(WindowText(host.pathBox), "");
  ExpectEntries({});
  host.list.scrolls.clear();
  icons.SetCountLabel(&host.label);
  icons.LoadFromFile(green.c_str(), FALSE);
  EXPECT_EQ(WindowText(host.label), "6");
  EXPECT_EQ(host.list.scrolls, (std::vector<std::pair<int, int>>{{0, 5}}));
  ExpectEntries({{green, "", kColours[1], FALSE}});
  EXPECT_FALSE(icons.IsSaved());
}

// The lists keep copies of the pictures, and clearing gives their memory
// back: the icons of shell32.dll, loaded three times (552 icons) with a few
// .ico files and cleared again, six times over, leave the process no larger
// after the second time than a little heap wobble.
TEST_F(IconCollectionTest, LoadingAndClearingAgainAndAgainGivesTheMemoryBack) {
  SwitchAllTypes(TRUE);
  const std::string shell32 = std::string(kWineSystemFolder) + "shell32.dll";
  std::vector<std::string> paths(3, shell32);
  paths.resize(53, Write("one.ico", BuildSolidIcoFile({kColours[0]})));
  std::vector<SIZE_T> used;
  for (int cycle = 0; cycle < 6; ++cycle) {
    EXPECT_GT(LoadAlone(paths), 500);
    icons.EmptyWithViews(&host.pathBox);
    PROCESS_MEMORY_COUNTERS counters{};
    ASSERT_TRUE(GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters));
    used.push_back(counters.PagefileUsage);
  }
  EXPECT_LE(used[5], used[1] + (2u << 20)) << "after cycle 2: " << used[1] << ", after cycle 6: " << used[5];
}

}  // namespace

namespace {

// The list keeps pictures only of the icons lately in view: 300 icons shown
// one after the other at 256 pixels leave far fewer pictures than icons, each
// icon shows its own picture again when it comes back, and an icon whose file
// is gone shows the unreadable mark.
TEST_F(IconCollectionTest, PicturesAreKeptForTheIconsLatelyInViewOnly) {
  icons.SwitchType(TypeSwitch::Dll, true);
  icons.SwitchType(TypeSwitch::Ico, true);
  host.list.SetPictureSides(256, 16);
  for (int module = 0; module < 3; ++module)
    icons.LoadFromFile(Write("m" + std::to_string(module) + ".dll", BuildModuleWithGroups(NumberedGroups(100))).c_str(),
                       TRUE);
  const std::string gone = Write("gone.ico", BuildSolidIcoFile({kColours[0]}));
  icons.LoadFromFile(gone.c_str(), TRUE);
  ASSERT_EQ(icons.GetCount(), 301);
  ASSERT_TRUE(DeleteFileA(gone.c_str()));
  for (int i = 0; i < 300; ++i) ASSERT_EQ(Shown(i, true), kColours[i % 5]) << "icon " << i;
  EXPECT_LT(host.list.PicturesHeld(), 150);
  EXPECT_EQ(Shown(0, true), kColours[0]);
  EXPECT_EQ(Shown(300, true), kUnreadable);
}

}  // namespace
