// vantrel-extract.exe as a Windows user runs it on names in four scripts:
// started through CreateProcessW from this program, which has no manifest and
// so speaks whatever ANSI code page the system has.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "ScriptTree.h"
#include "support/IconBuilder.h"
#include "support/TempFolder.h"
#include "support/WinTestSupport.h"

namespace {

namespace fs = std::filesystem;

struct Finished {
  DWORD code = 1;
  std::string out;
};

// The program with these arguments, its stdout caught in a file.
Finished Extract(const fs::path& folder, const std::wstring& arguments) {
  wchar_t self[MAX_PATH];
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  const fs::path exe = (fs::path(self).parent_path() / VANTREL_EXTRACT_FROM_TESTS).lexically_normal();
  const fs::path outPath = folder / L"stdout";
  SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
  const HANDLE out = CreateFileW(outPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherited, CREATE_ALWAYS, 0, nullptr);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = startup.hStdError = out;
  PROCESS_INFORMATION info{};
  std::wstring line = L"\"" + exe.wstring() + L"\" " + arguments;
  Finished run;
  if (CreateProcessW(exe.c_str(), line.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr, nullptr, &startup,
                     &info)) {
    WaitForSingleObject(info.hProcess, 60000);
    GetExitCodeProcess(info.hProcess, &run.code);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
  }
  CloseHandle(out);
  const Bytes bytes = ReadBytesAt(Utf8(outPath.wstring()));
  run.out.assign(bytes.begin(), bytes.end());
  return run;
}

TEST(ExtractEndToEnd, ReadsAndWritesNamesInAnyScriptThroughWidePaths) {
  const TempFolder temp;
  const fs::path root = fs::path(temp.Path()), in = root / L"in", out = root / L"out";
  ASSERT_TRUE(fs::create_directories(in));
  const std::vector<TreeIcon> icons = MakeScriptTree(Utf8(in.wstring()));
  ASSERT_EQ(icons.size(), 13u);

  const Finished list = Extract(root, L"list -r \"" + in.wstring() + L"\"");
  EXPECT_EQ(list.code, 0u) << list.out;
  for (const wchar_t* name : {L"图标.dll", L"café.ico", L"Пример.ico", L"ελληνικά\\ένα.ico"})
    EXPECT_NE(list.out.find((in / name).u8string() + "\r\n  icon"), std::string::npos) << list.out;
  size_t groups = 0;
  for (size_t at = 0; (at = list.out.find("\n  icon", at)) != std::string::npos; ++at) ++groups;
  EXPECT_EQ(groups, 13u);

  const Finished written = Extract(root, L"ico -r -o \"" + out.wstring() + L"\" \"" + in.wstring() + L"\"");
  EXPECT_EQ(written.code, 0u) << written.out;
  size_t files = 0;
  for (const auto& entry : fs::recursive_directory_iterator(out)) {
    if (entry.is_directory()) continue;
    ++files;
    const std::string name = Utf8(entry.path().lexically_relative(out).lexically_normal().wstring());
    // Each file and group holds its own image, so each output shows where it came from,
    // in the folder its file has below the one searched.
    const auto match = std::find_if(icons.begin(), icons.end(), [&](const TreeIcon& icon) {
      const std::string file = Utf8(fs::path(Wide(icon.file)).lexically_normal().wstring());
      return name == (icon.group ? file + "-" + std::to_string(icon.group) + ".ico" : file);
    });
    ASSERT_NE(match, icons.end()) << name;
    EXPECT_EQ(IcoBlocks(ReadBytesAt(Utf8(entry.path().wstring()))), std::vector<Bytes>{WithSizeImageCleared(match->image)})
        << name;
  }
  EXPECT_EQ(files, 13u);
}

}  // namespace
