#pragma once
// A remark field of the contents view. It shows the remark of the selected
// directory or file, or "(Keine Bemerkungen)" when there is none; entering a
// field that shows that text clears it. The field only tells whether the user
// changed the text since it was last shown; the remark itself lives in the
// core's remark list, and the window hands the text over when the selection
// moves on. Line breaks are CR LF outside, as the comment file keeps them.
// The field takes no more than a comment record holds (31,991 bytes as
// stored, a line break counting as its CR LF), so that nothing typed is cut
// away silently when the remarks are saved.

#include <QPlainTextEdit>
#include <optional>
#include <string>

namespace diskindex::ui {

inline constexpr const char* kNoRemarks = "(Keine Bemerkungen)";

class RemarkEdit : public QPlainTextEdit {
  Q_OBJECT
 public:
  explicit RemarkEdit(QWidget* parent = nullptr);

  // Shows a remark (UTF-8 with CR LF) or, for nothing, "(Keine Bemerkungen)".
  void showRemark(std::optional<std::string_view> remark);
  // Shows nothing at all (the field is disabled meanwhile).
  void showBlank();
  bool userChanged() const;
  // The text as the remark list keeps it (CR LF line breaks).
  std::string remarkText() const;

 protected:
  void focusInEvent(QFocusEvent* event) override;

 private:
  void clearPlaceholder();
  void limitLength();

  bool m_placeholderShown = false;
};

}  // namespace diskindex::ui
