#include "diskindex/core/volume_header.h"

#include <cstring>
#include <limits>

#include "platform/little_endian.h"
#include "diskindex/core/text_codec.h"
#include "platform/codepage.h"
#include "platform/dates.h"

namespace diskindex {
namespace {

namespace L = header_layout;
namespace le = platform::le;
constexpr char kUtf8Mark[4] = {'U', 'T', 'F', '8'};
constexpr char kFolderMark[4] = {'F', 'O', 'L', 'D'};
constexpr std::int64_t kInt32Max = std::numeric_limits<std::int32_t>::max();

void putText(HeaderBytes& bytes, std::size_t offset, std::size_t fieldSize, std::string_view text,
             bool utf8) {
  const std::string stored = encodeStoredText(text, utf8);
  const std::string_view cut = cutToBytes(stored, fieldSize - 1, utf8);
  std::memcpy(bytes.data() + offset, cut.data(), cut.size());
}

std::string getText(const HeaderBytes& bytes, std::size_t offset, std::size_t fieldSize,
                    bool utf8) {
  return decodeStoredText(fieldText(bytes.data() + offset, fieldSize), utf8);
}

// The old 32-bit field: the value when it fits, -1 for unknown, the largest
// positive value beyond it. The full value goes to the 64-bit field.
void putSize(HeaderBytes& bytes, std::size_t offset32, std::size_t offset64, std::int64_t value) {
  std::int32_t small = -1;
  if (value >= 0)
    small =
        value > kInt32Max ? static_cast<std::int32_t>(kInt32Max) : static_cast<std::int32_t>(value);
  le::writeI32(bytes, offset32, small);
  le::writeU64(bytes, offset64, value > kInt32Max ? static_cast<std::uint64_t>(value) : 0);
}

std::int64_t getSize(const HeaderBytes& bytes, std::size_t offset32, std::size_t offset64) {
  const std::uint64_t full = le::readU64(bytes, offset64).value_or(0);
  if (full != 0 && full <= static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max())) {
    return static_cast<std::int64_t>(full);
  }
  return le::readI32(bytes, offset32).value_or(-1);
}

}  // namespace

VolumeHeader freshHeader() {
  VolumeHeader header;
  const platform::CivilTime now = platform::localCivilNow();
  header.captureDate = platform::daysSince18991230(now.year, now.month, now.day);
  header.capacity = 0;
  header.freeSpace = 0;
  return header;
}

bool headerNeedsUtf8(const VolumeHeader& header) {
  for (const std::string* text :
       {&header.name, &header.remark, &header.location, &header.category, &header.label}) {
    if (!platform::fitsCp1252(*text)) return true;
  }
  return false;
}

HeaderBytes encodeHeader(const VolumeHeader& header, bool utf8) {
  HeaderBytes bytes{};
  std::memcpy(bytes.data() + L::kMagic, "K&T", 3);
  bytes[L::kDriveType] = header.driveType;
  bytes[L::kByteOne] = 1;
  bytes[L::kDriveLetter] = static_cast<std::uint8_t>(header.driveLetter);
  bytes[L::kByteEleven] = 11;
  le::writeI32(bytes, L::kDirectoryCount, header.directoryCount);
  le::writeI32(bytes, L::kFileCount, header.fileCount);
  le::writeF64(bytes, L::kCaptureDate, header.captureDate);
  putText(bytes, L::kName, L::kNameSize, header.name, utf8);
  putText(bytes, L::kRemark, L::kRemarkSize, header.remark, utf8);
  putText(bytes, L::kLocation, L::kLocationSize, header.location, utf8);
  putText(bytes, L::kCategory, L::kCategorySize, header.category, utf8);
  putSize(bytes, L::kCapacity, L::kCapacity64, header.capacity);
  putSize(bytes, L::kFreeSpace, L::kFreeSpace64, header.freeSpace);
  putText(bytes, L::kLabel, L::kLabelSize, header.label, utf8);
  if (utf8) std::memcpy(bytes.data() + L::kUtf8Mark, kUtf8Mark, 4);
  if (header.spaceOf == SpaceOf::Folder) std::memcpy(bytes.data() + L::kFolderMark, kFolderMark, 4);
  std::memcpy(bytes.data() + L::kVolumeId, header.volumeId.bytes().data(), L::kVolumeIdSize);
  return bytes;
}

void fitHeaderTexts(VolumeHeader& header, bool utf8) {
  header.name = storedFieldText(header.name, L::kNameSize - 1, utf8);
  header.remark = storedFieldText(header.remark, L::kRemarkSize - 1, utf8);
  header.location = storedFieldText(header.location, L::kLocationSize - 1, utf8);
  header.category = storedFieldText(header.category, L::kCategorySize - 1, utf8);
  header.label = storedFieldText(header.label, L::kLabelSize - 1, utf8);
}

void putCategoryField(HeaderBytes& bytes, std::string_view category, bool utf8) {
  std::memset(bytes.data() + L::kCategory, 0, L::kCategorySize);
  putText(bytes, L::kCategory, L::kCategorySize, category, utf8);
}

HeaderKind headerKind(std::span<const std::uint8_t> firstBytes) {
  if (firstBytes.size() >= 3 && std::memcmp(firstBytes.data(), "K&T", 3) == 0) {
    return HeaderKind::Current;
  }
  if (firstBytes.size() >= 2 && std::memcmp(firstBytes.data(), "KT", 2) == 0) {
    return HeaderKind::OldFormat;
  }
  return HeaderKind::Unknown;
}

VolumeHeader decodeHeader(const HeaderBytes& bytes) {
  VolumeHeader header;
  header.utf8 = std::memcmp(bytes.data() + L::kUtf8Mark, kUtf8Mark, 4) == 0;
  const bool utf8 = header.utf8;
  header.driveType = bytes[L::kDriveType];
  header.driveLetter = static_cast<char>(bytes[L::kDriveLetter]);
  header.directoryCount = le::readI32(bytes, L::kDirectoryCount).value_or(0);
  header.fileCount = le::readI32(bytes, L::kFileCount).value_or(0);
  header.captureDate = le::readF64(bytes, L::kCaptureDate).value_or(0.0);
  header.name = getText(bytes, L::kName, L::kNameSize, utf8);
  header.remark = getText(bytes, L::kRemark, L::kRemarkSize, utf8);
  header.location = getText(bytes, L::kLocation, L::kLocationSize, utf8);
  header.category = getText(bytes, L::kCategory, L::kCategorySize, utf8);
  header.capacity = getSize(bytes, L::kCapacity, L::kCapacity64);
  header.freeSpace = getSize(bytes, L::kFreeSpace, L::kFreeSpace64);
  header.label = getText(bytes, L::kLabel, L::kLabelSize, utf8);
  header.volumeId =
      platform::FileSystemId::fromBytes(std::span(bytes).subspan(L::kVolumeId, L::kVolumeIdSize));
  header.spaceOf = std::memcmp(bytes.data() + L::kFolderMark, kFolderMark, 4) == 0 ? SpaceOf::Folder
                                                                                  : SpaceOf::Drive;
  return header;
}

std::string_view driveTypeWord(std::uint8_t driveType) {
  switch (driveType) {
    case 0:
      return "";
    case 2:
      return "Diskette";
    case 3:
      return "Festplatte";
    case 4:
      return "Netzwerk";
    case 5:
      return "CD-ROM";
    case 6:
      return "RAM-Disk";
    default:
      return "Unbekannt";
  }
}

}  // namespace diskindex
