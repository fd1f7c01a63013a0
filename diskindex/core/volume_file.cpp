#include "diskindex/core/volume_file.h"

#include <algorithm>
#include <vector>

#include "diskindex/core/entry_codec.h"
#include "diskindex/core/file_io.h"
#include "diskindex/core/text_codec.h"
#include "diskindex/core/volume_list.h"
#include "diskindex/core/volume_root.h"
#include "platform/codepage.h"

namespace diskindex {
namespace {

namespace E = entry_layout;

// Collects entry records and writes them in blocks rather than one call each.
class EntryWriter {
 public:
  explicit EntryWriter(FileHandle& file) : m_file(file) { m_buffer.reserve(kLoadBlockSize + 300); }

  bool add(const StoredEntry& entry) {
    appendEntry(m_buffer, entry);
    return m_buffer.size() < kLoadBlockSize || flush();
  }

  bool flush() {
    const bool ok = m_file.write(m_buffer.data(), m_buffer.size());
    m_buffer.clear();
    return ok;
  }

 private:
  FileHandle& m_file;
  std::vector<std::uint8_t> m_buffer;
};

ResultCode writeEntries(FileHandle& file, std::span<const EntryRecord> entries, bool utf8,
                        ProgressObserver* observer) {
  EntryWriter writer(file);
  const std::size_t last = entries.size() - 1;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const EntryRecord& entry = entries[i];
    const std::string stored = encodeStoredText(entry.name, utf8);
    const std::string_view name = cutToBytes(stored, E::kMaxNameBytes, utf8);
    if (!writer.add(
            {entry.level, clampedSize(entry.size), entry.dosDateTime, entry.attributes, name})) {
      return ResultCode::CannotWrite;
    }
    if (observer != nullptr && i % 10 == 0 && last > 0) {
      observer->progress(static_cast<int>(i * 100 / last));
    }
  }
  if (!writer.flush()) return ResultCode::CannotWrite;
  if (observer != nullptr) observer->progress(100);
  return ResultCode::Ok;
}

// Re-encodes a Windows-1252 volume file held in memory as UTF-8 with a new
// header: every entry name converted. False when an entry cannot be decoded
// or a name no longer fits its 255 bytes; out is then incomplete.
bool convertToUtf8(std::span<const std::uint8_t> file, const VolumeHeader& header,
                   std::vector<std::uint8_t>& out) {
  const std::span<const std::uint8_t> body = file.subspan(header_layout::kSize);
  const HeaderBytes bytes = encodeHeader(header, true);
  out.assign(bytes.begin(), bytes.end());
  out.reserve(file.size() + file.size() / 8);
  std::size_t offset = 0;
  while (offset < body.size()) {
    auto entry = decodeEntry(body.subspan(offset));
    if (!entry) return false;
    offset += entry->storedLength();
    const std::string name = decodeStoredText(entry->name, false);
    if (name.size() > E::kMaxNameBytes) return false;
    entry->name = name;
    appendEntry(out, *entry);
  }
  return true;
}

// Reads a whole current-format volume file for a change of its header:
// CannotOpen, CannotRead (shorter than a header), BadFormat (no "K&T": a
// damaged or old file is never rewritten).
ResultCode readForHeaderChange(const std::filesystem::path& dataFile,
                               std::vector<std::uint8_t>& bytes) {
  const ResultCode code = readWholeFile(dataFile, bytes);
  if (code == ResultCode::NotFound) return ResultCode::CannotOpen;
  if (code != ResultCode::Ok) return code;
  if (bytes.size() < header_layout::kSize) return ResultCode::CannotRead;
  if (headerKind(std::span(bytes).first(header_layout::kSize)) != HeaderKind::Current) {
    return ResultCode::BadFormat;
  }
  return ResultCode::Ok;
}

HeaderBytes headerOf(std::span<const std::uint8_t> file) {
  HeaderBytes header{};
  std::copy_n(file.begin(), header.size(), header.begin());
  return header;
}

// Writes the file with the new header bytes in place of its first 512.
ResultCode writeWithHeader(const std::filesystem::path& dataFile, std::vector<std::uint8_t>& bytes,
                           const HeaderBytes& header) {
  std::copy(header.begin(), header.end(), bytes.begin());
  const ResultCode code = writeFileAtomically(dataFile, bytes);
  return code == ResultCode::Ok ? code : ResultCode::CannotWrite;
}

// The header change when the new texts need UTF-8 and the file is not.
ResultCode writeAsUtf8(const std::filesystem::path& dataFile,
                       std::span<const std::uint8_t> bytes, const VolumeHeader& header,
                       std::string* storedCategory) {
  std::vector<std::uint8_t> converted;
  if (!convertToUtf8(bytes, header, converted)) return ResultCode::CannotWrite;
  if (storedCategory != nullptr) *storedCategory = decodeHeader(headerOf(converted)).category;
  const ResultCode code = writeFileAtomically(dataFile, converted);
  return code == ResultCode::Ok ? code : ResultCode::CannotWrite;
}

}  // namespace

ResultCode readHeaderBytes(const std::filesystem::path& dataFile, HeaderBytes& bytes) {
  FileHandle file = FileHandle::openRead(dataFile);
  if (!file.valid()) return ResultCode::CannotOpen;
  if (file.read(bytes.data(), bytes.size()) != static_cast<std::ptrdiff_t>(bytes.size())) {
    return ResultCode::CannotRead;
  }
  return ResultCode::Ok;
}

