#pragma once
// The paper tape: the journal of keys, numbers keyed in, results, errors and
// annotations, held in memory and kept in a tape file. Lines are appended
// at the end; a tape file is loaded at start (its lines count as written) and
// only lines added since are appended to it later. It does not decide what
// is written after a key (the engine does) and draws nothing.

#include <cstdio>
#include <ctime>
#include <deque>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace finova {

struct TapeLine {
  static constexpr std::size_t kTextSize = 32;
  static constexpr std::size_t kMnemonicSize = 16;
  std::string text;      // a number, "[annotation]" or empty
  std::string mnemonic;  // a key mnemonic, "###" for results, or empty
  // The tape file form: text, then a blank and the mnemonic when there is one.
  std::string fileText() const;
  bool operator==(const TapeLine&) const = default;
};

class Tape {
 public:
  // The in-memory tape keeps at most this many lines; the oldest go first,
  // after any of them not yet written have been appended to the tape file.
  static constexpr std::size_t kMaxLines = 200000;
  static constexpr std::size_t kMaxAnnotation = 18;

  Tape();
  ~Tape();
  Tape(const Tape&) = delete;
  Tape& operator=(const Tape&) = delete;

  // "100.00 +" becomes an entry line, "ENTER" a key line.
  void AddKeyLine(std::string_view text);
  void AddKeyLine(std::string_view number, std::string_view mnemonic);
  void AddResultLine(std::string_view text);
  void Annotate(std::string_view text);
  // Erases the lines; the tape file stays as it is.
  void Clear();

  // Erases the tape and loads `path` (created when missing); the file stays
  // the tape file and its lines count as written. False when it cannot be
  // opened: the tape then has no file.
  bool Load(const std::filesystem::path& path);
  // Appends the lines not yet written, preceded by the date/time stamp and
  // "[Tape Saved]". False when there is no file or writing fails.
  bool WriteNew();
  // Creates `path`, writes the whole tape, and makes it the tape file.
  bool SaveAs(const std::filesystem::path& path);
  // Forgets the tape file (closes it).
  void closeFile();

  // "[MM/DD/YY HH:MM:SS]" of now, the Date/Time Stamp annotation.
  void AddTimeStamp();
  // The clock of the stamps (tests replace it).
  void setClock(std::function<std::tm()> clock) { m_clock = std::move(clock); }

  const std::deque<TapeLine>& lines() const { return m_lines; }
  std::size_t size() const { return m_lines.size(); }
  std::size_t writtenCount() const { return m_written; }
  const std::filesystem::path& tapeFile() const { return m_path; }
  bool hasFile() const { return m_file != nullptr; }
  // The whole tape in the file form with CR LF line ends.
  std::string text() const;
  // Parses a tape file's bytes into lines.
  static std::deque<TapeLine> parse(std::string_view bytes);

 private:
  void append(TapeLine line);
  bool appendPending();

  std::deque<TapeLine> m_lines;
  std::size_t m_written = 0;  // lines [0, m_written) are in the tape file
  std::filesystem::path m_path;
  std::FILE* m_file = nullptr;
  std::function<std::tm()> m_clock;
};

}  // namespace finova
