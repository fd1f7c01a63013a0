#pragma once
// The edges where the calculator's text files meet memory: reading a file's
// bytes as UTF-8 (kept as they are when valid, else decoded as Windows-1252,
// the encoding of files from older systems), writing a file whole through a
// temporary file, fsync and rename (so a failed write never leaves half a
// file), and cutting UTF-8 text to a number of characters without splitting
// one. It knows nothing of what the files hold.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace finova {

// The bytes of a file, at most `limit` of them; nothing when it cannot be
// opened or read.
std::optional<std::string> readFileBytes(const std::filesystem::path& path, std::size_t limit);
// UTF-8 text as it is; anything else decoded byte by byte as Windows-1252.
std::string decodeFileText(std::string_view bytes);
// Writes `bytes` as the whole file: temporary file beside it, fsync, rename.
bool replaceFile(const std::filesystem::path& path, std::string_view bytes);

// The number of characters (code points) of UTF-8 text; a stray byte counts
// as one.
std::size_t characterCount(std::string_view utf8);
// The first `count` characters of UTF-8 text.
std::string firstCharacters(std::string_view utf8, std::size_t count);
// True when the bytes hold control characters other than tab, CR and LF (a
// binary file, not text).
bool hasBinaryBytes(std::string_view bytes);

}  // namespace finova
