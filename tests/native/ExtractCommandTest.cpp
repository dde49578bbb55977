// The vantrel-extract command, run as a user runs it on built modules and .ico
// files: each sub-command once, its JSON read by Python's parser, its exit
// statuses and the files it leaves.

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <algorithm>
#include <map>
#include <set>
#include <tuple>

#include "formats/FileHandle.h"
#include "formats/FormatTestHelpers.h"
#include "formats/IconPixels.h"
#include "formats/PngWriter.h"
#include "support/ModuleBuilder.h"

namespace {

struct Outcome {
  int status;
  std::string out, err;
};

Outcome Shell(const TempFolder& folder, const std::string& command) {
  const std::string out = folder.File("stdout"), err = folder.File("stderr");
  const int status = std::system((command + " >" + out + " 2>" + err).c_str());
  const auto text = [](const std::string& path) {
    const Bytes bytes = ReadBytes(path);
    return std::string(bytes.begin(), bytes.end());
  };
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, text(out), text(err)};
}

Outcome Extract(const TempFolder& folder, const std::string& arguments) {
  return Shell(folder, VANTREL_EXTRACT " " + arguments);
}

std::pair<uint32_t, uint32_t> PngSize(const std::string& path) {
  const Bytes png = ReadBytes(path);
  const auto image = DecodePng(png.data(), png.size());
  return image ? std::make_pair(image->width, image->height) : std::make_pair(0u, 0u);
}

