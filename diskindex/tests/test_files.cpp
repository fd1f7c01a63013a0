#include "diskindex/tests/test_files.h"

#include <unistd.h>

#include <atomic>
#include <fstream>
#include <iterator>

namespace diskindex::test {

TempDir::TempDir() {
  static std::atomic<int> counter{0};
  m_path = std::filesystem::temp_directory_path() /
           ("diskindex-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
  std::filesystem::remove_all(m_path);
  std::filesystem::create_directories(m_path);
}

TempDir::~TempDir() {
  std::error_code error;
  std::filesystem::remove_all(m_path, error);
}

std::vector<std::uint8_t> readAll(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

void writeAll(const std::filesystem::path& file, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
}

EntryRecord file(std::uint8_t level, std::string name, std::uint64_t size, std::uint32_t dos,
                 std::uint8_t attributes) {
  return EntryRecord{level, std::move(name), size, dos, attributes};
}

EntryRecord dir(std::uint8_t level, std::string name, std::uint8_t extra) {
  return EntryRecord{level, std::move(name), 0, 0x5A214C00,
                     static_cast<std::uint8_t>(attributes::kDirectory | extra)};
}

std::vector<EntryRecord> generatedWalk(int directories, int filesPerDirectory) {
  std::vector<EntryRecord> walk;
  walk.reserve(static_cast<std::size_t>(directories) * (filesPerDirectory + 1) + 4);
  for (int f = 0; f < 3; ++f) walk.push_back(file(1, "ROOT" + std::to_string(f) + ".TXT"));
  for (int d = 0; d < directories; ++d) {
    const auto level = static_cast<std::uint8_t>(1 + d % 4);
    const bool longName = d % 3 == 0;
    walk.push_back(
        dir(level, longName ? "Directory number " + std::to_string(d) : "DIR" + std::to_string(d),
            longName ? attributes::kLongName : 0));
    for (int f = 0; f < filesPerDirectory; ++f) {
      const bool longFile = f % 2 == 0;
      walk.push_back(
          file(static_cast<std::uint8_t>(level + 1),
               longFile ? "Some long file name " + std::to_string(f) + ".txt"
                        : "F" + std::to_string(f) + ".DAT",
               static_cast<std::uint64_t>(d) * 1000 + f, 0x5A214C00u + f,
               longFile ? attributes::kLongName | attributes::kArchive : attributes::kArchive));
    }
  }
  return walk;
}

VolumeHeader sampleHeader(std::string name) {
  VolumeHeader header = freshHeader();
  header.name = std::move(name);
  header.driveLetter = 'E';
  header.driveType = 5;
  header.label = "DISC";
  header.capacity = 650000000;
  header.freeSpace = 0;
  return header;
}

void writeVolume(const std::filesystem::path& path, const VolumeHeader& header,
                 const std::vector<EntryRecord>& entries) {
  const HeaderBytes bytes = encodeHeader(header, false);
  std::vector<std::uint8_t> data(bytes.begin(), bytes.end());
  for (const EntryRecord& e : entries) {
    const std::uint32_t size = clampedSize(e.size);
    const std::uint8_t fixed[11] = {e.level,
                                    static_cast<std::uint8_t>(e.name.size()),
                                    static_cast<std::uint8_t>(size),
                                    static_cast<std::uint8_t>(size >> 8),
                                    static_cast<std::uint8_t>(size >> 16),
                                    static_cast<std::uint8_t>(size >> 24),
                                    static_cast<std::uint8_t>(e.dosDateTime),
                                    static_cast<std::uint8_t>(e.dosDateTime >> 8),
                                    static_cast<std::uint8_t>(e.dosDateTime >> 16),
                                    static_cast<std::uint8_t>(e.dosDateTime >> 24),
                                    e.attributes};
    data.insert(data.end(), fixed, fixed + 11);
    data.insert(data.end(), e.name.begin(), e.name.end());
  }
  writeAll(path, data);
}

}  // namespace diskindex::test
