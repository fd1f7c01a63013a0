#pragma once
// The text rules of description files, on bytes already read: splitting a
// list file ("FILES.BBS", "DESCRIPT.ION") into lines of at most 500
// characters, taking a line apart into file name and description, the
// quoted-title rule, and the code page test that tells a DOS text (OEM code
// page 850) from a Windows one before it becomes UTF-8. It never touches a
// file; the description pass feeds it.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace diskindex::scan {

inline constexpr std::size_t kMaxListLine = 500;
inline constexpr std::size_t kMaxDirectoryText = 32000;
inline constexpr std::size_t kMaxRemarkChars = 31991;

// Collects the lines of a list file from chunks of any size. A line ends at
// CR, LF or CR LF; only its first 500 bytes are kept, the rest is dropped as
// it arrives, so no line ever grows beyond that whatever the input.
class ListLineSplitter {
 public:
  // Calls onLine(std::string_view) for every line completed by chunk.
  template <typename F>
  void feed(std::string_view chunk, F&& onLine) {
    for (char c : chunk) {
      if (c == '\n' && m_afterCr) {
        m_afterCr = false;
        continue;
      }
      m_afterCr = c == '\r';
      if (c == '\r' || c == '\n') {
        onLine(std::string_view(m_line));
        m_line.clear();
      } else if (m_line.size() < kMaxListLine) {
        m_line.push_back(c);
      }
    }
  }
  // The last line when the input did not end with a line break.
  template <typename F>
  void finish(F&& onLine) {
    if (!m_line.empty()) onLine(std::string_view(m_line));
    m_line.clear();
    m_afterCr = false;
  }

 private:
  std::string m_line;
  bool m_afterCr = false;
};

struct ListLine {
  std::string_view name;
  std::string_view description;
};

// Leading blanks skipped, the name runs to the next blank, the description
// starts at the first non-blank after it. Tabs are not separators. Nothing
// when there is no blank after the name or nothing after the blanks.
std::optional<ListLine> parseListLine(std::string_view line);

// A description that opens with a quoted title: when a second '"' follows and
// the two characters right after it are both one of TAB, blank, ",", ".", ":"
// or ";", they become CR LF so that the title stands on its own line.
std::string applyQuotedTitle(std::string_view description);

// True when the text holds more German letters in their DOS code page codes
// than in their Windows-1252 codes.
bool looksLikeOemText(std::string_view bytes);

// A description's bytes as UTF-8 remark text: cut at a NUL byte (remarks are
// NUL-terminated), kept when it is valid UTF-8 with non-ASCII characters,
// otherwise put through the code page test (DOS text converted from OEM code
// page 850) and decoded as Windows-1252; at most 31,991 characters.
std::string descriptionToRemark(std::string_view bytes);

// ASCII-only case-insensitive equality, as file names are compared here.
bool equalsAsciiNoCase(std::string_view a, std::string_view b);

}  // namespace diskindex::scan
