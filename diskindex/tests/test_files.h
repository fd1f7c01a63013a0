#pragma once
// Helpers for the catalogue tests: a temporary directory that removes itself,
// raw file access, and generated walk results and volume files.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "diskindex/core/entry_record.h"
#include "diskindex/core/volume_header.h"

namespace diskindex::test {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::filesystem::path& path() const { return m_path; }
  std::filesystem::path operator/(const std::string& name) const { return m_path / name; }

 private:
  std::filesystem::path m_path;
};

std::vector<std::uint8_t> readAll(const std::filesystem::path& file);
void writeAll(const std::filesystem::path& file, const std::vector<std::uint8_t>& bytes);

EntryRecord file(std::uint8_t level, std::string name, std::uint64_t size = 100,
                 std::uint32_t dos = 0x5A214C00, std::uint8_t attributes = attributes::kArchive);
EntryRecord dir(std::uint8_t level, std::string name, std::uint8_t extra = 0);

// A walk of `directories` directories below the root, each holding
// `filesPerDirectory` files, nested up to four levels; names cycle through
// short upper-case 8.3 names and long names so that both display cases occur.
std::vector<EntryRecord> generatedWalk(int directories, int filesPerDirectory);

VolumeHeader sampleHeader(std::string name);

// Writes a volume file straight from bytes: a header encoded in Windows-1252
// followed by the raw entry records of the walk.
void writeVolume(const std::filesystem::path& file, const VolumeHeader& header,
                 const std::vector<EntryRecord>& entries);

}  // namespace diskindex::test
