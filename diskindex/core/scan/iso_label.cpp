#include "diskindex/core/scan/iso_label.h"

#include <cstring>
#include <string_view>

#include "platform/codepage.h"
#include "platform/little_endian.h"

namespace diskindex::scan {
namespace {

namespace L = iso_layout;

std::string trimBlanks(std::string text) {
  while (!text.empty() && (text.back() == ' ' || text.back() == '\0')) text.pop_back();
  return text;
}

void appendUtf8(std::string& out, std::uint32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// Joliet identifiers are UCS-2 big-endian; surrogates and NULs end the name
// (they cannot be shown as a label anyway).
std::string ucs2ToUtf8(const std::uint8_t* p, std::size_t bytes) {
  std::string out;
  for (std::size_t i = 0; i + 1 < bytes; i += 2) {
    const std::uint32_t c = (std::uint32_t{p[i]} << 8) | p[i + 1];
    if (c == 0 || (c >= 0xD800 && c <= 0xDFFF)) break;
    appendUtf8(out, c);
  }
  return out;
}

std::string primaryId(const std::uint8_t* d) {
  const std::string_view raw(reinterpret_cast<const char*>(d + L::kVolumeIdOffset),
                             L::kVolumeIdLength);
  const std::string text = trimBlanks(std::string(raw));
  return platform::isValidUtf8(text) ? text : platform::cp1252ToUtf8(text);
}

bool isJoliet(const std::uint8_t* d) {
  const std::uint8_t* e = d + L::kEscapeOffset;
  return e[0] == '%' && e[1] == '/' && (e[2] == '@' || e[2] == 'C' || e[2] == 'E');
}

// The counts are stored both-endian; the little-endian half comes first.
std::uint64_t volumeBytes(const std::uint8_t* d) {
  const std::span<const std::uint8_t> sector(d, L::kSectorSize);
  const std::uint64_t blocks = platform::le::readU32(sector, L::kVolumeBlocksOffset).value_or(0);
  const std::uint64_t blockSize = platform::le::readU16(sector, L::kBlockSizeOffset).value_or(0);
  return blocks * blockSize;
}

}  // namespace

std::optional<IsoVolumeInfo> readIsoVolumeInfo(std::span<const std::uint8_t> image) {
  std::optional<IsoVolumeInfo> info;
  std::string joliet;
  for (std::size_t n = 0; n < L::kMaxDescriptors; ++n) {
    const std::size_t offset = L::kFirstDescriptorOffset + n * L::kSectorSize;
    if (image.size() < offset + L::kSectorSize) break;
    const std::uint8_t* d = image.data() + offset;
    if (std::memcmp(d + L::kMagicOffset, "CD001", 5) != 0) break;
    const std::uint8_t type = d[L::kTypeOffset];
    if (type == L::kTerminatorType) break;
    if (type == L::kPrimaryType && !info) {
      info = IsoVolumeInfo{primaryId(d), volumeBytes(d)};
    } else if (type == L::kSupplementaryType && isJoliet(d) && joliet.empty()) {
      joliet = trimBlanks(ucs2ToUtf8(d + L::kVolumeIdOffset, L::kVolumeIdLength));
    }
  }
  if (info && !joliet.empty()) info->label = joliet;
  return info;
}

}  // namespace diskindex::scan