TEST(ExtractCommand, ListsWritesAndPicksImagesAsAUserAsks) {
  const TempFolder folder;
  namespace fs = std::filesystem;
  const std::string in = folder.File("in");
  fs::create_directories(in + "/sub/.hidden");
  fs::create_directory_symlink("..", in + "/sub/loop");  // leads back to in
  RgbaImage picture{48, 48, Bytes(48 * 48 * 4, 200)};
  const Bytes dib16 = MakeDibBlock(16, 16, 4), dib24 = MakeDibBlock(24, 24, 8), png48 = EncodePng(picture);
  const Bytes dib24deep = MakeDibBlock(24, 24, 32);
  const Bytes module = BuildPeModule({
      {kResourceIcon, ResourceName::Id(1), 0x409, dib16},
      {kResourceIcon, ResourceName::Id(2), 0x409, dib24},
      {kResourceIcon, ResourceName::Id(3), 0x409, png48},
      {kResourceIcon, ResourceName::Id(4), 0x409, dib24deep},
      {kResourceGroupIcon, ResourceName::Id(7), 0x409, BuildGroupIcon({dib24deep}, {4})},
      {kResourceGroupIcon, ResourceName::Text("MAIN"), 0x409, BuildGroupIcon({dib16, dib24, png48}, {1, 2, 3})},
  });
  ASSERT_TRUE(WriteBytes(in + "/app.dll", module) && WriteBytes(in + "/notes.txt", {1}) &&
              WriteBytes(in + "/sub/plain.ico", BuildIcoFile({dib24, dib16})) &&
              WriteBytes(in + "/sub/.hidden/old.icl", BuildNeModule({{kResourceIcon, ResourceName::Id(1), 0, dib16},
                                                                     {kResourceGroupIcon, ResourceName::Id(1), 0,
                                                                      BuildGroupIcon({dib16}, {1})}})) &&
              WriteBytes(folder.File("trunc.dll"), Bytes(module.begin(), module.begin() + 300)));

  // Named groups come before numbered ones; a refused file is listed with its reason.
  const Outcome list = Extract(folder, "list --json " + in + "/app.dll " + in + "/sub/plain.ico " + folder.File("trunc.dll"));
  EXPECT_EQ(list.status, 1);
  const std::string cut = "damaged: cut short at 300 bytes, inside its headers";
  EXPECT_EQ(list.err, "vantrel-extract: " + folder.File("trunc.dll") + ": " + cut + "\n");
  ASSERT_TRUE(WriteBytes(folder.File("list.json"), Bytes(list.out.begin(), list.out.end())));
  const Outcome parsed = Shell(folder, "python3 -c 'import json, sys\n"
                                   "for f in json.load(sys.stdin):\n"
                                   "  print(f[\"path\"].split(\"/\")[-1], f.get(\"error\"), [(g[\"name\"], [(i[\"width\"], "
                                   "i[\"height\"], i[\"bits\"], i[\"format\"], i[\"bytes\"]) for i in g[\"images\"]]) "
                                   "for g in f[\"groups\"]])' <" + folder.File("list.json"));
  const auto bytes = [](const Bytes& block) { return std::to_string(block.size()); };
  EXPECT_EQ(parsed.out, "app.dll None [('MAIN', [(16, 16, 4, 'dib', " + bytes(dib16) + "), (24, 24, 8, 'dib', " +
                            bytes(dib24) + "), (48, 48, 32, 'png', " + bytes(png48) + ")]), (7, [(24, 24, 32, 'dib', " +
                            bytes(dib24deep) + ")])]\n"
                            "plain.ico None [(None, [(24, 24, 8, 'dib', " + bytes(dib24) + "), (16, 16, 4, 'dib', " +
                            bytes(dib16) + ")])]\n"
                            "trunc.dll " + cut + " []\n");

  // Every group of every file under the folder, in its tree, hidden ones too, once despite
  // the loop; the bytes the program saves; and a second run keeps the first run's files.
  const std::vector<std::string> written = {"app.dll-7.ico", "app.dll-MAIN.ico", "sub\\"};
  EXPECT_EQ(Extract(folder, "ico -r -o " + folder.File("icons") + " " + in).status, 0);
  EXPECT_EQ(NamesIn(folder.File("icons")), written);
  EXPECT_EQ(NamesIn(folder.File("icons/sub")), (std::vector<std::string>{".hidden\\", "plain.ico"}));
  EXPECT_EQ(NamesIn(folder.File("icons/sub/.hidden")), std::vector<std::string>{"old.icl-1.ico"});
  const TempPath expected;
  const auto main = IconFileReader(in + "/app.dll").ReadGroup(ResourceName::Text("MAIN"));
  ASSERT_TRUE(main && IconFileIO().SaveIcoFile(*main->set, expected.path));
  EXPECT_EQ(ReadBytes(folder.File("icons/app.dll-MAIN.ico")), ReadBytes(expected.path));
  EXPECT_EQ(Extract(folder, "ico -r -o " + folder.File("icons") + " " + in).status, 0);
  EXPECT_EQ(NamesIn(folder.File("icons")).size(), 5u);
  EXPECT_EQ(ReadBytes(folder.File("icons/app.dll-MAIN-1.ico")), ReadBytes(expected.path));

  // Nearest 20 pixels: 16 and 24 are as near, and the larger goes.
  EXPECT_EQ(Extract(folder, "png --size 20 -o " + folder.File("pngs") + " " + in + "/app.dll").status, 0);
  EXPECT_EQ(PngSize(folder.File("pngs/app.dll-MAIN.png")), std::make_pair(24u, 24u));
  // The first group's smallest image at least SIZE scaled down to SIZE, else its largest as it is; OUT is never replaced.
  const std::tuple<std::string, std::pair<uint32_t, uint32_t>> thumbnails[] = {
      {"40", {40, 40}}, {"17", {17, 17}}, {"4096", {48, 48}}};
  for (const auto& [size, dimensions] : thumbnails) {
    EXPECT_EQ(Extract(folder, "thumbnail " + size + " " + in + "/app.dll " + folder.File(size + ".png")).status, 0);
    EXPECT_EQ(PngSize(folder.File(size + ".png")), dimensions);
  }
  // An OUT that exists is the caller's, held open by it: the picture goes into that very file.
  const FilePtr held = OpenForReading(folder.File("40.png"));
  EXPECT_EQ(Extract(folder, "thumbnail 8 " + in + "/app.dll " + folder.File("40.png")).status, 0);
  Bytes seen(4096);
  seen.resize(held ? std::fread(seen.data(), 1, seen.size(), held.get()) : 0);
  const auto image = DecodePng(seen.data(), seen.size());
  EXPECT_EQ(image ? image->width : 0, 8u);

  const Outcome usage = Extract(folder, "png " + in);
  EXPECT_EQ(std::make_tuple(usage.status, usage.err),
            std::make_tuple(2, std::string("vantrel-extract: png needs -o DIR\nTry 'vantrel-extract --help'.\n")));
}

