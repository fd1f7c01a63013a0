// The quick rejection of stored names in the multi-volume search: it must
// never drop a name the full matcher would find. Checked against the slow
// path over many random names (ASCII, Windows-1252 bytes, UTF-8 with the
// characters that fold or lower-case into ASCII) and random search texts in
// every mode, and end to end against the single-volume search.

#include "diskindex/core/search/name_prefilter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <random>
#include <string>
#include <vector>

#include "diskindex/core/entry_codec.h"
#include "diskindex/core/search/multi_search.h"
#include "diskindex/core/search/stored_name.h"
#include "diskindex/core/volume_file.h"
#include "diskindex/core/volume_header.h"
#include "diskindex/tests/test_files.h"

namespace diskindex::search {
namespace {

// Pieces of names: both cases, the ASCII pairs that differ only in bit 0x20
// ("@" "`", "[" "{"), Windows-1252 bytes (ß, umlauts, the DOS umlaut bytes
// 0x84 0x94 0x81, undefined 0x8D, Š, Ÿ, µ).
const std::vector<std::string> kCp1252Parts = {
    "REPORT", "report", "Re", "1", "7", "17", ".", "DOC", "doc", ".gz", "GZ", " ", "-",
    "_",      "~",      "@",  "`", "[", "{", "a", "S",   "s",   "k",   "\xDF", "\xDC", "\xFC",
    "\xE9",   "\x84",   "\x94", "\x81", "\x8D", "\x8A", "\x9F", "\xB5", "ss", "picture"};
// UTF-8 characters that fold, lower-case or normalize into ASCII or away
// from it: Kelvin sign, long s, the fi ligature, capital I with dot, ß and
// capital sharp s, a combining acute, fullwidth A.
const std::vector<std::string> kUtf8Parts = {
    "REPORT", "report", "1", "7", ".", "DOC", "gz", " ", "e", "k", "s", "i", "fi", "ss",
    "\u212A", "\u017F", "\uFB01", "\u0130", "\u00DF", "\u1E9E", "\u0301", "\uFF21", "\u00E9",
    "\u00C9", "\u00FC", "@", "`", "picture"};

std::string randomName(std::mt19937& random, const std::vector<std::string>& parts) {
  std::string name;
  const int count = 1 + static_cast<int>(random() % 6);
  for (int i = 0; i < count; ++i) name += parts[random() % parts.size()];
  return name;
}

// A search text made from a name as the window shows it: some characters
// become wildcards, its ends may be cut, its case may change, and sometimes
// a second alternative is added.
std::string randomText(std::mt19937& random, const std::string& shown, SearchMode mode) {
  std::u32string chars;
  decodeUtf8(shown, chars, nullptr);
  std::string text;
  const std::size_t from = random() % 3 == 0 ? random() % (chars.size() + 1) : 0;
  const std::size_t to = random() % 3 == 0 ? from + random() % (chars.size() - from + 1) : chars.size();
  for (std::size_t i = from; i < to; ++i) {
    char32_t c = chars[i];
    const unsigned roll = random() % 10;
    if (mode == SearchMode::Regex) {
      if (roll == 0) {
        text += ".";
        continue;
      }
      if (roll == 1) {
        text += "[0-9a-z]";
        continue;
      }
      if (c < 0x80 && std::string_view("\\.^$|?*+()[]{}").find(static_cast<char>(c)) !=
                          std::string_view::npos) {
        text += '\\';
      }
    } else if (roll == 0) {
      text += '?';
      continue;
    } else if (roll == 1) {
      text += '*';
      continue;
    } else if (c == U',' || c == U';' || c == U'"') {
      c = U'?';
    }
    if (roll == 2 && c < 0x80 && std::isalpha(static_cast<int>(c))) c ^= 0x20;
    appendUtf8(text, c);
  }
  if (mode == SearchMode::Regex) {
    if (random() % 4 == 0) text = "^" + text;
    if (random() % 4 == 0) text += "$";
    if (random() % 5 == 0) text = "(" + text + "|report1[0-9])";
  } else if (random() % 5 == 0) {
    text += random() % 2 == 0 ? ", *.DOC" : "; read";
  }
  return text.empty() ? "x" : text;
}

bool naiveContains(std::string_view text, std::string_view piece) {
  const auto same = [](char a, char b) {
    return std::isalpha(static_cast<unsigned char>(b)) ? std::tolower(static_cast<unsigned char>(a)) == b
                                                       : a == b;
  };
  return std::search(text.begin(), text.end(), piece.begin(), piece.end(), same) != text.end();
}

TEST(NamePrefilter, PieceSearchAgreesWithAPlainComparisonAtEveryPositionAndLength) {
  std::mt19937 random(7);
  const std::string alphabet = "aAbB@`[{zZ1.\x80\xC1\xE1";
  for (int round = 0; round < 20000; ++round) {
    std::string buffer;
    const std::size_t length = random() % 40;
    for (std::size_t i = 0; i < length + 16; ++i) buffer += alphabet[random() % alphabet.size()];
    const std::string_view text(buffer.data(), length);
    std::string piece;
    const std::size_t pieceLength = 1 + random() % 5;
    for (std::size_t i = 0; i < pieceLength; ++i) {
      char c = alphabet[random() % 12];
      if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
      piece += c;
    }
    const bool expected = naiveContains(text, piece);
    EXPECT_EQ(containsPiece(text, piece, 16), expected) << text << " / " << piece;
    EXPECT_EQ(containsPiece(text, piece, 0), expected) << text << " / " << piece;
  }
  EXPECT_FALSE(containsPiece("A[B", "a{b", 16));
  EXPECT_FALSE(containsPiece("@", "`", 16));
  EXPECT_TRUE(containsPiece("xxREPORT17.DOC", "report17.doc", 16));
}

TEST(NamePrefilter, PiecesFollowTheAnchorsOfEachMode) {
  const auto pieces = [](const std::string& text, SearchMode mode) {
    if (mode == SearchMode::Dos) return PatternList(text, PatternMode::Name).asciiPieces();
    return ModernPattern(text, mode, PatternMode::Name, false).asciiPieces();
  };
  const std::vector<NamePieces> report{{"report1", ".doc", ""}};
  EXPECT_EQ(pieces("REPORT1?.DOC", SearchMode::Dos), report);
  EXPECT_EQ(pieces("report1?.doc", SearchMode::AnyChar), report);
  // BRIEF* in the original syntax matches every name it begins, no end.
  EXPECT_EQ(pieces("BRIEF*", SearchMode::Dos), (std::vector<NamePieces>{{"brief", "", ""}}));
  EXPECT_EQ(pieces("*.gz; Übersicht", SearchMode::AnyChar),
            (std::vector<NamePieces>{{"", ".gz", ""}, {"", "", "bersicht"}}));
  // ß folds to "ss" in the modern modes.
  EXPECT_EQ(pieces("ß*", SearchMode::AnyChar), (std::vector<NamePieces>{{"ss", "", ""}}));
  // One alternative without ASCII text, or one that could match anything,
  // leaves every name to the matcher.
  EXPECT_FALSE(pieces("ä; report", SearchMode::Dos));
  EXPECT_FALSE(pieces("*", SearchMode::AnyChar));
  EXPECT_FALSE(pieces("a|.*", SearchMode::Regex));
  // report1[0-9] yields ten literal strings, tested as their shared part.
  EXPECT_EQ(pieces("^report1[0-9]\\.doc$", SearchMode::Regex),
            (std::vector<NamePieces>{{"", "", "report1"}}));
}

// The property: every name the full matcher finds passes the quick test,
// on both kinds of volume, in both display cases, in every mode.
TEST(NamePrefilter, NeverRejectsANameTheMatcherFinds) {
  std::mt19937 random(2024);
  std::size_t rejected = 0, matched = 0;
  for (bool utf8 : {false, true}) {
    const std::vector<std::string>& parts = utf8 ? kUtf8Parts : kCp1252Parts;
    std::vector<std::string> names;
    for (int i = 0; i < 300; ++i) names.push_back(randomName(random, parts));
    std::string shown, scratch;
    for (SearchMode mode : {SearchMode::Dos, SearchMode::AnyChar, SearchMode::Regex}) {
      for (int t = 0; t < 150; ++t) {
        const std::string& source = names[random() % names.size()];
        displayForm(source, attributes::kLongName, utf8, shown, scratch);
        SearchParams p;
        p.text = randomText(random, shown, mode);
        p.mode = mode;
        p.wholeWord = t % 7 == 0;
        SubjectMatcher matcher(p);
        for (const std::string& name : names) {
          const std::string padded = name + std::string(64, '\xAA');
          const std::string_view stored(padded.data(), name.size());
          for (std::uint8_t attributes : {std::uint8_t{0x20}, attributes::kLongName}) {
            displayForm(name, attributes, utf8, shown, scratch);
            const bool quick = matcher.mayMatchStored(stored, utf8, 0) &&
                               matcher.mayMatchStored(stored, utf8, 64);
            if (!quick) ++rejected;
            if (!matcher.matchName(shown)) continue;
            ++matched;
            EXPECT_TRUE(quick) << searchModeName(mode) << " text \"" << p.text << "\" name \""
                               << shown << "\" utf8 " << utf8;
          }
        }
      }
    }
  }
  // Both sides of the property were exercised.
  EXPECT_GT(matched, 1000u);
  EXPECT_GT(rejected, 10000u);
}

// Random volumes searched by the multi-volume walk (quick test, paths put
// together only for hits) and by the single-volume search over the loaded
// tree: the same hits, in the same order, with the tree's paths.
TEST(NamePrefilter, MultiVolumeWalkFindsWhatTheTreeSearchFinds) {
  test::TempDir tmp;
  std::mt19937 random(99);
  for (bool utf8 : {false, true}) {
    const std::vector<std::string>& parts = utf8 ? kUtf8Parts : kCp1252Parts;
    VolumeHeader header = test::sampleHeader("Zufall");
    header.driveLetter = 'F';
    const HeaderBytes head = encodeHeader(header, utf8);
    std::vector<std::uint8_t> bytes(head.begin(), head.end());
    std::vector<std::string> names;
    int dirLevel = 0;  // the root's files come first
    for (int i = 0; i < 400; ++i) {
      names.push_back(randomName(random, parts));
      const bool directory = random() % 5 == 0;
      const auto attributes = static_cast<std::uint8_t>(
          (directory ? attributes::kDirectory : 0x20) | (random() % 2 ? attributes::kLongName : 0));
      if (directory) dirLevel = 1 + static_cast<int>(random() % std::min(dirLevel + 1, 5));
      StoredEntry entry;
      entry.level = static_cast<std::uint8_t>(directory ? dirLevel : dirLevel + 1);
      entry.size = static_cast<std::uint32_t>(i);
      entry.dosDateTime = 0x5A214C00;
      entry.attributes = attributes;
      entry.name = names.back();
      appendEntry(bytes, entry);
    }
    const auto file = tmp / (utf8 ? "CD000002.DAT" : "CD000001.DAT");
    test::writeAll(file, bytes);
    TOutlineDirList dirs;
    ASSERT_EQ(loadVolumeContents(file, dirs), ResultCode::Ok);
    const VolumeRecord volume = VolumeRecord::fromHeader(decodeHeader(head), file);
    std::string shown, scratch;
    for (SearchMode mode : {SearchMode::Dos, SearchMode::AnyChar, SearchMode::Regex}) {
      for (int t = 0; t < 40; ++t) {
        displayForm(names[random() % names.size()], attributes::kLongName, utf8, shown, scratch);
        SearchParams p;
        p.text = randomText(random, shown, mode);
        p.mode = mode;
        std::vector<std::pair<TDirFileNo, std::string>> expected;
        VolumeSearch single;
        single.start(p, dirs, 0);
        while (const auto hit = single.findNext(dirs, {})) {
          const auto d = static_cast<std::size_t>(hit->key.dirNo - 1);
          const std::string dirPath = dirs.path(d) == "\\" ? "\\" : dirs.path(d) + "\\";
          std::string path = "F:" + dirPath;
          if (hit->key.fileNo >= 0) {
            path += dirs.name(dirs.files(d)[static_cast<std::size_t>(hit->key.fileNo)]);
          }
          expected.emplace_back(hit->key, path);
        }
        MultiVolumeSearch multi(p);
        std::vector<ResultRow> rows;
        ASSERT_EQ(multi.searchVolumeBytes(volume, bytes, {}, rows), ResultCode::Ok);
        std::vector<std::pair<TDirFileNo, std::string>> found;
        for (const ResultRow& row : rows) found.emplace_back(row.hit.key, row.path);
        EXPECT_EQ(found, expected) << searchModeName(mode) << " \"" << p.text << "\" utf8 " << utf8;
      }
    }
  }
}

}  // namespace
}  // namespace diskindex::search
