#include "diskindex/core/search/unicode_fold.h"

#include <utf8proc.h>

#include <algorithm>
#include <array>

#include "diskindex/core/search/search_chars.h"

namespace diskindex::search {
namespace {

constexpr char32_t kSlow = 0xFFFFFFFF;
constexpr std::size_t kPlane = 0x10000;
constexpr utf8proc_option_t kNfc = static_cast<utf8proc_option_t>(UTF8PROC_STABLE | UTF8PROC_COMPOSE);
constexpr utf8proc_option_t kNfcFold =
    static_cast<utf8proc_option_t>(UTF8PROC_STABLE | UTF8PROC_COMPOSE | UTF8PROC_CASEFOLD);

// The NFC (and folded) form of a run of characters, appended to out.
void normalizeRun(const char32_t* chars, std::size_t count, bool fold, std::u32string& out) {
  thread_local std::vector<utf8proc_int32_t> buffer;
  const utf8proc_option_t options = fold ? kNfcFold : kNfc;
  buffer.clear();
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t at = buffer.size();
    buffer.resize(at + 32);
    int boundary = 0;
    utf8proc_ssize_t n = utf8proc_decompose_char(static_cast<utf8proc_int32_t>(chars[i]),
                                                 buffer.data() + at, 32, options, &boundary);
    if (n < 0 || n > 32) n = 0;  // cannot happen for valid code points
    buffer.resize(at + static_cast<std::size_t>(n));
  }
  const utf8proc_ssize_t length =
      buffer.empty() ? 0
                     : utf8proc_normalize_utf32(buffer.data(), static_cast<utf8proc_ssize_t>(buffer.size()), options);
  for (utf8proc_ssize_t i = 0; i < length; ++i) out.push_back(static_cast<char32_t>(buffer[i]));
}

struct Tables {
  // Folded form of each character of the plane, or kSlow.
  std::vector<char32_t> fold = std::vector<char32_t>(kPlane, kSlow);
  // Whether a character can change under NFC or combine with a neighbour.
  std::vector<std::uint8_t> slow = std::vector<std::uint8_t>(kPlane, 1);
  // Characters that never join the cluster before them.
  std::vector<std::uint8_t> starter = std::vector<std::uint8_t>(kPlane, 1);
};

const Tables& tables() {
  static const Tables t = [] {
    Tables tables;
    // A character that is the second or later part of a canonical
    // decomposition may compose with the character before it.
    std::array<utf8proc_int32_t, 32> parts{};
    for (utf8proc_int32_t cp = 0; cp < 0x110000; ++cp) {
      if (cp >= 0xD800 && cp < 0xE000) continue;
      int boundary = 0;
      const utf8proc_ssize_t n =
          utf8proc_decompose_char(cp, parts.data(), parts.size(), UTF8PROC_DECOMPOSE, &boundary);
      for (utf8proc_ssize_t i = 1; i < n && i < 32; ++i) {
        if (parts[i] < static_cast<utf8proc_int32_t>(kPlane)) tables.starter[parts[i]] = 0;
      }
    }
    std::u32string single;
    for (char32_t cp = 0; cp < kPlane; ++cp) {
      if (cp >= 0xD800 && cp < 0xE000) continue;
      if (utf8proc_get_property(static_cast<utf8proc_int32_t>(cp))->combining_class != 0) {
        tables.starter[cp] = 0;
      }
      if (!tables.starter[cp]) continue;
      single.clear();
      normalizeRun(&cp, 1, false, single);
      tables.slow[cp] = single.size() == 1 && single[0] == cp ? 0 : 1;
      single.clear();
      normalizeRun(&cp, 1, true, single);
      if (!tables.slow[cp] && single.size() == 1) tables.fold[cp] = single[0];
    }
    return tables;
  }();
  return t;
}

bool isStarter(char32_t cp) {
  if (cp < kPlane) return tables().starter[cp] != 0;
  return cp > 0x10FFFF ||
         utf8proc_get_property(static_cast<utf8proc_int32_t>(cp))->combining_class == 0;
}

// Decodes one character (an invalid byte stands for itself); returns its
// length in bytes.
std::size_t nextChar(std::string_view text, std::size_t i, char32_t& cp) {
  const auto lead = static_cast<unsigned char>(text[i]);
  if (lead < 0x80) {
    cp = lead;
    return 1;
  }
  thread_local std::u32string one;
  thread_local std::vector<std::uint32_t> offsets;
  const std::size_t end = std::min(text.size(), i + 4);
  decodeUtf8(text.substr(i, end - i), one, &offsets);
  cp = one[0];
  return offsets.size() > 1 ? offsets[1] : 1;
}

void slowFold(std::string_view utf8, bool fold, FoldedText& out, bool withOffsets) {
  thread_local std::u32string cluster;
  out.chars.clear();
  out.offsets.clear();
  cluster.clear();
  std::uint32_t clusterStart = 0;
  const auto flush = [&] {
    const std::size_t before = out.chars.size();
    normalizeRun(cluster.data(), cluster.size(), fold, out.chars);
    if (withOffsets) out.offsets.resize(out.offsets.size() + out.chars.size() - before, clusterStart);
    cluster.clear();
  };
  for (std::size_t i = 0; i < utf8.size();) {
    char32_t cp = 0;
    const std::size_t length = nextChar(utf8, i, cp);
    if (isStarter(cp) && !cluster.empty()) flush();
    if (cluster.empty()) clusterStart = static_cast<std::uint32_t>(i);
    cluster.push_back(cp);
    i += length;
  }
  if (!cluster.empty()) flush();
  if (withOffsets) out.offsets.push_back(static_cast<std::uint32_t>(utf8.size()));
}

}  // namespace

