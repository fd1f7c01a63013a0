#include "diskindex/core/old_format.h"

#include <sys/stat.h>

#include <vector>

#include "platform/little_endian.h"
#include "diskindex/core/entry_codec.h"
#include "diskindex/core/file_io.h"
#include "diskindex/core/text_codec.h"
#include "platform/dates.h"

namespace diskindex {
namespace {

namespace O = old_layout;

VolumeHeader headerFromOld(const std::uint8_t* old, double lastWrite) {
  VolumeHeader header = freshHeader();
  header.capacity = 0;
  header.freeSpace = 0;
  header.captureDate = lastWrite;
  header.driveLetter = static_cast<char>(old[O::kDriveLetter]);
  header.directoryCount =
      platform::le::readI32(std::span(old, O::kHeaderSize), O::kDirectoryCount).value_or(0);
  header.name = decodeStoredText(fieldText(old + O::kName, O::kNameSize), false);
  header.remark = decodeStoredText(fieldText(old + O::kRemark, O::kHeaderSize - O::kRemark), false);
  return header;
}

// Number of file entries, or -1 when the last entry is cut off.
std::int64_t countFiles(const std::vector<std::uint8_t>& body) {
  std::int64_t files = 0;
  std::size_t offset = 0;
  while (auto entry = decodeEntry(std::span(body).subspan(offset))) {
    if (!entry->isDirectory()) ++files;
    offset += entry->storedLength();
  }
  return offset == body.size() ? files : -1;
}

double lastWriteDayCount(const FileHandle& file) {
  struct stat info {};
  if (::fstat(file.fd(), &info) != 0) return freshHeader().captureDate;
  return platform::dayCountFromUnixTime(info.st_mtime);
}

ResultCode writeConverted(FileHandle& oldFile, FileHandle& out) {
  std::uint8_t old[O::kHeaderSize];
  if (oldFile.read(old, sizeof old) != static_cast<std::ptrdiff_t>(sizeof old)) {
    return ResultCode::CannotRead;
  }
  const std::int64_t size = oldFile.size();
  std::vector<std::uint8_t> body(static_cast<std::size_t>(size > 256 ? size - 256 : 0));
  if (oldFile.read(body.data(), body.size()) != static_cast<std::ptrdiff_t>(body.size())) {
    return ResultCode::CannotRead;
  }
  const std::int64_t files = countFiles(body);
  if (files < 0 || files > INT32_MAX) return ResultCode::CannotRead;
  VolumeHeader header = headerFromOld(old, lastWriteDayCount(oldFile));
  header.fileCount = static_cast<std::int32_t>(files);
  const HeaderBytes bytes = encodeHeader(header, false);
  if (!out.write(bytes.data(), bytes.size())) return ResultCode::CannotWrite;
  for (std::size_t offset = 0; offset < body.size(); offset += O::kCopyBlock) {
    const std::size_t chunk = std::min(O::kCopyBlock, body.size() - offset);
    if (!out.write(body.data() + offset, chunk)) return ResultCode::CannotWrite;
  }
  return out.sync() && out.close() ? ResultCode::Ok : ResultCode::CannotWrite;
}

// Old file -> "XXX.TMP", new file -> old name, "XXX.TMP" deleted. A failed
// step puts back what it moved.
ResultCode swapFiles(const std::filesystem::path& dataFile, const std::filesystem::path& temp) {
  const std::filesystem::path parked = dataFile.parent_path() / "XXX.TMP";
  if (!renameFile(dataFile, parked)) return ResultCode::CannotWrite;
  if (!renameFile(temp, dataFile)) {
    renameFile(parked, dataFile);
    return ResultCode::CannotWrite;
  }
  removeFile(parked);
  return ResultCode::Ok;
}

}  // namespace

ResultCode convertOldFile(const std::filesystem::path& dataFile) {
  std::filesystem::path temp = dataFile;
  temp.replace_extension(dataFile.extension() == ".dat" ? ".tmp" : ".TMP");
  FileHandle out = FileHandle::create(temp);
  if (!out.valid()) return ResultCode::CannotCreate;
  FileHandle oldFile = FileHandle::openRead(dataFile);
  ResultCode code = oldFile.valid() ? writeConverted(oldFile, out) : ResultCode::CannotOpen;
  oldFile.close();
  out.close();
  if (code == ResultCode::Ok) code = swapFiles(dataFile, temp);
  if (code != ResultCode::Ok) removeFile(temp);
  return code;
}

ResultCode convertOldFiles(std::span<const std::filesystem::path> files,
                           ConversionObserver& observer) {
  if (files.empty() || !observer.confirmConversion()) return ResultCode::Ok;
  const int count = static_cast<int>(files.size());
  for (int i = 0; i < count; ++i) {
    observer.converting(files[i], i + 1, count);
    const ResultCode code = convertOldFile(files[i]);
    if (code != ResultCode::Ok) observer.fileFailed(code, files[i]);
    if (i + 1 < count && observer.cancelRequested()) {
      observer.cancelled();
      return ResultCode::Cancelled;
    }
  }
  return ResultCode::Ok;
}

}  // namespace diskindex
