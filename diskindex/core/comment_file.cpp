#include "diskindex/core/comment_file.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/little_endian.h"
#include "diskindex/core/file_io.h"
#include "diskindex/core/text_codec.h"
#include "platform/codepage.h"

namespace diskindex {
namespace {

namespace C = comment_layout;
constexpr char kMark[4] = {'U', 'T', 'F', '8'};

// Parses the records after the header. A record cut off at the end (no full
// key or no terminator) stops the parse: the records before it are kept.
// Behind a damaged header (onlyPlausible) a key no volume can have ends the
// parse too, so that garbage does not turn into remarks.
bool parseRecords(std::string_view body, bool utf8, bool onlyPlausible,
                  TFileCommentList& remarks) {
  std::size_t offset = 0;
  while (offset < body.size()) {
    if (body.size() - offset < C::kText) return false;
    const std::size_t textStart = offset + C::kText;
    const std::size_t nul = body.find('\0', textStart);
    if (nul == std::string_view::npos) return false;
    const std::span<const std::uint8_t> key(reinterpret_cast<const std::uint8_t*>(body.data()) + offset,
                                            C::kText);
    TDirFileNo dirFile{platform::le::readI32(key, C::kDirNo).value_or(0),
                       platform::le::readI32(key, C::kFileNo).value_or(0)};
    if (onlyPlausible && (dirFile.dirNo < 1 || dirFile.fileNo < -1)) return false;
    remarks.appendLoaded(dirFile, decodeStoredText(body.substr(textStart, nul - textStart), utf8));
    offset = nul + 1;
  }
  return true;
}

std::string encodeRemarks(const std::vector<Remark>& records, bool forceUtf8) {
  bool utf8 = forceUtf8;
  for (std::size_t i = 0; !utf8 && i < records.size(); ++i) {
    utf8 = !platform::fitsCp1252(records[i].text);
  }
  std::string data(C::kHeaderSize, '\0');
  data[C::kMagic] = 'K';
  data[C::kMagic + 1] = 'T';
  if (utf8) data.replace(C::kUtf8Mark, 4, kMark, 4);
  for (const Remark& remark : records) {
    std::uint8_t key[C::kText];
    platform::le::writeI32(key, C::kDirNo, remark.key.dirNo);
    platform::le::writeI32(key, C::kFileNo, remark.key.fileNo);
    data.append(reinterpret_cast<const char*>(key), sizeof key);
    std::string stored = encodeStoredText(remark.text, utf8);
    // A NUL inside a text would end it early when read back.
    stored.resize(std::min(stored.size(), stored.find('\0')));
    const std::string_view text = cutToBytes(stored, kMaxRemarkTextBytes, utf8);
    data.append(text);
    data.push_back('\0');
  }
  return data;
}

}  // namespace

ResultCode parseRemarks(std::span<const std::uint8_t> fileBytes, TFileCommentList& remarks) {
  remarks.clear();
  if (fileBytes.size() < C::kHeaderSize) return ResultCode::CannotRead;
  const std::uint8_t* header = fileBytes.data();
  const bool magicOk = header[C::kMagic] == 'K' && header[C::kMagic + 1] == 'T';
  const bool utf8 = std::memcmp(header + C::kUtf8Mark, kMark, 4) == 0;
  const std::string_view body(reinterpret_cast<const char*>(fileBytes.data()) + C::kHeaderSize,
                              fileBytes.size() - C::kHeaderSize);
  const bool complete = parseRecords(body, utf8, !magicOk, remarks);
  remarks.finishLoading();
  remarks.setModified(false);
  if (!magicOk) return ResultCode::BadFormat;
  return complete ? ResultCode::Ok : ResultCode::CannotRead;
}

ResultCode loadRemarks(const std::filesystem::path& commentFile, TFileCommentList& remarks) {
  remarks.clear();
  std::vector<std::uint8_t> bytes;
  const ResultCode code = readWholeFile(commentFile, bytes);
  if (code == ResultCode::NotFound) return ResultCode::CannotOpen;
  if (code != ResultCode::Ok) return code;
  return parseRemarks(bytes, remarks);
}

bool remarksDamaged(ResultCode loadCode) {
  return loadCode == ResultCode::BadFormat || loadCode == ResultCode::CannotRead;
}

RemarksLoad loadRemarksForEdit(const std::filesystem::path& commentFile) {
  RemarksLoad load;
  load.code = loadRemarks(commentFile, load.remarks);
  // Only a file can be damaged: a folder or device in its place is a
  // comment file that cannot be read, and a save says so.
  std::error_code error;
  load.damaged = remarksDamaged(load.code) && std::filesystem::is_regular_file(commentFile, error);
  load.base = load.remarks.records();
  return load;
}

namespace {

// The comment file on disk as a save finds it (under the lock).
struct OnDisk {
  ResultCode read = ResultCode::NotFound;  // Ok, NotFound, or why it could not be read
  std::vector<std::uint8_t> bytes;
  ResultCode parsed = ResultCode::Ok;
  TFileCommentList remarks;
};

OnDisk readOnDisk(const std::filesystem::path& file) {
  OnDisk disk;
  disk.read = readWholeFile(file, disk.bytes);
  if (disk.read == ResultCode::Ok) disk.parsed = parseRemarks(disk.bytes, disk.remarks);
  return disk;
}

// Writes records over the file found as disk: a damaged file is kept first,
// one that could not even be read is not replaced at all.
ResultCode replaceOnDisk(const std::filesystem::path& file, const OnDisk& disk,
                         const std::vector<Remark>& records, bool forceUtf8,
                         std::filesystem::path& damagedCopy) {
  if (disk.read != ResultCode::Ok && disk.read != ResultCode::NotFound) {
    return ResultCode::CannotWrite;
  }
  if (disk.read == ResultCode::Ok && disk.parsed != ResultCode::Ok) {
    damagedCopy = keepDamagedCopy(file, disk.bytes);
    if (damagedCopy.empty()) return ResultCode::CannotWrite;
  }
  const std::string data = encodeRemarks(records, forceUtf8);
  const ResultCode code = writeFileAtomically(
      file, std::span(reinterpret_cast<const std::uint8_t*>(data.data()), data.size()));
  return code == ResultCode::CannotCreate ? code
         : code == ResultCode::Ok         ? code
                                          : ResultCode::CannotWrite;
}

}  // namespace

ResultCode saveRemarks(const std::filesystem::path& commentFile, TFileCommentList& remarks,
                       bool forceUtf8) {
  const FolderLock lock(commentFile.parent_path(), FolderLock::Mode::Exclusive,
                        FolderLock::Creation::ExistingOnly);
  std::filesystem::path damagedCopy;
  const ResultCode code =
      replaceOnDisk(commentFile, readOnDisk(commentFile), remarks.records(), forceUtf8, damagedCopy);
  if (code == ResultCode::Ok) remarks.setModified(false);
  return code;
}

RemarkSaveResult saveRemarksMerged(const RemarkSaveRequest& request) {
  RemarkSaveResult result;
  result.saved = request.mine;
  const FolderLock lock(request.commentFile.parent_path(), FolderLock::Mode::Exclusive,
                        FolderLock::Creation::ExistingOnly);
  const OnDisk disk = readOnDisk(request.commentFile);
  std::vector<Remark> toWrite = request.mine;
  result.status = RemarkSaveStatus::Saved;
  // A damaged file on disk has nothing to merge with: it is kept aside.
  const bool theirsReadable = disk.read == ResultCode::Ok && disk.parsed == ResultCode::Ok;
  const std::vector<Remark> theirs = theirsReadable ? disk.remarks.records() : std::vector<Remark>{};
  if ((theirsReadable || disk.read == ResultCode::NotFound) && theirs != request.base) {
    RemarkMerge merge = mergeRemarks(request.base, request.mine, theirs, request.choice);
    if (!merge.conflicts.empty()) {
      result.status = RemarkSaveStatus::Conflict;
      result.conflicts = std::move(merge.conflicts);
      return result;
    }
    toWrite = std::move(merge.merged);
    result.status = RemarkSaveStatus::Merged;
  }
  result.code =
      replaceOnDisk(request.commentFile, disk, toWrite, request.forceUtf8, result.damagedCopy);
  if (result.code != ResultCode::Ok) {
    result.status = RemarkSaveStatus::Failed;
    return result;
  }
  result.saved = std::move(toWrite);
  return result;
}

}  // namespace diskindex
