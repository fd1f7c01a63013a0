#pragma once
// The paper tape: the journal of keys, numbers keyed in, results, errors and
// annotations, held in memory and kept in a tape file. Lines are appended
// at the end. The tape file is adopted only when it reads as a tape (text
// made of tape lines); its lines are loaded and count as written, and lines
// made since are appended to it by flush(), which the session calls as
// lines are made. The oldest lines leave memory when it is full, into a
// private spill file, so Save As still writes the whole tape. It does not
// decide what is written after a key (the engine does) and draws nothing.

#include <cstdio>
#include <ctime>
#include <deque>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace finova {

struct TapeLine {
  // Sizes in characters (UTF-8 code points).
  static constexpr std::size_t kTextSize = 32;
  static constexpr std::size_t kMnemonicSize = 16;
  std::string text;      // a number, "[annotation]" or empty
  std::string mnemonic;  // a key mnemonic, "###" for results, or empty
  // The tape file form: text, then a blank and the mnemonic when there is one.
  std::string fileText() const;
  bool operator==(const TapeLine&) const = default;
};

// What became of a tape file the tape was asked to adopt.
enum class TapeFileStatus {
  Adopted,       // loaded (or created empty) and now the tape file
  Unavailable,   // cannot be opened now; kept as the tape file to come
  NotATapeFile,  // holds something else; left alone, not adopted
};

class Tape {
 public:
  // The in-memory tape keeps at most this many lines; the oldest go to the
  // spill file first.
  static constexpr std::size_t kMaxLines = 200000;
  // Characters of an annotation.
  static constexpr std::size_t kMaxAnnotation = 18;

  Tape();
  ~Tape();
  Tape(const Tape&) = delete;
  Tape& operator=(const Tape&) = delete;

  // "100.00 +" becomes an entry line, "ENTER" a key line.
  void AddKeyLine(std::string_view text);
  void AddKeyLine(std::string_view number, std::string_view mnemonic);
  void AddResultLine(std::string_view text);
  // Cut to kMaxAnnotation characters, never inside a character.
  void Annotate(std::string_view text);
  // Erases the lines; the tape file stays as it is.
  void Clear();

  // Adopts `path` as the tape file. Adopted: the tape is erased and the
  // file's lines loaded (a missing file is created). Unavailable: the tape is
  // erased and `path` stays wanted; flush() retries it. NotATapeFile: the
  // tape and its file stay as they were.
  TapeFileStatus Load(const std::filesystem::path& path);
  // Appends the lines not yet written (a wanted file is tried again first).
  // True when nothing is left to write.
  bool flush();
  // At the end of a run: the date/time stamp and "[Tape Saved]" when lines
  // were added since the file was adopted, then flush().
  bool WriteNew();
  // Writes the whole tape (spilled lines included) into `path`, replacing
  // it, and makes it the tape file.
  bool SaveAs(const std::filesystem::path& path);
  // Forgets the tape file (closes it).
  void closeFile();

  // "[MM/DD/YY HH:MM:SS]" of now, the Date/Time Stamp annotation.
  void AddTimeStamp();
  // The clock of the stamps (tests replace it).
  void setClock(std::function<std::tm()> clock) { m_clock = std::move(clock); }

  const std::deque<TapeLine>& lines() const { return m_lines; }
  std::size_t size() const { return m_lines.size(); }
  // Lines that left memory for the spill file.
  std::size_t spilledCount() const { return m_spilled; }
  std::size_t writtenCount() const { return m_written; }
  // The tape file, open or wanted.
  const std::filesystem::path& tapeFile() const { return m_path; }
  bool hasFile() const { return m_file != nullptr; }
  // The whole tape in memory in the file form with CR LF line ends.
  std::string text() const;
  // Parses a tape file's text (UTF-8) into lines.
  static std::deque<TapeLine> parse(std::string_view text);
  // True when every line of the text has one of the tape's shapes.
  static bool isTapeText(std::string_view text);

 private:
  void append(TapeLine line);
  bool writePending();

  std::deque<TapeLine> m_lines;
  std::size_t m_written = 0;  // lines [0, m_written) of memory are in the tape file
  std::size_t m_addedSinceAdopted = 0;
  std::filesystem::path m_path;
  std::FILE* m_file = nullptr;
  bool m_needsLineBreak = false;  // the file's last line has no line break
  std::FILE* m_spill = nullptr;   // lines that left memory, oldest first
  std::size_t m_spilled = 0;
  std::function<std::tm()> m_clock;
};

}  // namespace finova
