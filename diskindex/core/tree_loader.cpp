// The tree loader: reads the entry records of a volume data file in blocks of
// 32,000 bytes and builds the directory list. An entry is taken only when its
// fixed part and its name both lie in the buffer; otherwise the file position
// goes back to the start of that entry and the next block is read from there.

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

#include "diskindex/core/entry_codec.h"
#include "diskindex/core/file_io.h"
#include "diskindex/core/text_codec.h"
#include "diskindex/core/volume_file.h"
#include "diskindex/core/volume_root.h"
#include "platform/codepage.h"

namespace diskindex {
namespace {

namespace E = entry_layout;

// Files beyond this cannot be indexed by the 32-bit name offsets.
constexpr std::int64_t kMaxVolumeFileSize = std::int64_t{3} << 30;

const std::array<std::uint8_t, 256>& lowerTable() {
  static const std::array<std::uint8_t, 256> table = [] {
    std::array<std::uint8_t, 256> t{};
    for (int b = 0; b < 256; ++b) t[b] = platform::cp1252ToLower(static_cast<std::uint8_t>(b));
    return t;
  }();
  return table;
}

bool isAscii(std::string_view text) {
  for (unsigned char c : text) {
    if (c >= 0x80) return false;
  }
  return true;
}

class TreeBuilder {
 public:
  TreeBuilder(TOutlineDirList& list, bool utf8, std::int32_t headerDirs, ProgressObserver* observer,
              NameCase nameCase)
      : m_list(list),
        m_utf8(utf8),
        m_headerDirs(headerDirs),
        m_observer(observer),
        m_nameCase(nameCase) {}

  void add(const StoredEntry& entry) {
    if (m_nameCase == NameCase::Stored) {
      m_name = decodeStoredText(entry.name, m_utf8);
    } else {
      displayCase(entry.name, entry.attributes);
    }
    if (entry.isDirectory()) {
      m_list.addDirectory(entry.level, m_name, (entry.attributes & attributes::kUnreadable) != 0);
      if (++m_directories % 10 == 0) report();
    } else {
      m_list.addFile(m_name, entry.size, entry.dosDateTime, entry.attributes);
    }
  }

 private:
  void displayCase(std::string_view stored, std::uint8_t attributes) {
    const std::size_t length = stored.size();
    m_name.clear();
    // ASCII reads the same in both encodings and takes the fast path.
    if (m_utf8 && !isAscii(stored)) {
      m_name = displayName(decodeStoredText(stored, true), attributes);
      return;
    }
    if ((attributes & attributes::kLongName) != 0 || length < 2) {
      appendCp1252AsUtf8(m_name, stored);
      return;
    }
    m_lowered.assign(stored);
    const auto& lower = lowerTable();
    for (std::size_t i = 1; i < length; ++i) {
      m_lowered[i] = static_cast<char>(lower[static_cast<std::uint8_t>(m_lowered[i])]);
    }
    appendCp1252AsUtf8(m_name, m_lowered);
  }

  void report() {
    if (m_observer == nullptr || m_headerDirs <= 0) return;
    const std::int64_t percent = std::int64_t{m_directories} * 100 / m_headerDirs;
    m_observer->progress(static_cast<int>(percent > 100 ? 100 : percent));
  }

  TOutlineDirList& m_list;
  bool m_utf8;
  std::int32_t m_headerDirs;
  ProgressObserver* m_observer;
  NameCase m_nameCase;
  std::int64_t m_directories = 0;
  std::string m_name;
  std::string m_lowered;
};

// Reserves what the header promises, but never more than the file's size
// allows (every entry takes at least 11 bytes).
void reserveFor(TOutlineDirList& list, const VolumeHeader& header, std::int64_t fileSize) {
  const std::int64_t body = fileSize - static_cast<std::int64_t>(header_layout::kSize);
  const std::int64_t maxEntries = body / static_cast<std::int64_t>(E::kFixedSize);
  auto bounded = [&](std::int64_t claimed) {
    return static_cast<std::size_t>(claimed < 0 ? 0
                                                : (claimed > maxEntries ? maxEntries : claimed));
  };
  list.reserve(bounded(std::int64_t{header.directoryCount} + 1), bounded(header.fileCount),
               static_cast<std::size_t>(body > 0 ? body : 0));
}

// Where the loader takes its blocks from: the open file, or bytes already in
// memory (which behave exactly like the file, block by block).
class BlockSource {
 public:
  virtual ~BlockSource() = default;
  virtual std::ptrdiff_t read(std::uint8_t* buffer, std::size_t size) = 0;
  virtual bool seekRelative(std::int64_t delta) = 0;
  virtual std::int64_t size() const = 0;
};

class FileSource : public BlockSource {
 public:
  explicit FileSource(FileHandle& file) : m_file(file) {}
  std::ptrdiff_t read(std::uint8_t* buffer, std::size_t size) override {
    return m_file.read(buffer, size);
  }
  bool seekRelative(std::int64_t delta) override { return m_file.seekRelative(delta); }
  std::int64_t size() const override { return m_file.size(); }

