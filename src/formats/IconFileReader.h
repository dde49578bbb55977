#pragma once
// The one reading of a file's icons, for every front end: the file is told
// by its content (a PE or NE module, or an .ico file), never by its name, and
// the reading ends in one outcome that says what happened. A group keeps the
// images it has: an entry naming an image that is missing loses that image
// only.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "formats/IconImageSet.h"
#include "formats/ModuleResources.h"

enum class ReadStatus {
  Read,         // every group read (some may have lost images: see IconGroup::lost)
  NoIcon,       // a module or icon file without icons
  NotIconFile,  // neither a module nor an icon file, by its content
  Damaged,      // cut short or malformed: what could be read is kept, the detail says where
  CannotOpen,   // the detail is the system's reason
  OutOfMemory,  // what was read before stays read
};

enum class LossReason {
  Missing,  // the module has no image of that id
  PastEnd,  // the image lies past the end of a file cut short
  Refused,  // too large, or more than the file could hold
};

struct LostImage {
  uint32_t entry = 0;   // its place in the group's directory
  uint16_t iconId = 0;  // the image the entry names; 0 in an .ico file
  LossReason reason = LossReason::Missing;
};

struct IconGroup {
  std::optional<ResourceName> name;  // none for an .ico file
  IconImageSetPtr set;               // the images read, in directory order; never null
  std::vector<LostImage> lost;
};

class IconFileReader {
 public:
  // `windowsFolder`: a Windows folder whose SystemResources may hold the
  // companion of a module without icons (see FindCompanion); empty for none.
  explicit IconFileReader(const std::string& path, const std::string& windowsFolder = std::string());
  ~IconFileReader();
  IconFileReader(const IconFileReader&) = delete;
  IconFileReader& operator=(const IconFileReader&) = delete;

  // The outcome so far: reading a group may find damage.
  ReadStatus Status() const { return m_status; }
  const std::string& Detail() const { return m_detail; }
  // The file the icons are read from: the path, or its companion.
  const std::string& Source() const { return m_source; }
  // The groups in the order the system enumerates them: for a module its
  // icon groups, for an .ico file one group without a name.
  const std::vector<std::optional<ResourceName>>& Groups() const { return m_groups; }

  // None when the group's directory cannot be read (the damage is then noted).
  std::optional<IconGroup> ReadGroup(size_t index);
  // The group of that name (text without regard to ASCII case); none for an
  // .ico file asked for a name, or a module asked for none.
  std::optional<IconGroup> ReadGroup(const std::optional<ResourceName>& name);

 private:
  struct IcoEntry;
  void Open(const std::string& path, const std::string& windowsFolder);
  void OpenModule(std::unique_ptr<ByteSource> source, const std::string& windowsFolder);
  void OpenIco(std::unique_ptr<ByteSource> source);
  std::optional<IconGroup> ReadModuleGroup(const ResourceName& name);
  IconGroup ReadIcoGroup();
  void NoteDamage(const std::string& detail);
  void NoteModuleDamage();
  void Fail(ReadStatus status, std::string detail = std::string());

  ReadStatus m_status = ReadStatus::Read;
  std::string m_detail;
  std::string m_source;
  std::vector<std::optional<ResourceName>> m_groups;
  std::unique_ptr<ModuleResources> m_module;
  std::unique_ptr<ByteSource> m_ico;
  std::vector<IcoEntry> m_icoEntries;
};

// Every group of a file read at once, as a command or a test wants it.
struct IconFileRead {
  ReadStatus status = ReadStatus::Read;
  std::string detail;
  std::string source;
  std::vector<IconGroup> groups;  // those whose directory could be read
};
IconFileRead ReadIconFile(const std::string& path, const std::string& windowsFolder = std::string(),
                          size_t maxGroups = SIZE_MAX);

// The outcome in words, to follow the file's name: "holds no icon",
// "damaged: cut short at 4000 of 99328 bytes"; empty for Read.
std::string ReadStatusText(ReadStatus status, const std::string& detail);
// "image 3 (icon 7) is missing", "image 2 lies past the end of the file".
std::string LostImageText(const LostImage& lost);
