#pragma once
// A settings file with the semantics of the Win32 private profile calls:
// sections and keys compared without regard to case, a missing file or key
// reading as the caller's default, lines outside any section ignored, and
// everything the program does not write left exactly as it was (comments,
// unknown keys, order). The document lives in memory; flush() writes it to a
// temporary file beside the target and renames it over the old one, so a
// crash never leaves half a settings file. Files are written in UTF-8; a file
// that is not valid UTF-8 is read as Windows-1252.
//
// It does not interpret values beyond GetPrivateProfileInt's integer rule.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace platform {

class IniFile {
 public:
  IniFile() = default;
  // Reads the file at once; a missing file is an empty document, and so is
  // an unreadable one (see unreadable()). Lines starting with ";" are
  // comments; a link to a file is followed for reading and for flush().
  explicit IniFile(std::filesystem::path path);
  // Parses text as the content of a file (for tests and for in-memory use).
  static IniFile fromText(std::string_view text, std::filesystem::path path = {});

  const std::filesystem::path& path() const { return m_path; }

  // The value after the first "=" with surrounding blanks removed; a value in
  // matching double or single quotes loses them. Missing key: the default.
  // When a section or key occurs twice, the first key in file order wins.
  std::string readString(std::string_view section, std::string_view key,
                         std::string_view defaultValue = {}) const;
  // GetPrivateProfileInt: optional sign, then decimal digits ("0x" hex, "0o"
  // octal and "0b" binary too), wrapping like a 32-bit value;
  // the digits before the first non-digit; no digits at all gives 0 when the
  // key has a value, the default when the key is missing or its value empty.
  int readInt(std::string_view section, std::string_view key, int defaultValue) const;
  bool hasKey(std::string_view section, std::string_view key) const;
  bool hasSection(std::string_view section) const;
  // Keys of a section in file order (first spelling of each).
  std::vector<std::string> keys(std::string_view section) const;
  // Keys with their values (as readString gives them) in file order, first
  // occurrence of each key; one pass, so a section of 100,000 keys stays cheap.
  std::vector<std::pair<std::string, std::string>> entries(std::string_view section) const;
  std::vector<std::string> sections() const;

  // Changes in memory; a new key is appended to its section (before the blank
  // lines that end it), a new section to the document. Line breaks in what is
  // written become blanks. Erasing removes every copy of a key or section.
  // Nothing is written until flush().
  void writeString(std::string_view section, std::string_view key, std::string_view value);
  void writeInt(std::string_view section, std::string_view key, int value);
  void eraseKey(std::string_view section, std::string_view key);
  void eraseSection(std::string_view section);

  bool dirty() const { return m_dirty; }
  // True when the file exists but could not be read (permissions, a
  // directory, an I/O error): it reads as empty and is never overwritten.
  bool unreadable() const { return m_unreadable; }
  // Writes the document (temporary file, then rename). False when the
  // directory cannot be written or the file was unreadable; the document
  // stays in memory.
  bool flush();
  std::string text() const;

 private:
  enum class LineKind { Other, Section, Key };
  struct Line {
    std::string raw;  // the line as read, without its line end
    std::string end;  // "\r\n", "\n", or "" for a last line without one
    LineKind kind = LineKind::Other;
    std::string name;  // section name of a header line, key name of a key line
  };
  void parse(std::string_view content);
  static void classify(Line& line, bool inSection);
  static std::string valueOf(const Line& line);
  std::optional<std::size_t> findKey(std::string_view section, std::string_view key) const;
  std::size_t insertionPoint(std::size_t header) const;
  void insertLine(std::size_t at, std::string raw, bool inSection);

  std::filesystem::path m_path;
  std::vector<Line> m_lines;
  std::string m_newline = "\n";  // line end of new lines: the file's own
  bool m_bom = false;
  bool m_dirty = false;
  bool m_unreadable = false;
};

}  // namespace platform
