#pragma once
// Reading and writing one volume data file (CDnnnnnn.DAT): the 512-byte
// header followed by the entry records in walk order. The tree loader reads
// the entries in blocks of 32,000 bytes into a TOutlineDirList; the writer
// stores a walk result. Every failure is a result code; no reader trusts a
// count or length from the file beyond what the file's size allows.

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "diskindex/core/dir_list.h"
#include "diskindex/core/entry_record.h"
#include "diskindex/core/observers.h"
#include "diskindex/core/result_code.h"
#include "diskindex/core/volume_header.h"

namespace diskindex {

inline constexpr std::size_t kLoadBlockSize = 32000;

// Reads the first 512 bytes: CannotOpen, CannotRead (short), Ok. The magic is
// not checked (see headerKind).
ResultCode readHeaderBytes(const std::filesystem::path& dataFile, HeaderBytes& bytes);
// Reads and decodes a current-format header: CannotOpen, CannotRead,
// BadFormat (no "K&T"), OldFormat ("KT"), Ok.
ResultCode readHeader(const std::filesystem::path& dataFile, VolumeHeader& header);

// Replaces the header of an existing current-format file; the entries keep
// their bytes. The whole file is read and written again as a temporary file
// renamed over the old one, under the data folder's lock, so a failure or a
// crash leaves the old file whole and a change another program makes at the
// same time is not lost. The file keeps its encoding; when the new texts need
// UTF-8 and the file is Windows-1252, the entry names are converted too
// (CannotWrite when a name then no longer fits its 255 bytes). CannotOpen,
// CannotRead (shorter than a header), BadFormat (no "K&T": a damaged or old
// file is never rewritten), CannotWrite.
ResultCode rewriteHeader(const std::filesystem::path& dataFile, const VolumeHeader& header);

// Sets the category of an existing current-format volume file and nothing
// else: every other byte stays as it was. Written the same way as
// rewriteHeader (a failure leaves the old file whole). A category that the
// file's Windows-1252 cannot hold turns the whole file into UTF-8.
// CannotOpen, CannotRead, BadFormat (no "K&T") leave the file untouched.
// stored receives the category as the file now holds it (cut to the field).
ResultCode rewriteCategory(const std::filesystem::path& dataFile, std::string_view category,
                           std::string* stored = nullptr);

// True when a walk result holds a name that Windows-1252 cannot represent.
bool entriesNeedUtf8(std::span<const EntryRecord> entries);

// Creates the volume data file: stores entries.size() split into directory and
// file counts into the header (offsets 7 and 11), then writes the header and
// the entries; write progress every 10th entry and 100 at the end. The files
// are UTF-8 (and marked) when forceUtf8 is set or any text needs it.
// DriveNotReady and no file for an empty walk; CannotCreate, CannotWrite;
// CommentNotRemovable when an old .CMT of the same stem cannot be removed.
// The file is written as a temporary file, flushed, and renamed to dataFile
// (over the empty file that claimed the number) under the data folder's
// lock. On failure the claim is given up (releaseDataFile) and nothing of
// the new volume is left. header receives the counts and
// the encoding actually used (header.utf8), and its texts as stored.
ResultCode createVolume(const std::filesystem::path& dataFile, VolumeHeader& header,
                        std::span<const EntryRecord> entries, ProgressObserver* observer = nullptr,
                        bool forceUtf8 = false);

// The tree loader: CannotOpen, CannotRead (short header, an entry cut off, a
// read error), BadFormat (no "K&T", an empty name), Ok. Progress after every
// 10th directory (directories so far * 100 / header's directory count) and
// 100 at the end. On failure the list is left empty.
ResultCode loadVolumeContents(const std::filesystem::path& dataFile, TOutlineDirList& directories,
                              ProgressObserver* observer = nullptr);
// The same loader over the bytes of a whole file held in memory.
ResultCode parseVolumeContents(std::span<const std::uint8_t> fileBytes,
                               TOutlineDirList& directories, VolumeHeader& header,
                               ProgressObserver* observer = nullptr);
// Same, also giving the decoded header.
ResultCode loadVolumeContents(const std::filesystem::path& dataFile, TOutlineDirList& directories,
                              VolumeHeader& header, ProgressObserver* observer = nullptr);

// The names as the window shows them (display case) or as the volume file
// stores them, only decoded to UTF-8: the real names on a case-sensitive
// file system, which copying and opening files must use.
enum class NameCase { Display, Stored };
// The tree loader with the stored names: same directory and file indices as
// loadVolumeContents, so a selection made in the window maps onto it.
ResultCode loadStoredNames(const std::filesystem::path& dataFile, TOutlineDirList& directories,
                           VolumeHeader& header);
ResultCode parseStoredNames(std::span<const std::uint8_t> fileBytes, TOutlineDirList& directories,
                            VolumeHeader& header);

}  // namespace diskindex
