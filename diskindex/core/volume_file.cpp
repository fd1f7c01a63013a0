#include "diskindex/core/volume_file.h"

#include <vector>

#include "diskindex/core/entry_codec.h"
#include "diskindex/core/file_io.h"
#include "diskindex/core/text_codec.h"
#include "diskindex/core/volume_list.h"
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

// Rewrites a Windows-1252 volume file as UTF-8 with a new header: every
// entry name re-encoded, written to a temporary file renamed over the old.
ResultCode rewriteAsUtf8(const std::filesystem::path& dataFile, const VolumeHeader& header) {
  FileHandle in = FileHandle::openRead(dataFile);
  if (!in.valid()) return ResultCode::CannotOpen;
  const std::int64_t size = in.size();
  if (size < static_cast<std::int64_t>(header_layout::kSize)) return ResultCode::CannotRead;
  std::vector<std::uint8_t> body(static_cast<std::size_t>(size) - header_layout::kSize);
  if (!in.seek(header_layout::kSize) ||
      in.read(body.data(), body.size()) != static_cast<std::ptrdiff_t>(body.size())) {
    return ResultCode::CannotRead;
  }
  std::filesystem::path temp = dataFile;
  temp += ".tmp";
  FileHandle out = FileHandle::create(temp);
  if (!out.valid()) return ResultCode::CannotCreate;
  const HeaderBytes bytes = encodeHeader(header, true);
  bool ok = out.write(bytes.data(), bytes.size());
  EntryWriter writer(out);
  std::size_t offset = 0;
  while (ok && offset < body.size()) {
    auto entry = decodeEntry(std::span(body).subspan(offset));
    if (!entry) break;
    offset += entry->storedLength();
    const std::string name = decodeStoredText(entry->name, false);
    entry->name = name;
    ok = name.size() <= E::kMaxNameBytes && writer.add(*entry);
  }
  // Flushed to the device before the rename makes it the volume's file.
  ok = ok && offset == body.size() && writer.flush() && out.sync() && out.close();
  if (!ok || !renameFile(temp, dataFile)) {
    removeFile(temp);
    return ResultCode::CannotWrite;
  }
  return ResultCode::Ok;
}

// Overwrites the category field of an open file with the field of bytes.
bool writeCategoryField(const std::filesystem::path& dataFile, const HeaderBytes& bytes) {
  FileHandle file = FileHandle::openReadWrite(dataFile);
  if (!file.valid() || !file.seek(header_layout::kCategory)) return false;
  const bool written =
      file.write(bytes.data() + header_layout::kCategory, header_layout::kCategorySize) &&
      file.sync();
  return file.close() && written;
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
      return ResultCode::Ok;
    case HeaderKind::OldFormat:
      return ResultCode::OldFormat;
    case HeaderKind::Unknown:
      break;
  }
  return ResultCode::BadFormat;
}

ResultCode rewriteHeader(const std::filesystem::path& dataFile, const VolumeHeader& header) {
  HeaderBytes current{};
  const ResultCode readCode = readHeaderBytes(dataFile, current);
  if (readCode == ResultCode::CannotOpen) return readCode;
  const bool fileIsUtf8 = readCode == ResultCode::Ok && decodeHeader(current).utf8;
  if (!fileIsUtf8 && headerNeedsUtf8(header)) return rewriteAsUtf8(dataFile, header);
  FileHandle file = FileHandle::openReadWrite(dataFile);
  if (!file.valid()) return ResultCode::CannotOpen;
  const HeaderBytes bytes = encodeHeader(header, fileIsUtf8);
  if (!file.write(bytes.data(), bytes.size()) || !file.close()) return ResultCode::CannotWrite;
  return ResultCode::Ok;
}

ResultCode rewriteCategory(const std::filesystem::path& dataFile, std::string_view category,
                           std::string* stored) {
  HeaderBytes before{};
  const ResultCode readCode = readHeaderBytes(dataFile, before);
  if (readCode != ResultCode::Ok) return readCode;
  if (headerKind(before) != HeaderKind::Current) return ResultCode::BadFormat;
  const VolumeHeader decoded = decodeHeader(before);
  if (!decoded.utf8 && !platform::fitsCp1252(category)) {
    VolumeHeader header = decoded;
    header.category = std::string(category);
    const ResultCode code = rewriteHeader(dataFile, header);
    VolumeHeader written;
    if (code == ResultCode::Ok && readHeader(dataFile, written) == ResultCode::Ok &&
        stored != nullptr) {
      *stored = written.category;
    }
    return code;
  }
  HeaderBytes after = before;
  putCategoryField(after, category, decoded.utf8);
  if (stored != nullptr) *stored = decodeHeader(after).category;
  if (after == before) return ResultCode::Ok;
  HeaderBytes check{};
  if (writeCategoryField(dataFile, after) && readHeaderBytes(dataFile, check) == ResultCode::Ok &&
      check == after) {
    return ResultCode::Ok;
  }
  // Whatever reached the file, the old field goes back, so the volume keeps
  // its old category rather than a half-written one.
  writeCategoryField(dataFile, before);
  return ResultCode::CannotWrite;
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

  FileHandle file = FileHandle::create(dataFile);
  if (!file.valid()) return ResultCode::CannotCreate;
  const HeaderBytes bytes = encodeHeader(header, header.utf8);
  ResultCode code =
      file.write(bytes.data(), bytes.size()) ? ResultCode::Ok : ResultCode::CannotWrite;
  if (code == ResultCode::Ok) code = writeEntries(file, entries, header.utf8, observer);
  if (!file.close() && code == ResultCode::Ok) code = ResultCode::CannotWrite;
  if (code == ResultCode::Ok && !removeFile(commentFileFor(dataFile))) {
    code = ResultCode::CommentNotRemovable;
  }
  if (code != ResultCode::Ok) removeFile(dataFile);
  return code;
}

}  // namespace diskindex
