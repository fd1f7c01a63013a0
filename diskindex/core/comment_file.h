#pragma once
// The comment file (CDnnnnnn.CMT): a 32-byte header starting with "KT" (and
// "UTF8" at offset 2 when the texts are UTF-8; otherwise they are
// Windows-1252), then records of directory number, file number and a
// NUL-terminated text, sorted by key. Saving writes a temporary file beside
// the .CMT and renames it over the old one, so a failed save never loses the
// remarks already stored.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>

#include "diskindex/core/remark_list.h"
#include "diskindex/core/result_code.h"

namespace diskindex {

namespace comment_layout {
inline constexpr std::size_t kHeaderSize = 32;
inline constexpr std::size_t kMagic = 0;     // "KT"
inline constexpr std::size_t kUtf8Mark = 2;  // "UTF8" when the texts are UTF-8
inline constexpr std::size_t kDirNo = 0;     // record offsets
inline constexpr std::size_t kFileNo = 4;
inline constexpr std::size_t kText = 8;
}  // namespace comment_layout

// CannotOpen when the file is missing or cannot be opened (callers treat a
// missing file as no remarks), CannotRead when the header is short or the last
// record is cut off, BadFormat when the magic is not "KT". The list is
// replaced and not marked modified. After a cut-off record the records before
// it are kept, so that a later save does not throw them away with the damage.
ResultCode loadRemarks(const std::filesystem::path& commentFile, TFileCommentList& remarks);

// The same reader over the bytes of a whole file held in memory.
ResultCode parseRemarks(std::span<const std::uint8_t> fileBytes, TFileCommentList& remarks);

// Header and all records in list order; UTF-8 when forceUtf8 is set or any
// text needs it. CannotCreate, CannotWrite. On success the modified mark is
// cleared. Texts longer than kMaxRemarkTextBytes are cut at a character.
ResultCode saveRemarks(const std::filesystem::path& commentFile, TFileCommentList& remarks,
                       bool forceUtf8 = false);

}  // namespace diskindex
