#pragma once
// Keystroke program memory: 1000 lines (0..999) of four key-code slots, the
// current line, the recording rules that pack STO/RCL operands and GTO
// targets into one line, the queue of a line being executed, the pause
// counter, the program comment, and the text form of the .pgm files.
// Line 0 is always empty; a cleared line reads GTO 0 0 0, so an unrecorded
// line ends a running program. It does not run keys: the engine asks for the
// next key (NextKey) and executes it.

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "calculator/core/key_codes.h"

namespace finova {

// What became of a program file that was to be read.
enum class ProgramFileStatus {
  Loaded,
  CannotRead,       // missing or unreadable
  NotAProgramFile,  // read, but not made of program lines and comments
};

enum class RecordState : std::uint8_t {
  Operand = 0,      // after STO or RCL: waiting for the register
  SecondDigit = 1,  // after STO . or STO op: waiting for the digit
  Normal = 2,       // the line is complete
  GotoDigits = 3,   // collecting the three digits of GTO
};

class ProgramMemory {
 public:
  static constexpr int kLines = 1000;
  static constexpr int kSlots = 4;
  static constexpr std::size_t kMaxComment = 511;
  using Line = std::array<std::uint8_t, kSlots>;

  ProgramMemory() { Clear(); }

  void Clear();
  // Records one key in program mode (all keys except P/R, SST, BST, C_PGM).
  void Record(KeyKind kind, KeyCode code);
  void StepForward();
  void StepBack();
  // "012-  STO 1": the current line as the display shows it.
  std::string LineText() const { return lineText(m_line); }
  std::string lineText(int line) const;

  // The next key of a running program (106 when there is none). Sets
  // `ended` when the program runs into an empty line: the engine then stops.
  KeyCode NextKey(bool running, bool& ended);
  // A line executing GTO: its target from the queued digits, queue emptied.
  int takeGotoTarget();
  void clearQueue() { m_queueIndex = 0; }
  bool queueEmpty() const { return m_queueIndex == 0; }
  // Moves past the current line; past line 999 the next fetch ends the run.
  void skipLine();
  // PSE starts a pause; each tick counts it on. True when the pause is over.
  void startPause() { m_pauseCount = 1; }
  bool pauseTick();
  bool paused() const { return m_pauseCount != 0; }

  int line() const { return m_line; }
  void setLine(int line) {
    m_line = line < 0 ? 0 : (line >= kLines ? kLines - 1 : line);
    m_pastEnd = false;
  }
  const Line& step(int line) const { return m_steps[static_cast<std::size_t>(line)]; }
  RecordState recordState() const { return m_recordState; }
  const std::string& comment() const { return m_comment; }
  void setComment(std::string_view comment);

  // The .pgm text (UTF-8, CR LF line ends; the filler lines after the last
  // recorded one are left out, as a load restores them) and its reader.
  // fromText accepts only numbered lines of known mnemonics (at most four)
  // and comment lines; anything else returns false and leaves program memory
  // as it was. A file is read as UTF-8 when valid, else as Windows-1252;
  // Save replaces the file whole.
  std::string toText() const;
  bool fromText(std::string_view text);
  bool Save(const std::filesystem::path& path) const;
  ProgramFileStatus Load(const std::filesystem::path& path);

 private:
  void recordNormal(KeyKind kind, KeyCode code);
  void recordOperand(KeyKind kind, KeyCode code);
  void recordSecondDigit(KeyKind kind, KeyCode code);
  void recordGoto(KeyKind kind, KeyCode code);
  bool readLine(std::string_view line, bool& programLine);
  Line& current() { return m_steps[static_cast<std::size_t>(m_line)]; }

  std::array<Line, kLines> m_steps{};
  int m_line = 0;
  bool m_pastEnd = false;  // line 999 has been executed
  RecordState m_recordState = RecordState::Normal;
  int m_gotoCount = 0;
  bool m_gotoMove = false;
  Line m_scratch{};
  Line m_savedLine{};  // the line's content before recording claimed it
  Line m_queue{};
  int m_queueIndex = 0;
  int m_pauseCount = 0;
  std::string m_comment;
};

}  // namespace finova
