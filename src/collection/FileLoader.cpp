// Taking in the icons of one file: an .ico file gives one icon, a module one
// icon per icon group, in the order the system enumerates them.

#include <windows.h>

#include <new>
#include <vector>

#include "collection/IconCollection.h"
#include "formats/Utf8.h"

bool CIconCollection::IsTypeSwitchedOn(const std::string& extension) const {
  const FileType* type = FindFileType(extension);
  return type && m_switches[static_cast<size_t>(type->switchedBy)];
}


FileReading CIconCollection::LoadFromFile(LPCSTR path, BOOL checked) {
  std::vector<FoundIcon> found;
  FileReading reading =
      ReadIconsOfFile(path, Switches(), nullptr, [&found](FoundIcon icon) { found.push_back(std::move(icon)); });
  if (!AppendFound(found, checked)) reading.status = ReadStatus::OutOfMemory;
  return reading;
}

FileReading ReadIconsOfFile(LPCSTR path, const TypeSwitches& switches, const std::atomic<LONG>* stop,
                            const std::function<void(FoundIcon)>& take) {
  const FileType* type = FindFileType(LowercaseExtension(path));
  if (!type || !switches[static_cast<size_t>(type->switchedBy)]) return FileReading{false, ReadStatus::Read, {}, 0};
  try {
    IconFileReader reader(path, SystemWindowsFolder());
    bool any = false;
    int lost = 0;
    for (size_t i = 0; i < reader.Groups().size(); ++i) {
      if (stop && *stop) break;
      const auto group = reader.ReadGroup(i);
      if (reader.Status() == ReadStatus::OutOfMemory) break;
      // Images past the end of a file cut short are told by the cut.
      for (const LostImage& image : group ? group->lost : std::vector<LostImage>())
        if (image.reason != LossReason::PastEnd) ++lost;
      // A group none of whose images can be read is left out; later groups
      // still load. One whose images do not decode is listed: its bytes can
      // still be saved, and its picture says it cannot be shown.
      if (!group || group->set->images.empty()) continue;
      take(FoundIcon{reader.Source(), group->name});
      any = true;
    }
    if (!any && reader.Status() == ReadStatus::Read) return FileReading{true, ReadStatus::NoIcon, {}, lost};
    return FileReading{true, reader.Status(), reader.Detail(), lost};
  } catch (const std::bad_alloc&) {
    return FileReading{true, ReadStatus::OutOfMemory, {}, 0};
  }
}

std::string ReadingProblem(const FileReading& reading) {
  if (!reading.typeTaken) return "is not of a type the file filter takes";
  switch (reading.status) {
    case ReadStatus::Read:
      if (reading.lostImages == 0) return std::string();
      return "lacks " + std::to_string(reading.lostImages) + (reading.lostImages == 1 ? " image" : " images") +
             " that its icons name; the icons keep their other images";
    case ReadStatus::NoIcon: return "holds no icon";
    case ReadStatus::NotIconFile: return "is not a module or an icon file";
    case ReadStatus::Damaged: return "is damaged: " + reading.detail;
    case ReadStatus::CannotOpen: return "cannot be opened: " + reading.detail;
    case ReadStatus::OutOfMemory: break;
  }
  return "could not be read to the end: memory ran out";
}

std::string SystemWindowsFolder() {
  wchar_t folder[MAX_PATH];
  const UINT length = GetWindowsDirectoryW(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return std::string();
  return Utf16ToUtf8(std::u16string(folder, folder + length));
}
