#include "calculator/core/entry_buffer.h"

#include <cstdlib>

namespace finova {

void EntryBuffer::AddChar(char c, bool afterBackspace) {
  if (c >= '0' && c <= '9') {
    addDigit(c, afterBackspace);
  } else if (c == '.') {
    if (!m_hasPoint && !m_inExponent && m_mantissa.size() < kMaxMantissa) {
      m_hasPoint = true;
      m_mantissa.push_back('.');
    }
  } else if (c == 'E') {
    if (!m_inExponent) {
      m_inExponent = true;
      m_exponent = "+";
      if (m_mantissa.empty()) m_mantissa = "1";
      m_entryActive = true;
    }
  } else if (c == '-') {
    if (m_inExponent) {
      m_exponent[0] = m_exponent[0] == '+' ? '-' : '+';
    } else {
      m_positive = !m_positive;
    }
  } else if (c == kBackspace) {
    backspace();
  }
}

void EntryBuffer::addDigit(char c, bool afterBackspace) {
  m_entryActive = true;
  if (m_inExponent) {
    if (m_exponent.size() < kMaxExponent) m_exponent.push_back(c);
    return;
  }
  if (m_mantissa == "0" && afterBackspace) m_mantissa.clear();
  if (m_mantissa.size() < kMaxMantissa) m_mantissa.push_back(c);
}

void EntryBuffer::backspace() {
  if (!m_inExponent) {
    if (m_mantissa.empty()) return;
    if (m_mantissa.back() == '.') m_hasPoint = false;
    m_mantissa.pop_back();
    return;
  }
  // A backspace over the lone sign leaves exponent mode.
  if (m_exponent.size() <= 1) {
    m_inExponent = false;
    m_exponent.clear();
  } else {
    m_exponent.pop_back();
  }
}

double EntryBuffer::Parse() {
  std::string text = m_mantissa.empty() ? std::string("0") : m_mantissa;
  if (m_inExponent && m_exponent.size() > 1) {
    text += 'E';
    text += m_exponent;
  }
  double value = std::strtod(text.c_str(), nullptr);
  if (!m_positive) value = -value;
  m_value = value;
  return value;
}

std::string EntryBuffer::Text() const {
  std::string text = m_positive ? "" : "-";
  text += m_mantissa.empty() ? std::string("0") : m_mantissa;
  if (m_inExponent) {
    text += 'E';
    text += m_exponent;
  }
  return text;
}

void EntryBuffer::Clear() {
  m_entryActive = false;
  m_hasPoint = false;
  m_inExponent = false;
  m_positive = true;
  m_mantissa.clear();
  m_exponent.clear();
}

}  // namespace finova
