#include "diskindex/core/search/stored_name.h"

#include <algorithm>
#include <array>

#include "diskindex/core/dir_list.h"
#include "diskindex/core/entry_record.h"
#include "diskindex/core/file_io.h"
#include "diskindex/core/volume_header.h"
#include "diskindex/core/search/search_chars.h"
#include "diskindex/core/text_codec.h"
#include "platform/codepage.h"

namespace diskindex::search {
namespace {

const std::array<std::uint8_t, 256>& lowerTable() {
  static const std::array<std::uint8_t, 256> table = [] {
    std::array<std::uint8_t, 256> t{};
    for (int b = 0; b < 256; ++b) t[b] = platform::cp1252ToLower(static_cast<std::uint8_t>(b));
    return t;
  }();
  return table;
}

// Beyond this a volume file is not read into memory (as the tree loader).
constexpr std::int64_t kMaxVolumeFileSize = std::int64_t{3} << 30;

}  // namespace

ResultCode readDataFile(const std::filesystem::path& file, std::vector<std::uint8_t>& bytes) {
  FileHandle handle = FileHandle::openRead(file);
  if (!handle.valid()) return ResultCode::CannotOpen;
  const std::int64_t size = handle.size();
  if (size < 0) return ResultCode::CannotRead;
  if (size > kMaxVolumeFileSize) return ResultCode::OutOfMemory;
  bytes.resize(static_cast<std::size_t>(size));
  const std::ptrdiff_t got = handle.read(bytes.data(), bytes.size());
  return got == static_cast<std::ptrdiff_t>(bytes.size()) ? ResultCode::Ok : ResultCode::CannotRead;
}

ResultCode checkDataHeader(std::span<const std::uint8_t> bytes, bool& utf8) {
  if (bytes.size() < header_layout::kSize) return ResultCode::CannotRead;
  if (headerKind(bytes) != HeaderKind::Current) return ResultCode::BadFormat;
  HeaderBytes header{};
  std::copy_n(bytes.begin(), header.size(), header.begin());
  utf8 = decodeHeader(header).utf8;
  return ResultCode::Ok;
}

void displayForm(std::string_view stored, std::uint8_t attributes, bool utf8, std::string& out,
                 std::string& scratch) {
  out.clear();
  if (utf8 && !isAscii(stored)) {
    out = displayName(decodeStoredText(stored, true), attributes);
    return;
  }
  if ((attributes & attributes::kLongName) != 0 || stored.size() < 2) {
    appendCp1252AsUtf8(out, stored);
    return;
  }
  scratch.assign(stored);
  for (std::size_t i = 1; i < scratch.size(); ++i) {
    scratch[i] = static_cast<char>(lowerTable()[static_cast<std::uint8_t>(scratch[i])]);
  }
  appendCp1252AsUtf8(out, scratch);
}

}  // namespace diskindex::search