 private:
  FileHandle& m_file;
};

class MemorySource : public BlockSource {
 public:
  explicit MemorySource(std::span<const std::uint8_t> bytes) : m_bytes(bytes) {}
  std::ptrdiff_t read(std::uint8_t* buffer, std::size_t size) override {
    const std::size_t n = std::min(size, m_bytes.size() - m_position);
    std::memcpy(buffer, m_bytes.data() + m_position, n);
    m_position += n;
    return static_cast<std::ptrdiff_t>(n);
  }
  bool seekRelative(std::int64_t delta) override {
    const std::int64_t target = static_cast<std::int64_t>(m_position) + delta;
    if (target < 0 || target > static_cast<std::int64_t>(m_bytes.size())) return false;
    m_position = static_cast<std::size_t>(target);
    return true;
  }
  std::int64_t size() const override { return static_cast<std::int64_t>(m_bytes.size()); }

 private:
  std::span<const std::uint8_t> m_bytes;
  std::size_t m_position = 0;
};

ResultCode readEntries(BlockSource& source, TreeBuilder& builder) {
  std::vector<std::uint8_t> buffer(kLoadBlockSize);
  for (;;) {
    const std::ptrdiff_t got = source.read(buffer.data(), buffer.size());
    if (got < 0) return ResultCode::CannotRead;
    const auto size = static_cast<std::size_t>(got);
    std::size_t offset = 0;
    while (auto entry = decodeEntry(std::span(buffer.data() + offset, size - offset))) {
      builder.add(*entry);
      offset += entry->storedLength();
    }
    if (size < buffer.size()) {
      // End of file: anything left over is an entry cut off.
      return offset == size ? ResultCode::Ok : ResultCode::CannotRead;
    }
    if (offset < size && !source.seekRelative(-static_cast<std::int64_t>(size - offset))) {
      return ResultCode::CannotRead;
    }
  }
}

ResultCode loadFrom(BlockSource& source, TOutlineDirList& directories, VolumeHeader& header,
                    ProgressObserver* observer, NameCase nameCase = NameCase::Display) {
  directories.clear();
  HeaderBytes bytes{};
  if (source.read(bytes.data(), bytes.size()) != static_cast<std::ptrdiff_t>(bytes.size())) {
    return ResultCode::CannotRead;
  }
  if (headerKind(bytes) != HeaderKind::Current) return ResultCode::BadFormat;
  header = decodeHeader(bytes);
  const std::int64_t fileSize = source.size();
  if (fileSize > kMaxVolumeFileSize) return ResultCode::OutOfMemory;
  reserveFor(directories, header, fileSize);
  directories.addDirectory(0, "\\");
  TreeBuilder builder(directories, header.utf8, header.directoryCount, observer, nameCase);
  const ResultCode code = readEntries(source, builder);
  if (code != ResultCode::Ok) {
    directories.clear();
    return code;
  }
  if (observer != nullptr) observer->progress(100);
  return ResultCode::Ok;
}

// The folder a volume keeps is not in the file's bytes but beside it.
ResultCode withKeptFolder(const std::filesystem::path& dataFile, ResultCode code,
                          VolumeHeader& header) {
  if (code == ResultCode::Ok && VolumeRoot(header.driveLetter).isFolder()) {
    header.folder = readFolderFile(dataFile).value_or(std::string());
  }
  return code;
}

}  // namespace

ResultCode loadVolumeContents(const std::filesystem::path& dataFile, TOutlineDirList& directories,
                              VolumeHeader& header, ProgressObserver* observer) {
  directories.clear();
  FileHandle file = FileHandle::openRead(dataFile);
  if (!file.valid()) return ResultCode::CannotOpen;
  FileSource source(file);
  return withKeptFolder(dataFile, loadFrom(source, directories, header, observer), header);
}

ResultCode parseVolumeContents(std::span<const std::uint8_t> fileBytes,
                               TOutlineDirList& directories, VolumeHeader& header,
                               ProgressObserver* observer) {
  MemorySource source(fileBytes);
  return loadFrom(source, directories, header, observer);
}

ResultCode loadStoredNames(const std::filesystem::path& dataFile, TOutlineDirList& directories,
                           VolumeHeader& header) {
  directories.clear();
  FileHandle file = FileHandle::openRead(dataFile);
  if (!file.valid()) return ResultCode::CannotOpen;
  FileSource source(file);
  return withKeptFolder(dataFile, loadFrom(source, directories, header, nullptr, NameCase::Stored),
                        header);
}

ResultCode parseStoredNames(std::span<const std::uint8_t> fileBytes, TOutlineDirList& directories,
                            VolumeHeader& header) {
  MemorySource source(fileBytes);
  return loadFrom(source, directories, header, nullptr, NameCase::Stored);
}

ResultCode loadVolumeContents(const std::filesystem::path& dataFile, TOutlineDirList& directories,
                              ProgressObserver* observer) {
  VolumeHeader header;
  return loadVolumeContents(dataFile, directories, header, observer);
}

}  // namespace diskindex