Bytes TwoGroupModule(uint8_t shade = 0) {
  const Bytes dib16 = MakeDibBlock(16, 16, 4, 0, shade), dib24 = MakeDibBlock(24, 24, 8), deep = MakeDibBlock(24, 24, 32);
  const Bytes png48 = EncodePng(RgbaImage{48, 48, Bytes(48 * 48 * 4, 200)});
  return BuildPeModule({{kResourceIcon, ResourceName::Id(1), 0x409, dib16},
                        {kResourceIcon, ResourceName::Id(2), 0x409, dib24},
                        {kResourceIcon, ResourceName::Id(3), 0x409, png48},
                        {kResourceIcon, ResourceName::Id(4), 0x409, deep},
                        {kResourceGroupIcon, ResourceName::Id(7), 0x409, BuildGroupIcon({deep}, {4})},
                        {kResourceGroupIcon, ResourceName::Text("MAIN"), 0x409,
                         BuildGroupIcon({dib16, dib24, png48}, {1, 2, 3})}});
}

// Every option form getopt_long takes writes the same files; -n picks groups
// by number or by name in any ASCII case; -o - writes the one file's bytes.
TEST(ExtractCommand, TakesEveryOptionFormPicksGroupsAndWritesToAPipe) {
  const TempFolder folder;
  const std::string in = folder.File("app.dll");
  ASSERT_TRUE(WriteBytes(in, TwoGroupModule()));
  const std::vector<std::string> both = {"app.dll-7.ico", "app.dll-MAIN.ico"};
  int forms = 0;
  for (const std::string form : {"-o F", "-oF", "--output=F", "--out F", "-ro F", "-r --output F"}) {
    const std::string out = folder.File("form" + std::to_string(forms++));
    const std::string options = form.substr(0, form.size() - 1) + out;
    EXPECT_EQ(Extract(folder, "ico " + options + " " + in).status, 0) << form;
    EXPECT_EQ(NamesIn(out), both) << form;
    EXPECT_EQ(Extract(folder, "ico " + in + " " + options + " --overwrite").status, 0) << form;
    EXPECT_EQ(NamesIn(out), both) << "after the path: " << form;
  }
  const Outcome piped = Extract(folder, "ico -n Main -o - " + in);
  EXPECT_EQ(Bytes(piped.out.begin(), piped.out.end()), ReadBytes(folder.File("form0/app.dll-MAIN.ico")));
  EXPECT_EQ(Extract(folder, "png -n 7 -n main --size=24 -o " + folder.File("picked") + " " + in).status, 0);
  EXPECT_EQ(NamesIn(folder.File("picked")), (std::vector<std::string>{"app.dll-7.png", "app.dll-MAIN.png"}));
  EXPECT_EQ(Extract(folder, "ico -o - " + in).status, 2);
  EXPECT_EQ(Extract(folder, "ico -n 8 -o " + folder.File("none") + " " + in).status, 1);

  // Every image of each group: 1 of group 7, 3 of MAIN.
  EXPECT_EQ(Extract(folder, "png --all -o " + folder.File("all") + " " + in).status, 0);
  EXPECT_EQ(NamesIn(folder.File("all")), (std::vector<std::string>{"app.dll-7-24x24-32.png", "app.dll-MAIN-16x16-4.png",
                                                                  "app.dll-MAIN-24x24-8.png", "app.dll-MAIN-48x48-32.png"}));
  EXPECT_EQ(PngSize(folder.File("all/app.dll-MAIN-48x48-32.png")), std::make_pair(48u, 48u));
}

