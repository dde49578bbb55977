#include "collection/SourceReader.h"

#include "collection/FileTypes.h"

SaveSource SourceOf(const IconSource& record) {
  return SaveSource{record.Path(), record.m_group};
}

IconImageSetPtr SourceReader::Read(const SaveSource& source) {
  const FileType* type = FindFileType(LowercaseExtension(source.path.c_str()));
  if (!type) return nullptr;
  if (!type->isModule) return m_io.LoadIcoFile(source.path);
  if (!source.group) return nullptr;
  if (!m_module || m_modulePath != source.path) {
    m_module = ModuleResources::OpenFile(source.path);
    m_modulePath = source.path;
  }
  return m_module ? m_io.LoadGroupIcon(*m_module, *source.group, source.path) : nullptr;
}
