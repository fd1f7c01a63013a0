#pragma once
// ByteLimitValidator: an edit field's limit counted in the bytes its text
// takes as UTF-8, checked on every key and paste, so that the field refuses
// what would not fit instead of letting the text be cut later. Category
// names use it: "Ελληνικά" takes 16 bytes of the 50, "Größe" 7.
// It knows nothing of what the text means.

#include <QValidator>
#include <cstddef>

namespace diskindex::ui {

class ByteLimitValidator : public QValidator {
  Q_OBJECT
 public:
  ByteLimitValidator(std::size_t maxBytes, QObject* parent);
  State validate(QString& input, int& position) const override;

 private:
  std::size_t m_maxBytes;
};

}  // namespace diskindex::ui