// -r writes each file's outputs in the folders it has below PATH; a full disk
// ends the run with one message, keeping every whole file; a name with a
// newline stays on its message's one line.
TEST(ExtractCommand, KeepsTheTreeStopsAtAFullDiskAndKeepsMessagesOneLine) {
  const TempFolder folder;
  namespace fs = std::filesystem;
  fs::create_directories(folder.File("in/x"));
  fs::create_directories(folder.File("in/y"));
  ASSERT_TRUE(WriteBytes(folder.File("in/x/same.dll"), TwoGroupModule(1)) &&
              WriteBytes(folder.File("in/y/same.dll"), TwoGroupModule(2)) &&
              WriteBytes(folder.File("in/a\nb\x1b.dll"), {'M', 'Z'}));
  const Outcome tree = Extract(folder, "ico -r -o " + folder.File("out") + " " + folder.File("in"));
  EXPECT_EQ(tree.err, "vantrel-extract: $'" + folder.File("in/a\\nb\\E.dll") + "': not a module or icon file\n");
  for (const char* below : {"x", "y"}) {
    const std::vector<Bytes> blocks = IcoBlocks(ReadBytes(folder.File("out/") + below + "/same.dll-MAIN.ico"));
    EXPECT_EQ(blocks.empty() ? Bytes() : blocks[0], WithSizeImageCleared(MakeDibBlock(16, 16, 4, 0, below[0] == 'x' ? 1 : 2)))
        << below;
  }

  if (Shell(folder, "unshare -rm true").status != 0) GTEST_SKIP() << "no mount namespace for a small file system here";
  std::vector<BuiltResource> resources;
  const Bytes image = MakeDibBlock(48, 48, 32);
  for (uint16_t id = 1; id <= 40; ++id) {
    resources.push_back({kResourceIcon, ResourceName::Id(id), 0x409, image});
    resources.push_back({kResourceGroupIcon, ResourceName::Id(id), 0x409, BuildGroupIcon({image}, {id})});
  }
  ASSERT_TRUE(WriteBytes(folder.File("big.dll"), BuildPeModule(resources)) && fs::create_directory(folder.File("disk")) &&
              fs::create_directory(folder.File("mnt")));
  const Outcome full = Shell(folder, "unshare -rm sh -c 'mount -t tmpfs -o size=64k tmpfs " + folder.File("mnt") +
                                         " && echo kept >" + folder.File("mnt/keep") + " && " VANTREL_EXTRACT " ico -o " +
                                         folder.File("mnt/out") + " " + folder.File("big.dll") + "; s=$?; cp -r " +
                                         folder.File("mnt/.") + " " + folder.File("disk") + "; exit $s'");
  EXPECT_EQ(full.status, 1);
  EXPECT_EQ(std::count(full.err.begin(), full.err.end(), '\n'), 1) << full.err;
  EXPECT_NE(full.err.find(": No space left on device"), std::string::npos) << full.err;
  EXPECT_EQ(ReadBytes(folder.File("disk/keep")), (Bytes{'k', 'e', 'p', 't', '\n'}));
  const std::vector<std::string> kept = NamesIn(folder.File("disk/out"));
  EXPECT_TRUE(kept.size() > 1 && kept.size() < 40) << kept.size();
  for (const std::string& name : kept) EXPECT_EQ(IcoBlocks(ReadBytes(folder.File("disk/out/") + name)).size(), 1u) << name;
}

// Names are bytes: one that is not UTF-8 is read, and JSON stays UTF-8 with the
// exact bytes beside it. A walk leaves out files without icons; a named one says so.
TEST(ExtractCommand, ListsAnyNameAndSaysWhatHoldsNoIcon) {
  const TempFolder folder;
  const std::string odd = folder.File("caf\xe9 \xff.ico"), bare = folder.File("bare.dll");
  ASSERT_TRUE(WriteBytes(odd, BuildIcoFile({MakeDibBlock(16, 16, 4)})) && WriteBytes(bare, BuildPeModule({})));
  const Outcome parsed = Shell(folder, VANTREL_EXTRACT " list --json '" + odd + "' | python3 -c 'import json, os, sys\n"
                                       "f = json.load(sys.stdin.buffer)[0]\n"
                                       "print(ascii(os.path.basename(f[\"path\"])), len(f[\"groups\"]), "
                                       "open(bytes.fromhex(f[\"path_hex\"]), \"rb\").read(2))'");
  EXPECT_EQ(parsed.out, "'caf\\ufffd \\ufffd.ico' 1 b'\\x00\\x00'\n") << parsed.err;

  const Outcome walked = Extract(folder, "list -r " + folder.Path() + " " + bare);
  EXPECT_EQ(walked.status, 0);
  EXPECT_EQ(walked.out, odd + "\n  icon: 1 image\n    16x16, 4 bits, dib, " +
                            std::to_string(MakeDibBlock(16, 16, 4).size()) + " bytes\n" + bare + "\n  no icons\n");
  // Output that cannot be written fails the run.
  EXPECT_EQ(Shell(folder, "(" VANTREL_EXTRACT " list " + bare + " >/dev/full)").status, 1);
}

