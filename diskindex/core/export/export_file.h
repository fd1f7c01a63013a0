#pragma once
// Writing exported lines to a text file, and the line sets of the tree
// export, the printout and the clipboard. Every line ends with CR LF. The
// file is Windows-1252 like the catalogue's other text files, or UTF-8 when
// a line cannot be written in Windows-1252.
//
// Replacing creates the file anew; a file that cannot be written to the end
// is removed again. Appending adds at the end of an existing file (or
// creates it); when that fails the file is cut back to its old length, so
// what it held before the export is never lost. Appended lines take the
// encoding of the file they go into: a UTF-8 file gets UTF-8; a
// Windows-1252 file gets Windows-1252, or, when a line needs UTF-8, the
// whole file is rewritten in UTF-8 once (a file is never half one, half
// the other).

#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace diskindex::exporting {

enum class ExportResult {
  Ok,
  NothingToWrite,  // a tree export without lines: no file was touched
  CannotCreate,    // show messages::createFailed
  CannotWrite,     // show messages::writeFailed; nothing partial is left
};

enum class WriteMode { Replace, Append };

// No lines give an empty file (Replace) or leave the file as it is (Append).
ExportResult writeLines(const std::filesystem::path& file, std::span<const std::string> lines,
                        WriteMode mode);

// The lines as one text, each followed by CR LF (the clipboard's text).
std::string joinLines(std::span<const std::string> lines);

// A tree export's lines: when appending two empty lines first, then the
// heading and an empty line when there is a heading, then the tree lines.
// No tree lines give no lines at all: an empty result writes nothing.
std::vector<std::string> treeExportLines(std::span<const std::string> treeLines,
                                         std::string_view heading, bool append);
// The printout's lines: the heading and an empty line when there is one,
// then the tree lines.
std::vector<std::string> treePrintLines(std::span<const std::string> treeLines,
                                        std::string_view heading);

}  // namespace diskindex::exporting
