#pragma once
// The contents of the one opened volume: the directory list in file order,
// the root first (level 0, name "\"), each directory with the run of its
// files. Directory number n (root = 1) is index n - 1; file numbers count a
// directory's files from 0 in file order, so remarks key onto these indices.
//
// Built by the tree loader. Storage is compact for volumes of a million
// entries: all names (UTF-8, display case applied) live in one shared text
// buffer and every file in one array; a directory is a range of that array.
// It does not read files itself (see volume_file.h).

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace diskindex {

struct FileItem {
  std::uint32_t nameOffset = 0;  // into the list's name buffer
  std::uint32_t nameLength = 0;
  std::uint32_t size = 0;
  std::uint32_t dosDateTime = 0;
  std::uint8_t attributes = 0;
};

struct DirectoryItem {
  std::uint32_t nameOffset = 0;
  std::uint32_t nameLength = 0;
  std::uint32_t firstFile = 0;  // index into the file array
  std::uint32_t fileCount = 0;
  std::uint32_t parent = 0;  // nearest earlier directory of a lower level; 0 for the root
  std::uint8_t level = 0;
  bool unreadable = false;  // its contents could not be read (attributes::kUnreadable)
};

class TOutlineDirList {
 public:
  void clear();
  // Appends a directory (with no files yet) / a file of the last directory.
  // name is UTF-8 with the display case already applied.
  void addDirectory(std::uint8_t level, std::string_view name, bool unreadable = false);
  void addFile(std::string_view name, std::uint32_t size, std::uint32_t dosDateTime,
               std::uint8_t attributes);
  void reserve(std::size_t directories, std::size_t files, std::size_t nameBytes);

  std::size_t directoryCount() const { return m_directories.size(); }
  std::size_t totalFileCount() const { return m_files.size(); }
  bool empty() const { return m_directories.empty(); }

  const DirectoryItem& directory(std::size_t index) const { return m_directories[index]; }
  std::string_view directoryName(std::size_t index) const;
  std::uint8_t level(std::size_t index) const { return m_directories[index].level; }
  std::span<const FileItem> files(std::size_t directoryIndex) const;
  std::string_view name(const FileItem& file) const;

  // The directory's full path from the root with "\" separators, e.g.
  // "\TOOLS\BIN" (the root alone is "\"), found by walking levels back.
  std::string path(std::size_t index) const;
  // Index of the directory's parent (the nearest earlier directory of a
  // lower level, found while loading), or npos for the root.
  std::size_t parent(std::size_t index) const;
  static constexpr std::size_t npos = static_cast<std::size_t>(-1);

 private:
  std::uint32_t appendName(std::string_view name);

  std::string m_names;
  std::vector<DirectoryItem> m_directories;
  std::vector<FileItem> m_files;
  // Indices of the directories that can still become parents: their levels
  // rise strictly from the bottom up.
  std::vector<std::uint32_t> m_openParents;
};

// Display case of a stored name: without the long-name flag every character
// but the first is lower-cased (README.TXT -> Readme.txt, umlauts included);
// with it the name stays as stored. Both work on UTF-8.
std::string displayName(std::string_view utf8Name, std::uint8_t attributes);

}  // namespace diskindex