// Forty runs into one folder, each with its own x.ico: each file gets its own
// name, none is replaced. --overwrite replaces the one name, never this run's
// own files; a name the system refuses is reported at once.
TEST(ExtractCommand, CreatesEachOutputExclusivelyEvenFromRunsAtOnce) {
  const TempFolder folder;
  const std::string out = folder.File("out");
  std::string runs;
  std::vector<Bytes> images;  // each run's image, as the .ico writer stores it
  for (int i = 0; i < 40; ++i) {
    const std::string in = folder.File(std::to_string(i));
    images.push_back(WithSizeImageCleared(MakeDibBlock(16, 16, 8, 0, static_cast<uint8_t>(i))));
    ASSERT_TRUE(std::filesystem::create_directory(in) && WriteBytes(in + "/x.ico", BuildIcoFile({images.back()})));
    runs += "{ " VANTREL_EXTRACT " ico -o " + out + " " + in + "/x.ico || echo failed; } & ";
  }
  EXPECT_EQ(Shell(folder, runs + "wait").out, "");
  // Which run's image each file holds, by file name.
  const auto runsIn = [&] {
    std::map<std::string, int> runOf;
    for (const std::string& name : NamesIn(out)) {
      const std::vector<Bytes> blocks = IcoBlocks(ReadBytes(out + "/" + name));
      const auto found = std::find(images.begin(), images.end(), blocks.size() == 1 ? blocks[0] : Bytes());
      runOf[name] = found == images.end() ? -1 : static_cast<int>(found - images.begin());
    }
    return runOf;
  };
  std::set<int> runs40;
  for (const auto& [name, run] : runsIn()) runs40.insert(run);
  EXPECT_EQ(runs40.size(), 40u);
  EXPECT_EQ(runs40.count(-1), 0u);

  EXPECT_EQ(Extract(folder, "ico --overwrite -o " + out + " " + folder.File("7/x.ico") + " " + folder.File("9/x.ico")).status, 0);
  const auto after = runsIn();
  EXPECT_EQ(std::make_tuple(after.at("x.ico"), after.at("x-1.ico"), after.size()), std::make_tuple(7, 9, size_t{40}));

  const std::string longName = folder.File(std::string(251, 'a') + ".dll");
  const Bytes dib = MakeDibBlock(16, 16, 4);
  ASSERT_TRUE(WriteBytes(longName, BuildPeModule({{kResourceIcon, ResourceName::Id(1), 0x409, dib},
                                                  {kResourceGroupIcon, ResourceName::Id(1), 0x409, BuildGroupIcon({dib}, {1})}})));
  const Outcome refused = Extract(folder, "ico -o " + out + " " + longName);
  EXPECT_EQ(std::make_tuple(refused.status, refused.err),
            std::make_tuple(1, "vantrel-extract: " + out + "/" + std::string(251, 'a') +
                                   ".dll-1.ico: cannot be created: File name too long\n"));
}