ResultCode readHeader(const std::filesystem::path& dataFile, VolumeHeader& header) {
  HeaderBytes bytes{};
  const ResultCode code = readHeaderBytes(dataFile, bytes);
  if (code != ResultCode::Ok) {
    // An old-format file is shorter than 512 bytes only when nearly empty;
    // its magic is what matters.
    return code;
  }
  switch (headerKind(bytes)) {
    case HeaderKind::Current:
      header = decodeHeader(bytes);
      if (VolumeRoot(header.driveLetter).isFolder()) {
        header.folder = readFolderFile(dataFile).value_or(std::string());
      }
      return ResultCode::Ok;
    case HeaderKind::OldFormat:
      return ResultCode::OldFormat;
    case HeaderKind::Unknown:
      break;
  }
  return ResultCode::BadFormat;
}

ResultCode rewriteHeader(const std::filesystem::path& dataFile, const VolumeHeader& header) {
  // Read and written under the folder's lock, so that a change another
  // program makes at the same moment is not undone by this one.
  const FolderLock lock(dataFile.parent_path(), FolderLock::Mode::Exclusive);
  std::vector<std::uint8_t> bytes;
  const ResultCode code = readForHeaderChange(dataFile, bytes);
  if (code != ResultCode::Ok) return code;
  const bool fileIsUtf8 = decodeHeader(headerOf(bytes)).utf8;
  if (!fileIsUtf8 && headerNeedsUtf8(header)) return writeAsUtf8(dataFile, bytes, header, nullptr);
  return writeWithHeader(dataFile, bytes, encodeHeader(header, fileIsUtf8));
}

ResultCode rewriteCategory(const std::filesystem::path& dataFile, std::string_view category,
                           std::string* stored) {
  const FolderLock lock(dataFile.parent_path(), FolderLock::Mode::Exclusive);
  std::vector<std::uint8_t> bytes;
  const ResultCode code = readForHeaderChange(dataFile, bytes);
  if (code != ResultCode::Ok) return code;
  const HeaderBytes before = headerOf(bytes);
  const VolumeHeader decoded = decodeHeader(before);
  if (!decoded.utf8 && !platform::fitsCp1252(category)) {
    VolumeHeader header = decoded;
    header.category = std::string(category);
    return writeAsUtf8(dataFile, bytes, header, stored);
  }
  HeaderBytes after = before;
  putCategoryField(after, category, decoded.utf8);
  if (stored != nullptr) *stored = decodeHeader(after).category;
  if (after == before) return ResultCode::Ok;
  return writeWithHeader(dataFile, bytes, after);
}

bool entriesNeedUtf8(std::span<const EntryRecord> entries) {
  for (const EntryRecord& entry : entries) {
    if (!platform::fitsCp1252(entry.name)) return true;
  }
  return false;
}

ResultCode createVolume(const std::filesystem::path& dataFile, VolumeHeader& header,
                        std::span<const EntryRecord> entries, ProgressObserver* observer,
                        bool forceUtf8) {
  if (entries.empty()) return ResultCode::DriveNotReady;
  std::int32_t directories = 0;
  for (const EntryRecord& entry : entries) directories += entry.isDirectory() ? 1 : 0;
  header.directoryCount = directories;
  header.fileCount = static_cast<std::int32_t>(entries.size()) - directories;
  header.utf8 = forceUtf8 || headerNeedsUtf8(header) || entriesNeedUtf8(entries);
  fitHeaderTexts(header, header.utf8);

  // The volume's own name must be one a file can have (a new volume's number
  // is claimed by its empty file already; anything else is claimed here).
  FileHandle claim(fileOps().open(dataFile.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644));
  if (!claim.valid() || !claim.close()) return ResultCode::CannotCreate;
  std::filesystem::path temp;
  FileHandle file = createTempBeside(dataFile, temp);
  if (!file.valid()) {
    releaseDataFile(dataFile);
    return ResultCode::CannotCreate;
  }
  const HeaderBytes bytes = encodeHeader(header, header.utf8);
  ResultCode code =
      file.write(bytes.data(), bytes.size()) ? ResultCode::Ok : ResultCode::CannotWrite;
  if (code == ResultCode::Ok) code = writeEntries(file, entries, header.utf8, observer);
  // Flushed before the rename makes it the volume's file: a crash leaves the
  // old state or the whole new file, never a part of it.
  if (code == ResultCode::Ok && !file.sync()) code = ResultCode::CannotWrite;
  if (!file.close() && code == ResultCode::Ok) code = ResultCode::CannotWrite;
  if (code != ResultCode::Ok) {
    removeFile(temp);
    releaseDataFile(dataFile);
    return code;
  }
  const FolderLock lock(dataFile.parent_path(), FolderLock::Mode::Exclusive);
  if (!removeFile(commentFileFor(dataFile))) {
    removeFile(temp);
    releaseDataFile(dataFile);
    return ResultCode::CommentNotRemovable;
  }
  if (!renameFile(temp, dataFile)) {
    removeFile(temp);
    releaseDataFile(dataFile);
    return ResultCode::CannotWrite;
  }
  if (!syncDirectory(dataFile.parent_path())) {
    // Not known to be on the device: reported as failed, so taken back.
    removeFile(dataFile);
    return ResultCode::CannotWrite;
  }
  return ResultCode::Ok;
}

}  // namespace diskindex
