#pragma once
// The 512-byte volume header at the start of every volume data file
// (CDnnnnnn.DAT): its layout, declared once, and its conversion to and from
// the decoded VolumeHeader that the rest of the program works with.
//
// Strings are UTF-8 in memory. On disk they are Windows-1252, unless the
// volume holds text that Windows-1252 cannot represent: then the whole volume
// (header strings and entry names) is UTF-8 and the header carries the four
// bytes "UTF8" at offset 452. Capacities beyond the signed 32-bit range are
// stored as 2,147,483,647 in the old fields and in full as unsigned 64-bit at
// offsets 456 and 464 (zero = not stored). The identity of the file system
// the volume was read from (platform/file_system_id.h) sits in the 16 bytes
// at offset 472, zero when not known. A volume read from a folder rather than
// a drive of its own carries "FOLD" at offset 488: its capacity is the size
// of the folder's files and its free space the host's. Readers that do not
// know these extensions see the zero tail they expect. This file does no
// file I/O.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "platform/file_system_id.h"

namespace diskindex {

namespace header_layout {
inline constexpr std::size_t kSize = 512;
inline constexpr std::size_t kMagic = 0;  // "K&T"
inline constexpr std::size_t kDriveType = 3;
inline constexpr std::size_t kByteOne = 4;  // written as 1
inline constexpr std::size_t kDriveLetter = 5;
inline constexpr std::size_t kByteEleven = 6;  // written as 11
inline constexpr std::size_t kDirectoryCount = 7;
inline constexpr std::size_t kFileCount = 11;
inline constexpr std::size_t kCaptureDate = 15;
inline constexpr std::size_t kName = 23;
inline constexpr std::size_t kNameSize = 51;
inline constexpr std::size_t kRemark = 74;
inline constexpr std::size_t kRemarkSize = 256;
inline constexpr std::size_t kLocation = 330;
inline constexpr std::size_t kLocationSize = 51;
inline constexpr std::size_t kCategory = 381;
inline constexpr std::size_t kCategorySize = 51;
inline constexpr std::size_t kCapacity = 432;
inline constexpr std::size_t kFreeSpace = 436;
inline constexpr std::size_t kLabel = 440;
inline constexpr std::size_t kLabelSize = 12;
inline constexpr std::size_t kUtf8Mark = 452;  // "UTF8" when the volume is UTF-8
inline constexpr std::size_t kCapacity64 = 456;
inline constexpr std::size_t kFreeSpace64 = 464;
inline constexpr std::size_t kVolumeId = 472;
inline constexpr std::size_t kVolumeIdSize = 16;
inline constexpr std::size_t kFolderMark = 488;  // "FOLD" for a volume read from a folder
}  // namespace header_layout

using HeaderBytes = std::array<std::uint8_t, header_layout::kSize>;

// Longest texts the fields take, in characters (the field minus its NUL).
inline constexpr std::size_t kMaxNameLength = 50;
inline constexpr std::size_t kMaxRemarkLength = 255;
inline constexpr std::size_t kMaxLocationLength = 50;
inline constexpr std::size_t kMaxCategoryLength = 50;
inline constexpr std::size_t kMaxLabelLength = 11;

// What a volume was read from, for the meaning of its capacity and free
// space: a drive's own, or a folder's size and its host's free space.
enum class SpaceOf : std::uint8_t { Drive, Folder };

struct VolumeHeader {
  std::uint8_t driveType = 0;       // drive type code; 0 = not known
  char driveLetter = 0;             // ASCII letter the volume was read from
  std::int32_t directoryCount = 0;  // the root is not counted
  std::int32_t fileCount = 0;
  double captureDate = 0.0;  // day count: days since 30 Dec 1899, fraction = time
  std::string name;          // unique among the volumes
  std::string remark;        // may hold CR LF
  std::string location;
  std::string category;             // empty = no category
  std::int64_t capacity = -1;       // bytes; -1 = could not be determined
  std::int64_t freeSpace = -1;      // bytes; -1 = could not be determined
  std::string label;                // empty when the drive reported none (older files: "[leer]")
  bool utf8 = false;                // as read: the file carried the UTF-8 mark
  platform::FileSystemId volumeId;  // of the file system read; unknown for folders and images
  SpaceOf spaceOf = SpaceOf::Drive;
  // Not part of the 512 bytes: a folder read without a letter of its own
  // (driveLetter = DriveTable::kFolderKey) is kept in the .ORD file beside
  // the volume file (volume_root.h). readHeader fills it; decodeHeader
  // leaves it empty.
  std::string folder;

  bool operator==(const VolumeHeader&) const = default;
};

// A fresh header: capture date = today (date only), everything else empty,
// drive type 0, capacity and free space 0 as the old program left them.
VolumeHeader freshHeader();

// True when one of the header's texts cannot be written in Windows-1252.
bool headerNeedsUtf8(const VolumeHeader& header);

// Encodes the header in Windows-1252 or, when utf8 is set, in UTF-8 with the
// mark. Texts longer than their field are cut (at a character boundary).
// Windows-1252 encoding of a text it cannot hold is the caller's fault and is
// prevented by choosing utf8 = headerNeedsUtf8(...) || ...
HeaderBytes encodeHeader(const VolumeHeader& header, bool utf8);

// Cuts the header's texts to what their fields hold once encoded (at a
// character boundary), so that a record built from the header equals the one
// read back from the file.
void fitHeaderTexts(VolumeHeader& header, bool utf8);

enum class HeaderKind { Current, OldFormat, Unknown };
// Looks at the magic only: "K&T" current, "KT" old format, anything else.
HeaderKind headerKind(std::span<const std::uint8_t> firstBytes);
// Decodes a current-format header (magic not checked here).
VolumeHeader decodeHeader(const HeaderBytes& bytes);
// Replaces only the category field of encoded header bytes (the rest stays
// byte for byte), in the encoding the bytes are in: cut to the field like
// encodeHeader, the remainder of the field zero.
void putCategoryField(HeaderBytes& bytes, std::string_view category, bool utf8);

// "Unbekannt", "Diskette", "Festplatte", "Netzwerk", "CD-ROM", "RAM-Disk";
// empty for 0, "Unbekannt" for every unknown code.
std::string_view driveTypeWord(std::uint8_t driveType);

}  // namespace diskindex
