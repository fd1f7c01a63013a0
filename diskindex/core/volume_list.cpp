#include "diskindex/core/volume_list.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <system_error>

#include "diskindex/core/file_io.h"
#include "platform/codepage.h"

namespace diskindex {
namespace {

// The next character of UTF-8 text as its Windows-1252 byte value, or
// 0x100 + code point when Windows-1252 has none, so that names order as the
// old single-byte files did. Bytes that are no valid UTF-8 count as bytes.
std::uint32_t nextSortKey(std::string_view text, std::size_t& pos) {
  const auto lead = static_cast<std::uint8_t>(text[pos]);
  if (lead < 0x80) {
    ++pos;
    return lead >= 'a' && lead <= 'z' ? lead - 'a' + 'A' : lead;
  }
  const int length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
  char32_t cp = lead & (0x7F >> length);
  bool valid = length > 1 && pos + length <= text.size();
  for (int i = 1; valid && i < length; ++i) {
    const auto next = static_cast<std::uint8_t>(text[pos + i]);
    valid = (next & 0xC0) == 0x80;
    cp = (cp << 6) | (next & 0x3F);
  }
  if (!valid) {
    ++pos;
    return lead;
  }
  pos += static_cast<std::size_t>(length);
  if (auto byte = platform::codePointToCp1252(cp)) return *byte;
  return 0x100 + static_cast<std::uint32_t>(cp);
}

bool equalsAsciiNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const char x = a[i] >= 'a' && a[i] <= 'z' ? static_cast<char>(a[i] - 32) : a[i];
    const char y = b[i] >= 'a' && b[i] <= 'z' ? static_cast<char>(b[i] - 32) : b[i];
    if (x != y) return false;
  }
  return true;
}

}  // namespace

int compareVolumeNames(std::string_view a, std::string_view b) {
  std::size_t i = 0;
  std::size_t j = 0;
  while (i < a.size() && j < b.size()) {
    const std::uint32_t x = nextSortKey(a, i);
    const std::uint32_t y = nextSortKey(b, j);
    if (x != y) return x < y ? -1 : 1;
  }
  if (i < a.size()) return 1;
  if (j < b.size()) return -1;
  return 0;
}

VolumeRecord VolumeRecord::fromHeader(const VolumeHeader& header, std::filesystem::path dataFile) {
  VolumeRecord record;
  record.name = header.name;
  if (!header.category.empty()) record.category = header.category;
  record.dataFile = std::move(dataFile);
  if (!header.remark.empty()) record.remark = header.remark;
  if (!header.location.empty()) record.location = header.location;
  record.driveLetter = header.driveLetter;
  record.folder = header.folder;
  record.driveType = header.driveType;
  record.captureDate = header.captureDate;
  record.directoryCount = header.directoryCount;
  record.fileCount = header.fileCount;
  record.capacity = header.capacity;
  record.freeSpace = header.freeSpace;
  record.label = header.label;
  record.utf8 = header.utf8;
  record.spaceOf = header.spaceOf;
  record.volumeId = header.volumeId;
  return record;
}

std::filesystem::path commentFileFor(const std::filesystem::path& dataFile) {
  std::filesystem::path result = dataFile;
  const std::string ext = dataFile.extension().string();
  result.replace_extension(ext == ".dat" ? ".cmt" : ".CMT");
  return result;
}

std::filesystem::path VolumeRecord::commentFile() const {
  return commentFileFor(dataFile);
}

std::optional<std::int64_t> VolumeRecord::usedSpace() const {
  if (capacity > 0 && freeSpace >= 0) return spaceOf == SpaceOf::Folder ? capacity : capacity - freeSpace;
  return std::nullopt;
}

bool isVolumeFileName(std::string_view fileName) {
  return fileName.size() >= 6 && equalsAsciiNoCase(fileName.substr(0, 2), "CD") &&
         equalsAsciiNoCase(fileName.substr(fileName.size() - 4), ".DAT");
}

