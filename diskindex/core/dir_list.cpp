#include "diskindex/core/dir_list.h"

#include "diskindex/core/entry_record.h"
#include "platform/codepage.h"

namespace diskindex {

void TOutlineDirList::clear() {
  m_names.clear();
  m_directories.clear();
  m_files.clear();
  m_openParents.clear();
}

void TOutlineDirList::reserve(std::size_t directories, std::size_t files, std::size_t nameBytes) {
  m_directories.reserve(directories);
  m_files.reserve(files);
  m_names.reserve(nameBytes);
}

std::uint32_t TOutlineDirList::appendName(std::string_view name) {
  const auto offset = static_cast<std::uint32_t>(m_names.size());
  m_names.append(name);
  return offset;
}

void TOutlineDirList::addDirectory(std::uint8_t level, std::string_view name, bool unreadable) {
  DirectoryItem item;
  item.nameOffset = appendName(name);
  item.nameLength = static_cast<std::uint32_t>(name.size());
  item.firstFile = static_cast<std::uint32_t>(m_files.size());
  item.level = level;
  item.unreadable = unreadable;
  while (!m_openParents.empty() && m_directories[m_openParents.back()].level >= level) {
    m_openParents.pop_back();
  }
  item.parent = m_openParents.empty() ? 0 : m_openParents.back();
  m_openParents.push_back(static_cast<std::uint32_t>(m_directories.size()));
  m_directories.push_back(item);
}

void TOutlineDirList::addFile(std::string_view name, std::uint32_t size, std::uint32_t dosDateTime,
                              std::uint8_t attributes) {
  FileItem item;
  item.nameOffset = appendName(name);
  item.nameLength = static_cast<std::uint32_t>(name.size());
  item.size = size;
  item.dosDateTime = dosDateTime;
  item.attributes = attributes;
  m_files.push_back(item);
  ++m_directories.back().fileCount;
}

std::string_view TOutlineDirList::directoryName(std::size_t index) const {
  const DirectoryItem& item = m_directories[index];
  return std::string_view(m_names).substr(item.nameOffset, item.nameLength);
}

std::span<const FileItem> TOutlineDirList::files(std::size_t directoryIndex) const {
  const DirectoryItem& item = m_directories[directoryIndex];
  return std::span<const FileItem>(m_files).subspan(item.firstFile, item.fileCount);
}

std::string_view TOutlineDirList::name(const FileItem& file) const {
  return std::string_view(m_names).substr(file.nameOffset, file.nameLength);
}

std::size_t TOutlineDirList::parent(std::size_t index) const {
  if (index == 0 || index >= m_directories.size()) return npos;
  return m_directories[index].parent;
}

std::string TOutlineDirList::path(std::size_t index) const {
  if (index == 0 || index >= m_directories.size()) return "\\";
  std::vector<std::size_t> chain;
  for (std::size_t i = index; i != 0 && i != npos; i = parent(i)) chain.push_back(i);
  std::string result;
  for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
    result += '\\';
    result += directoryName(*it);
  }
  return result;
}

std::string displayName(std::string_view utf8Name, std::uint8_t attributes) {
  if ((attributes & attributes::kLongName) != 0 || utf8Name.empty()) return std::string(utf8Name);
  std::size_t first = 1;
  while (first < utf8Name.size() && (static_cast<unsigned char>(utf8Name[first]) & 0xC0) == 0x80) {
    ++first;
  }
  std::string result(utf8Name.substr(0, first));
  result += platform::toLowerUtf8(utf8Name.substr(first));
  return result;
}

}  // namespace diskindex
