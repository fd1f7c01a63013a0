#pragma once
// The number being keyed in: mantissa digits with at most one point, an
// optional exponent after EEX, and the sign. AddChar takes one typed
// character, Parse turns the buffer into a number, Text gives what the X line
// shows during entry (before grouping and the exponent split). It does not
// decide when an entry starts or ends; the engine does.

#include <string>

namespace finova {

class EntryBuffer {
 public:
  static constexpr std::size_t kMaxMantissa = 15;
  static constexpr std::size_t kMaxExponent = 3;  // sign and two digits
  static constexpr char kBackspace = '\b';

  // c: '0'..'9', '.', 'E' (EEX), '-' (change sign), kBackspace. afterBackspace
  // tells whether the previous key was the backspace key: a digit then
  // replaces a mantissa of exactly "0".
  void AddChar(char c, bool afterBackspace = false);
  double Parse();
  std::string Text() const;
  void Clear();

  bool entryActive() const { return m_entryActive; }
  bool hasPoint() const { return m_hasPoint; }
  bool inExponent() const { return m_inExponent; }
  bool positive() const { return m_positive; }
  double value() const { return m_value; }
  const std::string& mantissa() const { return m_mantissa; }
  const std::string& exponent() const { return m_exponent; }

 private:
  void addDigit(char c, bool afterBackspace);
  void backspace();

  double m_value = 0.0;
  bool m_hasPoint = false;
  bool m_inExponent = false;
  bool m_positive = true;
  bool m_entryActive = false;
  std::string m_mantissa;
  std::string m_exponent;
};

}  // namespace finova
