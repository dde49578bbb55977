// Taking in the icons of one file: an .ico file gives one icon, a module one
// icon per icon group, in the order the system enumerates them.

#include <windows.h>

#include <commctrl.h>

#include <new>
#include <vector>

#include "collection/IconCollection.h"
#include "formats/Utf8.h"

bool CIconCollection::IsTypeSwitchedOn(const std::string& extension) const {
  const FileType* type = FindFileType(extension);
  return type && this->*SwitchOf(*type).switchedOn;
}

PictureSides CIconCollection::Sides() const {
  PictureSides sides{kLargeIconSize, kSmallIconSize};
  if (m_largeImages) ImageList_GetIconSize(*m_largeImages, &sides.large, &sides.large);
  if (m_smallImages) ImageList_GetIconSize(*m_smallImages, &sides.small, &sides.small);
  return sides;
}

TypeSwitches CIconCollection::Switches() const {
  TypeSwitches switches{};
  for (size_t i = 0; i < kTypeSwitchCount; ++i) switches[i] = this->*kFilterSwitches[i].switchedOn != FALSE;
  return switches;
}

FileReading CIconCollection::LoadFromFile(LPCSTR path, BOOL checked) {
  std::vector<FoundIcon> found;
  FileReading reading =
      ReadIconsOfFile(path, Switches(), Sides(), nullptr, [&found](FoundIcon icon) { found.push_back(std::move(icon)); });
  if (!AppendFound(found, checked)) reading.status = ReadStatus::OutOfMemory;
  return reading;
}

FileReading ReadIconsOfFile(LPCSTR path, const TypeSwitches& switches, const PictureSides& sides,
                            const std::atomic<LONG>* stop,
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
      // A group none of whose images decodes is left out; later groups still load.
      auto pictures = group ? PicturesOfSet(*group->set, sides) : std::nullopt;
      if (!pictures) continue;
      take(FoundIcon{std::move(*pictures), reader.Source(), group->name});
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