std::optional<std::int32_t> volumeFileNumber(std::string_view fileName) {
  if (!isVolumeFileName(fileName)) return std::nullopt;
  const std::string_view digits = fileName.substr(2, fileName.size() - 6);
  std::int32_t number = 0;
  for (std::size_t i = 0; i < digits.size() && i < 6; ++i) {
    if (digits[i] < '0' || digits[i] > '9') break;
    number = number * 10 + (digits[i] - '0');
  }
  return number;
}

std::string volumeFileName(std::int32_t number) {
  char name[32];
  std::snprintf(name, sizeof name, "CD%06d.DAT", number);
  return name;
}

std::size_t VolumeList::insert(VolumeRecord record) {
  auto it = std::upper_bound(m_records.begin(), m_records.end(), record,
                             [](const VolumeRecord& a, const VolumeRecord& b) {
                               return compareVolumeNames(a.name, b.name) < 0;
                             });
  it = m_records.insert(it, std::move(record));
  return static_cast<std::size_t>(it - m_records.begin());
}

void VolumeList::insertAll(std::vector<VolumeRecord> records) {
  m_records.reserve(m_records.size() + records.size());
  std::move(records.begin(), records.end(), std::back_inserter(m_records));
  std::stable_sort(m_records.begin(), m_records.end(),
                   [](const VolumeRecord& a, const VolumeRecord& b) {
                     return compareVolumeNames(a.name, b.name) < 0;
                   });
}

void VolumeList::remove(std::size_t index) {
  if (index < m_records.size())
    m_records.erase(m_records.begin() + static_cast<std::ptrdiff_t>(index));
}

std::size_t VolumeList::replace(std::size_t index, VolumeRecord record) {
  if (index < m_records.size() && compareVolumeNames(m_records[index].name, record.name) == 0) {
    // Same sort key: the record keeps its place among equal names.
    m_records[index] = std::move(record);
    return index;
  }
  remove(index);
  return insert(std::move(record));
}

void VolumeList::clear() {
  m_records.clear();
}

void VolumeList::setDrive(std::size_t index, char driveLetter, std::uint8_t driveType) {
  if (index >= m_records.size()) return;
  m_records[index].driveLetter = driveLetter;
  m_records[index].driveType = driveType;
}

void VolumeList::setCategory(std::size_t index, const std::string& category) {
  if (index >= m_records.size()) return;
  m_records[index].category =
      category.empty() ? std::nullopt : std::optional<std::string>(category);
}

std::optional<std::size_t> VolumeList::findByName(std::string_view name) const {
  for (std::size_t i = 0; i < m_records.size(); ++i) {
    if (compareVolumeNames(m_records[i].name, name) == 0) return i;
  }
  return std::nullopt;
}

std::optional<std::size_t> VolumeList::findByDataFile(const std::filesystem::path& dataFile) const {
  for (std::size_t i = 0; i < m_records.size(); ++i) {
    if (m_records[i].dataFile == dataFile) return i;
  }
  return std::nullopt;
}

void VolumeList::noteFileNumber(std::int32_t number) {
  m_maxFileNumber = std::max(m_maxFileNumber, number);
}

std::optional<std::filesystem::path> VolumeList::claimNextDataFile(
    const std::filesystem::path& dataDir, ResultCode* code) {
  for (std::int32_t number = m_maxFileNumber + 1; number <= kMaxVolumeFileNumber; ++number) {
    const std::filesystem::path file = dataDir / volumeFileName(number);
    FileHandle claim = FileHandle::createExclusive(file);
    if (!claim.valid() && errno == EEXIST) continue;  // another program was first
    if (!claim.valid()) break;
    m_maxFileNumber = number;
    if (!claim.close()) {
      releaseDataFile(file);
      break;
    }
    if (code != nullptr) *code = ResultCode::Ok;
    return file;
  }
  if (code != nullptr) *code = ResultCode::CannotCreate;
  return std::nullopt;
}

void releaseDataFile(const std::filesystem::path& dataFile) {
  std::error_code error;
  if (std::filesystem::file_size(dataFile, error) == 0 && !error) removeFile(dataFile);
}

}  // namespace diskindex
