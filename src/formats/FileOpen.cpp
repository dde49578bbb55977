#include <cstring>

#include "formats/FileHandle.h"
#include "formats/Utf8.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

namespace {

// The UTF-16 name of a UTF-8 path; nothing for a path that is not UTF-8.
std::optional<std::wstring> WideName(const std::string& path) {
  const auto utf16 = Utf8ToUtf16(path);
  if (!utf16) return std::nullopt;
  return std::wstring(utf16->begin(), utf16->end());
}

}  // namespace

FilePtr OpenFile(const std::string& path, const char* mode) {
  const auto wide = WideName(path);
  if (!wide) return FilePtr(std::fopen(path.c_str(), mode));
  const std::wstring wideMode(mode, mode + std::strlen(mode));
  return FilePtr(_wfopen(wide->c_str(), wideMode.c_str()));
}

FilePtr CreateNewFile(const std::string& path) {
  const int flags = _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY;
  const auto wide = WideName(path);
  const int descriptor = wide ? _wopen(wide->c_str(), flags, _S_IREAD | _S_IWRITE)
                              : _open(path.c_str(), flags, _S_IREAD | _S_IWRITE);
  if (descriptor < 0) return nullptr;
  std::FILE* file = _fdopen(descriptor, "wb");
  if (!file) _close(descriptor);
  return FilePtr(file);
}

bool RemoveFile(const std::string& path) {
  const auto wide = WideName(path);
  return (wide ? _wremove(wide->c_str()) : std::remove(path.c_str())) == 0;
}

#else

#include <sys/stat.h>

// A folder opens as a stream here, to fail only at the first read: it is
// refused at once, as Windows refuses it, with the same reason.
FilePtr OpenFile(const std::string& path, const char* mode) {
  FilePtr file(std::fopen(path.c_str(), mode));
  struct stat status;
  if (file && fstat(fileno(file.get()), &status) == 0 && S_ISDIR(status.st_mode)) {
    file.reset();
    errno = EISDIR;
  }
  return file;
}

// "x": the exclusive creation of C11's fopen.
FilePtr CreateNewFile(const std::string& path) { return FilePtr(std::fopen(path.c_str(), "wbx")); }

bool RemoveFile(const std::string& path) { return std::remove(path.c_str()) == 0; }

#endif