// One table of files, each through the command: its exit status, its one
// line on stderr, and what it wrote.
TEST(ExtractCommand, TellsEveryFileItCannotReadWholeInOneLine) {
  const TempFolder folder;
  namespace fs = std::filesystem;
  const Bytes pe = TwoImagePe();
  const std::string cut = folder.File("cut.dll"), lost = folder.File("lost.dll"), bin = folder.File("shell32.bin");
  const std::string bare = folder.File("bare.dll"), zeros = folder.File("zeros.dll"), gone = folder.File("gone.dll");
  ASSERT_TRUE(WriteBytes(cut, Bytes(pe.begin(), pe.begin() + 1000)) && WriteBytes(bin, pe) &&
              WriteBytes(lost, BuildPeModule(GroupWithAMissingImage())) && WriteBytes(bare, BuildPeModule({})) &&
              WriteBytes(zeros, Bytes(4096, 0)));
  const std::string damaged = ": damaged: cut short at 1000 of " + std::to_string(pe.size()) + " bytes\n";
  const struct {
    std::string arguments;
    int status;
    std::string err;
  } cases[] = {
      {"list " + cut, 1, cut + damaged},
      {"ico -o " + folder.File("cut") + " " + cut, 1, cut + damaged},
      {"list " + bin, 0, ""},
      {"png -o " + folder.File("bin") + " " + bin, 0, ""},
      {"ico -o " + folder.File("bare") + " " + bare, 1, bare + ": holds no icon\n"},
      {"png -o " + folder.File("bare") + " " + bare, 1, bare + ": holds no icon\n"},
      {"list " + zeros, 1, zeros + ": not a module or icon file\n"},
      {"list -r " + gone, 1, gone + ": cannot be opened: No such file or directory\n"},
      {"thumbnail 48 " + folder.Path() + " " + folder.File("t.png"), 1,
       folder.Path() + ": cannot be opened: Is a directory\n"},
      {"png -o " + folder.File("lost") + " " + lost, 1, lost + ": icon group 5: image 4 (icon 99) is missing\n"},
      {"ico -o " + folder.File("lost") + " " + lost, 1, lost + ": icon group 5: image 4 (icon 99) is missing\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.arguments);
    const Outcome run = Extract(folder, c.arguments);
    EXPECT_EQ(run.status, c.status);
    EXPECT_EQ(run.err, c.err.empty() ? "" : "vantrel-extract: " + c.err);
  }
  EXPECT_FALSE(fs::exists(folder.File("cut")) && !fs::is_empty(folder.File("cut")));
  EXPECT_EQ(PngSize(folder.File("bin/shell32.bin-1.png")), std::make_pair(256u, 256u));
  // The group keeps its nine images: the largest is the PNG, all nine are the .ico.
  EXPECT_EQ(PngSize(folder.File("lost/lost.dll-5.png")), std::make_pair(26u, 26u));
  EXPECT_EQ(IcoBlocks(ReadBytes(folder.File("lost/lost.dll-5.ico"))).size(), 9u);
  const Outcome listed = Extract(folder, "list " + lost);
  EXPECT_NE(listed.out.find("  icon group 5: 9 images\n"), std::string::npos) << listed.out;
  EXPECT_NE(listed.out.find("    image 4 (icon 99) is missing\n"), std::string::npos) << listed.out;
}

// A 16-bit library rounds each resource up to its alignment; each image is
// written as long as its group's directory says.
TEST(ExtractCommand, WritesEachImageOfA16BitLibraryWithItsOwnLength) {
  const TempFolder folder;
  const Bytes image = MakeDibBlock(32, 32, 4);
  ASSERT_EQ(image.size(), 744u);
  ASSERT_TRUE(WriteBytes(folder.File("old.icl"),
                         BuildNeModule({{kResourceIcon, ResourceName::Id(1), 0, image},
                                        {kResourceGroupIcon, ResourceName::Id(1), 0, BuildGroupIcon({image}, {1})}},
                                       4)));
  EXPECT_EQ(Extract(folder, "ico -o " + folder.File("out") + " " + folder.File("old.icl")).status, 0);
  EXPECT_EQ(IcoBlocks(ReadBytes(folder.File("out/old.icl-1.ico"))), std::vector<Bytes>{WithSizeImageCleared(image)});
}

// A Windows partition as Linux mounts it: System32's module holds no icons,
// its companion in SystemResources (another case) does.
TEST(ExtractCommand, ReadsTheCompanionOfAModuleInAMountedWindowsFolder) {
  const TempFolder folder;
  namespace fs = std::filesystem;
  fs::create_directories(folder.File("Windows/System32"));
  fs::create_directories(folder.File("Windows/SystemResources"));
  const Bytes image = MakeDibBlock(32, 32, 8);
  const std::string module = folder.File("Windows/System32/imageres.dll");
  ASSERT_TRUE(WriteBytes(module, BuildPeModule({})) &&
              WriteBytes(folder.File("Windows/SystemResources/imageres.dll.mun"),
                         BuildPeModule({{kResourceIcon, ResourceName::Id(1), 0x409, image},
                                        {kResourceGroupIcon, ResourceName::Id(3), 0x409, BuildGroupIcon({image}, {1})}})));
  EXPECT_EQ(Extract(folder, "ico -o " + folder.File("out") + " " + module).status, 0);
  EXPECT_EQ(NamesIn(folder.File("out")), std::vector<std::string>{"imageres.dll-3.ico"});
  const Outcome listed = Extract(folder, "list " + module);
  EXPECT_EQ(listed.out.rfind(module + "\n  contained in " + folder.File("Windows/SystemResources/imageres.dll.mun") + "\n", 0), 0u)
      << listed.out;
}

}  // namespace
