// Save and Save As as commands: what they check before writing, where they
// write, the messages they show, the probe and the saved flag.

#include "ProgramTestSupport.h"
#include "formats/IconPixels.h"
#include "formats/PngWriter.h"
#include "save/SaveCommand.h"
#include "support/IconBuilder.h"

namespace {

const char kCannotSave[] = "Cannot save icons to the selected directory!Please check settings!";

// A save command whose save-file dialog gives a fixed folder, title and
// extension; an empty folder stands for Cancel.
class PickedPathSaveCommand : public CSaveCommand {
 public:
  using CSaveCommand::CSaveCommand;
  std::string folder, title, ext;
  int pickCalls = 0;

 protected:
  bool PickSaveAsPath(CString& path, CString& title, CString& ext) override {
    ++pickCalls;
    path = (this->folder + "\\" + this->title + "." + this->ext).c_str();
    title = this->title.c_str();
    ext = this->ext.c_str();
    return !folder.empty();
  }
};

class SaveCommandTest : public SaveTest {
 protected:
  void Save() { command.SaveToLibrary(); }
  void SaveAs(const std::string& folder, const std::string& title, const std::string& ext) {
    command.folder = folder;
    command.title = title;
    command.ext = ext;
    command.SaveAs();
  }
  // Runs the command while a watcher answers the one box it should show.
  SeenDialog ExpectBox(const std::string& caption, const std::function<void()>& run) {
    DialogWatcher watcher(caption, Press(IDOK));
    run();
    EXPECT_TRUE(watcher.Finish()) << "no box captioned " << caption;
    return watcher.Seen();
  }

