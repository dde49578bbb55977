#include "collection/SourceReader.h"


SaveSource SourceOf(const IconSource& record) {
  return SaveSource{record.Path(), record.m_group};
}

IconImageSetPtr SourceReader::Read(const SaveSource& source) {
  m_problem.clear();
  if (!m_reader || m_path != source.path) {
    // The record names where the icon really is, a companion included.
    m_reader = std::make_unique<IconFileReader>(source.path);
    m_path = source.path;
  }
  auto group = m_reader->ReadGroup(source.group);
  if (group && !group->set->images.empty()) return std::move(group->set);
  const ReadStatus status = m_reader->Status();
  if (status != ReadStatus::Read && status != ReadStatus::NoIcon) m_problem = ReadStatusText(status, m_reader->Detail());
  else if (!group) m_problem = "the file no longer holds this icon";
  else m_problem = "none of its images can be read";
  return nullptr;
}