std::uint32_t FoldedText::sourceEnd(std::size_t last) const {
  std::size_t k = last;
  // A match that ends inside a cluster takes the whole cluster.
  while (k > 0 && k < chars.size() && offsets[k] == offsets[last - 1]) ++k;
  return offsets[k];
}

void foldText(std::string_view utf8, bool fold, FoldedText& out, bool withOffsets) {
  const Tables& t = tables();
  out.chars.clear();
  out.offsets.clear();
  for (std::size_t i = 0; i < utf8.size();) {
    char32_t cp = 0;
    const std::size_t length = nextChar(utf8, i, cp);
    char32_t folded = kSlow;
    if (cp < 0x80) {
      folded = fold && cp >= U'A' && cp <= U'Z' ? cp + 32 : cp;
    } else if (cp < kPlane && !t.slow[cp]) {
      folded = fold ? t.fold[cp] : cp;
    }
    if (folded == kSlow) {
      slowFold(utf8, fold, out, withOffsets);
      return;
    }
    out.chars.push_back(folded);
    if (withOffsets) out.offsets.push_back(static_cast<std::uint32_t>(i));
    i += length;
  }
  if (withOffsets) out.offsets.push_back(static_cast<std::uint32_t>(utf8.size()));
}

void appendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out.push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (c >> 6)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else if (c < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (c >> 12)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (c >> 18)));
    out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

std::string normalizeUtf8(std::string_view utf8, bool fold,
                          std::vector<std::uint32_t>* byteOffsets) {
  FoldedText folded;
  foldText(utf8, fold, folded, byteOffsets != nullptr);
  std::string out;
  if (byteOffsets) byteOffsets->clear();
  for (std::size_t i = 0; i < folded.chars.size(); ++i) {
    appendUtf8(out, folded.chars[i]);
    if (byteOffsets) byteOffsets->resize(out.size(), folded.offsets[i]);
  }
  if (byteOffsets) byteOffsets->push_back(static_cast<std::uint32_t>(utf8.size()));
  return out;
}

bool alreadyNormal(std::string_view utf8) {
  const Tables& t = tables();
  for (std::size_t i = 0; i < utf8.size();) {
    char32_t cp = 0;
    const std::size_t length = nextChar(utf8, i, cp);
    if (cp >= 0x80 && (cp >= kPlane || t.slow[cp])) return false;
    i += length;
  }
  return true;
}

bool isUnicodeWordChar(char32_t c) {
  if (c < 0x80) {
    return (c >= U'0' && c <= U'9') || (c >= U'A' && c <= U'Z') || (c >= U'a' && c <= U'z') ||
           c == U'_';
  }
  switch (utf8proc_category(static_cast<utf8proc_int32_t>(c))) {
    case UTF8PROC_CATEGORY_LU:
    case UTF8PROC_CATEGORY_LL:
    case UTF8PROC_CATEGORY_LT:
    case UTF8PROC_CATEGORY_LM:
    case UTF8PROC_CATEGORY_LO:
    case UTF8PROC_CATEGORY_MN:
    case UTF8PROC_CATEGORY_MC:
    case UTF8PROC_CATEGORY_ME:
    case UTF8PROC_CATEGORY_ND:
    case UTF8PROC_CATEGORY_NL:
    case UTF8PROC_CATEGORY_NO:
      return true;
    default:
      return false;
  }
}

}  // namespace diskindex::search
