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

bool needsUtf8(const TFileCommentList& remarks) {
  for (const Remark& remark : remarks.records()) {
    if (!platform::fitsCp1252(remark.text)) return true;
  }
  return false;
}

// Parses the records after the header. A record cut off at the end (no full
// key or no terminator) stops the parse: the records before it are kept.
bool parseRecords(std::string_view body, bool utf8, TFileCommentList& remarks) {
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
    remarks.appendLoaded(dirFile, decodeStoredText(body.substr(textStart, nul - textStart), utf8));
    offset = nul + 1;
  }
  return true;
}

}  // namespace

ResultCode parseRemarks(std::span<const std::uint8_t> fileBytes, TFileCommentList& remarks) {
  remarks.clear();
  if (fileBytes.size() < C::kHeaderSize) return ResultCode::CannotRead;
  const std::uint8_t* header = fileBytes.data();
  if (header[C::kMagic] != 'K' || header[C::kMagic + 1] != 'T') return ResultCode::BadFormat;
  const bool utf8 = std::memcmp(header + C::kUtf8Mark, kMark, 4) == 0;
  const std::string_view body(reinterpret_cast<const char*>(fileBytes.data()) + C::kHeaderSize,
                              fileBytes.size() - C::kHeaderSize);
  const bool complete = parseRecords(body, utf8, remarks);
  remarks.finishLoading();
  remarks.setModified(false);
  return complete ? ResultCode::Ok : ResultCode::CannotRead;
}

ResultCode loadRemarks(const std::filesystem::path& commentFile, TFileCommentList& remarks) {
  remarks.clear();
  FileHandle file = FileHandle::openRead(commentFile);
  if (!file.valid()) return ResultCode::CannotOpen;
  const std::int64_t size = file.size();
  // The file is read whole; a size the system cannot tell reads the header.
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(
      size > static_cast<std::int64_t>(C::kHeaderSize) ? size : C::kHeaderSize));
  const std::ptrdiff_t got = file.read(bytes.data(), bytes.size());
  if (got < 0) return ResultCode::CannotRead;
  bytes.resize(static_cast<std::size_t>(got));
  return parseRemarks(bytes, remarks);
}

ResultCode saveRemarks(const std::filesystem::path& commentFile, TFileCommentList& remarks,
                       bool forceUtf8) {
  const bool utf8 = forceUtf8 || needsUtf8(remarks);
  std::string data(C::kHeaderSize, '\0');
  data[C::kMagic] = 'K';
  data[C::kMagic + 1] = 'T';
  if (utf8) data.replace(C::kUtf8Mark, 4, kMark, 4);
  for (const Remark& remark : remarks.records()) {
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
  std::filesystem::path temp = commentFile;
  temp += ".tmp";
  FileHandle file = FileHandle::create(temp);
  if (!file.valid()) return ResultCode::CannotCreate;
  const bool written = file.write(data.data(), data.size()) && file.sync() && file.close();
  if (!written || !renameFile(temp, commentFile)) {
    removeFile(temp);
    return ResultCode::CannotWrite;
  }
  remarks.setModified(false);
  return ResultCode::Ok;
}

}  // namespace diskindex