  PickedPathSaveCommand command{&host, &host.list, Icons(), TheApp().m_config};
  TempFolder other;
};

TEST_F(SaveCommandTest, AnEmptyListDoesNothingAndNothingTickedSaysSoBeforeAnyFileDialog) {
  Icons().SetSaved(false);
  DialogWatcher anyBox("", Press(IDOK));
  Save();
  command.SaveAs();
  EXPECT_FALSE(anyBox.Finish());
  AddIcos({1, 2});
  TickOnly({});
  for (const auto& run : {std::function<void()>([this] { Save(); }), std::function<void()>([this] { SaveAs(other.Path(), "a", "ico"); })}) {
    const SeenDialog seen = ExpectBox("Vantrel", run);
    EXPECT_EQ(seen.text, "No Selected Icon!");
    EXPECT_EQ(seen.owner, host.m_hWnd);
  }
  EXPECT_EQ(command.pickCalls, 0);
  EXPECT_TRUE(NamesIn(library.Path()).empty());
  EXPECT_FALSE(Icons().IsSaved());
}

// Saving the library's own files again under their own names, only the ticked
// ones: each file written holds what its source held before anything was written.
TEST_F(SaveCommandTest, SourcesAmongTheNamesWrittenAreReadBeforeAnyIsReplaced) {
  AddIcos({9});
  for (const uint8_t seed : {2, 1, 0}) {
    const std::string name = "Untitled_000" + std::to_string(seed) + ".ico";
    WriteBytes(library.File(name), BuildIcoFile({MakeDibBlock(32, 32, 32, 0, seed)}));
    Icons().LoadFromFile(library.File(name).c_str(), TRUE);
  }
  TickOnly({1, 2, 3});
  Icons().SetSaved(false);
  Save();
  EXPECT_EQ(FirstBlockIn("Untitled_0000.ico"), SavedSeed(2));
  EXPECT_EQ(FirstBlockIn("Untitled_0001.ico"), SavedSeed(1));
  EXPECT_EQ(FirstBlockIn("Untitled_0002.ico"), SavedSeed(0));
  EXPECT_TRUE(Icons().IsSaved());
}

// Only the last level is made; the probe spares the user's own files named
// like it. The prefix and type come from the settings, in any case; an
// unknown type is ico; a trailing backslash changes no name.
TEST_F(SaveCommandTest, MissingLibraryIsCreatedAMissingParentGivesTheErrorAndTheProbeSparesUsersFiles) {
  AddIcos({1});
  const std::vector<uint8_t> mine = {'m', 'i', 'n', 'e'};
  WriteSetting("Setting", "RestorePath", library.File("made").c_str());
  Save();
  EXPECT_EQ(NamesIn(library.File("made")), (std::vector<std::string>{"Untitled_0000.ico"}));
  WriteBytes(library.File("1.ico"), mine);
  WriteBytes(library.File("1.bmp"), mine);
  SetFileAttributesA(library.File("1.bmp").c_str(), FILE_ATTRIBUTE_READONLY);
  WriteSetting("Setting", "RestorePath", (library.Path() + "\\").c_str());
  WriteSetting("Setting", "DefaultType", "gif");
  Save();
  WriteSetting("Setting", "DefaultType", "BMP");
  WriteSetting("Setting", "TitlePrefix", "Mine");
  Save();
  EXPECT_EQ(NamesIn(library.Path()),
            (std::vector<std::string>{"1.bmp", "1.ico", "Mine_0000.bmp", "Untitled_0000.ico", "made\\"}));
  EXPECT_EQ(ReadBytes(library.File("1.ico")), mine);
  EXPECT_EQ(ReadBytes(library.File("1.bmp")), mine);
  Icons().SetSaved(false);
  WriteSetting("Setting", "RestorePath", library.File("missing\\deeper").c_str());
  const SeenDialog seen = ExpectBox("Error", [this] { Save(); });
  EXPECT_EQ(seen.text, kCannotSave);
  EXPECT_EQ(seen.owner, host.m_hWnd);
  EXPECT_FALSE(Icons().IsSaved());
  // No folder set names none, not the drive's root.
  WriteSetting("Setting", "RestorePath", "");
  EXPECT_EQ(ExpectBox("Error", [this] { Save(); }).text, kCannotSave);
  EXPECT_FALSE(Icons().IsSaved());
}

TEST_F(SaveCommandTest, SaveAsWritesNumberedFilesUnderThePickedNameAndTypeAndSparesThePickedFile) {
  AddIcos({1, 2});
  Icons().SetSaved(false);
  const std::vector<uint8_t> mine = {'k', 'e', 'e', 'p'};
  WriteBytes(other.File("star.ico"), mine);
  SaveAs(other.Path(), "star", "ico");
  TickOnly({0});
  SaveAs(other.Path(), "my.icon", "ICO");
  SaveAs(other.Path(), "one", "BMP");
  EXPECT_EQ(NamesIn(other.Path()), (std::vector<std::string>{"my.icon_0000.ico", "one_0000.bmp", "star.ico",
                                                             "star_0000.ico", "star_0001.ico"}));
  EXPECT_EQ(IcoBlocks(ReadBytes(other.File("star_0001.ico"))), std::vector<std::vector<uint8_t>>{SavedSeed(2)});
  EXPECT_EQ(ReadBytes(other.File("star.ico")), mine);
  EXPECT_TRUE(Icons().IsSaved());
}

TEST_F(SaveCommandTest, SaveAsRefusesOtherExtensionsAFolderThatIsGoneAndCancelBeforeWriting) {
  AddIcos({1});
  Icons().SetSaved(false);
  for (const char* ext : {"gif", "icon", ""}) {
    const SeenDialog seen = ExpectBox("Error", [&] { SaveAs(other.Path(), "star", ext); });
    EXPECT_EQ(seen.text, "Icons can be saved only as .ico, .bmp or .png files.") << ext;
  }
  EXPECT_EQ(ExpectBox("Error", [this] { SaveAs(other.File("gone"), "star", "ico"); }).text, kCannotSave);
  SaveAs("", "star", "ico");
  EXPECT_EQ(command.pickCalls, 5);
  EXPECT_TRUE(NamesIn(other.Path()).empty());
  EXPECT_FALSE(Icons().IsSaved());
}

// A PNG holds the icon's largest image: a PNG image byte for byte; of DIBs
// of one size the deepest, top row first, alpha from the mask.
TEST_F(SaveCommandTest, PngTypeWritesTheLargestImageOfEachTickedIcon) {
  const std::vector<uint8_t> png = EncodePng({48, 48, std::vector<uint8_t>(48 * 48 * 4, 0x5A)});
  const std::vector<uint8_t> deepest = MakeDibBlock(32, 32, 24, 0, 3);
  const std::string first = sources.File("png.ico");
  const std::string second = sources.File("dibs.ico");
  WriteBytes(first, BuildIcoFile({MakeDibBlock(16, 16, 8), png, MakeDibBlock(32, 32, 32)}));
  WriteBytes(second, BuildIcoFile({MakeDibBlock(32, 32, 8), deepest, MakeDibBlock(16, 16, 32)}));
  Icons().LoadFromFile(first.c_str(), TRUE);
  Icons().LoadFromFile(second.c_str(), TRUE);
  WriteSetting("Setting", "DefaultType", "PNG");
  Save();
  EXPECT_EQ(ReadBytes(library.File("Untitled_0000.png")), png);
  const std::vector<uint8_t> saved = ReadBytes(library.File("Untitled_0001.png"));
  const auto pixels = DecodePng(saved.data(), saved.size());
  ASSERT_TRUE(pixels);
  ASSERT_EQ(pixels->width * pixels->height, 32u * 32u);
  // The top row is stored last: blue, green, red from byte 40 + 31 rows of 96,
  // its mask bit the first of the mask's last row.
  const size_t bottomUp = 40 + 31 * 96;
  const bool masked = deepest[40 + 32 * 96 + 31 * 4] & 0x80;
  EXPECT_EQ(std::vector<uint8_t>(pixels->pixels.begin(), pixels->pixels.begin() + 4),
            (std::vector<uint8_t>{deepest[bottomUp + 2], deepest[bottomUp + 1], deepest[bottomUp], uint8_t(masked ? 0 : 255)}));
}

// An icon not written is named once after the save and keeps the collection
// unsaved; a name that would leave the folder, or not fit the path limit, is
// refused before anything is written.
TEST_F(SaveCommandTest, IconsNotWrittenAreNamedAndNoNameLeavesOrOverrunsTheFolder) {
  AddIcos({1, 2});
  Icons().SetSaved(false);
  CreateDirectoryA(library.File("Untitled_0001.ico").c_str(), nullptr);
  const SeenDialog seen = ExpectBox("Vantrel", [this] { Save(); });
  EXPECT_EQ(seen.text, "1 of the 2 ticked icons was not saved:\n\nUntitled_0001.ico (from " + sources.File("seed2.ico") +
                           "): a folder of that name is in the way\n\nThey still count as unsaved.");
  EXPECT_EQ(seen.owner, host.m_hWnd);
  EXPECT_FALSE(Icons().IsSaved());
  RemoveDirectoryA(library.File("Untitled_0001.ico").c_str());
  DialogWatcher anyBox("Vantrel", Press(IDOK));
  Save();
  EXPECT_FALSE(anyBox.Finish()) << anyBox.Seen().text;
  EXPECT_TRUE(Icons().IsSaved());

  WriteSetting("Setting", "RestorePath", library.File("inner").c_str());
  for (const char* prefix : {"..\\escaped", "../up", "bad*na?me:x|y", "tab\there"}) {
    WriteSetting("Setting", "TitlePrefix", prefix);
    EXPECT_EQ(ExpectBox("Error", [this] { Save(); }).text.rfind(std::string("Icons cannot be saved under the name \"") + prefix, 0), 0u) << prefix;
  }
  EXPECT_EQ(ExpectBox("Error", [this] { SaveAs(other.Path(), "..\\up", "ico"); }).text.rfind("Icons cannot", 0), 0u);
  // The second name, deep\Untitled_0001.ico, would be 260 characters long.
  const std::string deep = library.File(std::string(241 - library.Path().size(), 'x'));
  WriteSetting("Setting", "TitlePrefix", "Untitled");
  WriteSetting("Setting", "RestorePath", deep.c_str());
  EXPECT_EQ(ExpectBox("Error", [this] { Save(); }).text, std::string(kFolderTooLong) + "\n" + deep);
  EXPECT_EQ(NamesIn(library.Path()), (std::vector<std::string>{"Untitled_0000.ico", "Untitled_0001.ico"}));
  EXPECT_TRUE(NamesIn(other.Path()).empty());
}

}  // namespace
