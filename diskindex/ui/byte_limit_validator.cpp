#include "diskindex/ui/byte_limit_validator.h"

namespace diskindex::ui {

ByteLimitValidator::ByteLimitValidator(std::size_t maxBytes, QObject* parent)
    : QValidator(parent), m_maxBytes(maxBytes) {}

QValidator::State ByteLimitValidator::validate(QString& input, int& /*position*/) const {
  return static_cast<std::size_t>(input.toUtf8().size()) <= m_maxBytes ? Acceptable : Invalid;
}

}  // namespace diskindex::ui
