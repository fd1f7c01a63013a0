#pragma once
// Volume data files of the older format: a 256-byte header starting with "KT"
// (drive letter at 2, directory count at 4, name at 17, remark at 49), then
// entry records as today. Conversion writes a current file beside the old one
// and swaps the two by renames, so a failed conversion leaves the old file as
// it was.

#include <cstddef>
#include <filesystem>
#include <span>
#include <vector>

#include "diskindex/core/observers.h"
#include "diskindex/core/result_code.h"
#include "diskindex/core/volume_header.h"

namespace diskindex {

namespace old_layout {
inline constexpr std::size_t kHeaderSize = 256;
inline constexpr std::size_t kDriveLetter = 2;
inline constexpr std::size_t kDirectoryCount = 4;
inline constexpr std::size_t kName = 17;
inline constexpr std::size_t kNameSize = 32;  // up to the remark
inline constexpr std::size_t kRemark = 49;
inline constexpr std::size_t kCopyBlock = 512;
}  // namespace old_layout

// Converts one old file in place: CannotCreate (.TMP), CannotOpen, CannotRead
// (old header or an entry cut off), CannotWrite (short write or a failed
// rename). The intermediate name "XXX.TMP" lies in the file's own directory.
ResultCode convertOldFile(const std::filesystem::path& dataFile);

// Asks through the observer, then converts the files in turn, reporting each
// and stopping after the current file when cancel is requested. Returns
// Cancelled after a cancel, Ok otherwise (single failures go to the observer);
// Ok without doing anything when files is empty or the user says No.
ResultCode convertOldFiles(std::span<const std::filesystem::path> files,
                           ConversionObserver& observer);

}  // namespace diskindex
