#pragma once
// What the searches that walk volume data files without loading the tree
// need: the whole file in memory, its header checked, and the display form
// of an entry name made the way the tree loader makes it (Windows-1252 or
// UTF-8 bytes to UTF-8, and without the long-name flag every character but
// the first lowered).

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "diskindex/core/result_code.h"

namespace diskindex::search {

// The whole data file (CannotOpen, CannotRead, or OutOfMemory beyond 3 GiB).
ResultCode readDataFile(const std::filesystem::path& file, std::vector<std::uint8_t>& bytes);
// CannotRead for a file shorter than its header, BadFormat for another
// magic, else Ok with utf8 set from the header.
ResultCode checkDataHeader(std::span<const std::uint8_t> bytes, bool& utf8);

// out receives the display form; scratch is a buffer the caller keeps so
// that a walk over millions of names allocates nothing per name.
void displayForm(std::string_view stored, std::uint8_t attributes, bool utf8, std::string& out,
                 std::string& scratch);

}  // namespace diskindex::search
