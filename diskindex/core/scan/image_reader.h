#pragma once
// Reads a disc image or an archive file, without mounting it, into the same
// walk result a walked drive gives (see image_tree.h for the order and the
// rules), in one pass of the archive library. It also finds the volume
// label (an ISO 9660 image's volume identifier, else none), the drive type
// stored for the volume and the image's size, and keeps the contents of the
// description files it meets (bounded in size) so that the description pass
// can read them as from a drive.
//
// Formats: ISO 9660 with Joliet and Rock Ridge (UDF only where the image
// also carries ISO 9660), zip, 7z, tar, cpio and rar, each also compressed
// with gzip, bzip2, xz, lzma, zstd, lz4 or compress. Nested archives stay
// files; symbolic links are listed as files of size 0 and hard links with
// the size the archive gives (targets are not resolved inside an archive).
// A file that is none of these is
// refused, never taken as a one-entry archive. It writes nothing.

#include <cstdint>
#include <filesystem>
#include <map>
#include <span>
#include <string>

#include "diskindex/core/result_code.h"
#include "diskindex/core/scan/scan_observer.h"
#include "diskindex/core/scan/walk.h"

namespace diskindex::scan {

// Limits against crafted images: more members than this refuse the image;
// description files are kept up to their own limit and all of them together
// up to the total.
inline constexpr std::size_t kMaxImageMembers = 4'000'000;
inline constexpr std::size_t kMaxDescriptionFileBytes = 1024 * 1024;
inline constexpr std::size_t kMaxDescriptionBytesTotal = 32 * 1024 * 1024;

// Drive type codes stored for image volumes: disc images are CD-ROMs;
// other archives are no drive of any kind ("Unbekannt").
inline constexpr std::uint8_t kDiscImageDriveType = 5;
inline constexpr std::uint8_t kArchiveDriveType = 255;

struct ImageContents {
  WalkResult walk;
  std::string label;  // at most 11 characters; empty when the image has none
  std::uint8_t driveType = kArchiveDriveType;
  std::int64_t imageSize = 0;  // bytes
  // Description files by their path in the image ("DOCS/FILES.BBS", the
  // entries' file system names joined by "/"), their first bytes.
  std::map<std::string, std::string> descriptionFiles;
};

struct ImageReadResult {
  // Ok; CannotOpen (the file), BadFormat (no known image or archive),
  // CannotRead (damaged or truncated), UnsafeName (member holds "..", or
  // starts with "/": member says which), OutOfMemory (also: more than
  // kMaxImageMembers), DriveNotReady (no entries), Cancelled.
  ResultCode code = ResultCode::Ok;
  std::string member;
  ImageContents contents;
};

// The observer hears of every directory created and is polled for
// cancelling every few members.
ImageReadResult readImageFile(const std::filesystem::path& image, ScanObserver& observer);
// The same over image bytes held in memory (implicit directories get DOS
// time 0 there; from a file they get the file's time).
ImageReadResult readImageMemory(std::span<const std::uint8_t> image, ScanObserver& observer);

// The label of the ISO 9660 image at path, cut as drive labels are; empty
// when it is none or has none.
std::string imageLabel(const std::filesystem::path& image);

}  // namespace diskindex::scan
