#pragma once
// The text file beside a volume that keeps the remarks a rescan could not
// carry over (their entries are gone): CDnnnnnn-verwaiste-Bemerkungen.txt
// next to CDnnnnnn.DAT. Each rescan that leaves orphans adds one block with
// a dated heading at the end, so an earlier block is never overwritten:
//
//   Erneut eingelesen am 08.12.2026 um 23:55 Uhr: "Fotos 2024"
//   Bemerkungen zu nicht mehr vorhandenen Einträgen:
//
//   \DCIM\IMG_0001.JPG
//       Opa am See
//
// (a blank line ends each remark; lines of a remark are indented by four
// blanks). Lines end in CR LF like the other text files of the catalogue.
// The file is Windows-1252 unless a text needs UTF-8; then the whole file is
// UTF-8 (an older Windows-1252 part converted with it). It is written to a
// temporary file and renamed over the old one, so a failure keeps it whole.
// The file is not part of the catalogue: nothing reads it back.

#include <filesystem>
#include <span>
#include <string>
#include <string_view>

#include "diskindex/core/result_code.h"
#include "diskindex/core/scan/remark_carry.h"
#include "platform/dates.h"

namespace diskindex::scan {

std::filesystem::path orphanFileFor(const std::filesystem::path& dataFile);

// The block for one rescan (UTF-8, CR LF).
std::string orphanBlock(std::string_view volumeName, std::span<const OrphanRemark> orphans,
                        const platform::CivilTime& when);

// Appends the block to the file (created when missing): Ok, CannotRead when
// the old file cannot be read, CannotCreate, CannotWrite.
ResultCode appendOrphans(const std::filesystem::path& file, std::string_view volumeName,
                         std::span<const OrphanRemark> orphans, const platform::CivilTime& when);

}  // namespace diskindex::scan
