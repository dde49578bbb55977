// vantrel-extract.exe as a Windows user runs it on names in four scripts:
// started through CreateProcessW from this program, which has no manifest and
// so speaks whatever ANSI code page the system has.

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "formats/ResourceName.h"
#include "support/IconBuilder.h"
#include "support/ModuleBuilder.h"
#include "support/TempFolder.h"

namespace {

namespace fs = std::filesystem;

Bytes ReadWide(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool WriteWide(const fs::path& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary);
  return static_cast<bool>(out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size())));
}

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
  const Bytes bytes = ReadWide(outPath);
  run.out.assign(bytes.begin(), bytes.end());
  return run;
}

TEST(ExtractEndToEnd, ReadsAndWritesNamesInAnyScriptThroughWidePaths) {
  const TempFolder temp;
  const fs::path root = fs::path(temp.Path()), in = root / L"in", out = root / L"out";
  ASSERT_TRUE(fs::create_directories(in / L"ελληνικά"));
  // Each file and group holds its own image, so each output shows where it came from.
  std::vector<std::pair<std::wstring, Bytes>> expected;  // output name, its one image
  std::vector<BuiltResource> resources;
  for (uint16_t id = 1; id <= 10; ++id) {
    const Bytes dib = MakeDibBlock(16, 16, 8, 0, static_cast<uint8_t>(id));
    resources.push_back({kResourceIcon, ResourceName::Id(id), 0x409, dib});
    resources.push_back({kResourceGroupIcon, ResourceName::Id(id), 0x409, BuildGroupIcon({dib}, {id})});
    expected.push_back({L"图标.dll-" + std::to_wstring(id) + L".ico", dib});
  }
  ASSERT_TRUE(WriteWide(in / L"图标.dll", BuildPeModule(resources)));
  const std::wstring icoFiles[] = {L"café.ico", L"Пример.ico", L"ελληνικά\\εικόνα.ico"};
  for (const std::wstring& name : icoFiles) {
    const Bytes dib = MakeDibBlock(32, 32, 4, 0, static_cast<uint8_t>(20 + expected.size()));
    ASSERT_TRUE(WriteWide(in / name, BuildIcoFile({dib})));
    expected.push_back({fs::path(name).filename().wstring(), dib});
  }

  const Finished list = Extract(root, L"list -r \"" + in.wstring() + L"\"");
  EXPECT_EQ(list.code, 0u) << list.out;
  for (const wchar_t* name : {L"图标.dll", L"café.ico", L"Пример.ico", L"ελληνικά\\εικόνα.ico"})
    EXPECT_NE(list.out.find((in / name).u8string() + "\r\n  icon"), std::string::npos) << list.out;
  size_t groups = 0;
  for (size_t at = 0; (at = list.out.find("\n  icon", at)) != std::string::npos; ++at) ++groups;
  EXPECT_EQ(groups, 13u);

  const Finished written = Extract(root, L"ico -r -o \"" + out.wstring() + L"\" \"" + in.wstring() + L"\"");
  EXPECT_EQ(written.code, 0u) << written.out;
  size_t files = 0;
  for (const auto& entry : fs::directory_iterator(out)) {
    ++files;
    const fs::path name = entry.path().filename();
    const auto match = std::find_if(expected.begin(), expected.end(), [&](const auto& e) { return e.first == name; });
    ASSERT_NE(match, expected.end()) << name.u8string();
    EXPECT_EQ(IcoBlocks(ReadWide(entry.path())), std::vector<Bytes>{WithSizeImageCleared(match->second)}) << name.u8string();
  }
  EXPECT_EQ(files, 13u);
}

}  // namespace
