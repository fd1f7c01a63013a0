#include "diskindex/ui/dlg_other_volume.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "diskindex/core/files/file_messages.h"
#include "diskindex/ui/search_prompts.h"

namespace diskindex::ui {
namespace {

QString joinedLines(const std::vector<std::string>& lines) {
  QStringList list;
  for (const std::string& line : lines) list << qUtf8(line);
  return list.join(QLatin1Char('\n'));
}

}  // namespace

TDlgOtherVolume::TDlgOtherVolume(const files::OtherVolumeQuestion& question, QWidget* parent)
    : QDialog(parent) {
  setObjectName(QStringLiteral("TDlgOtherVolume"));
  setWindowTitle(qUtf8(files::kVolumeAccessCaption));
  auto* icon = new QLabel;
  icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(32, 32));
  auto* text = new QLabel(joinedLines(question.lines()));
  text->setObjectName(QStringLiteral("LabelQuestion"));
  text->setWordWrap(true);
  text->setMinimumWidth(420);
  m_update = new QCheckBox(QStringLiteral("&Volume-Label aktualisieren"));
  m_update->setObjectName(QStringLiteral("CheckBoxUpdateLabel"));
  auto* yes = new QPushButton(QStringLiteral("&Ja"));
  yes->setObjectName(QStringLiteral("ButtonYes"));
  auto* no = new QPushButton(QStringLiteral("&Nein"));
  no->setObjectName(QStringLiteral("ButtonNo"));
  no->setDefault(true);
  m_notesButton = new QPushButton(QStringLiteral("&Hinweise >>"));
  m_notesButton->setObjectName(QStringLiteral("ButtonNotes"));
  m_notesButton->setAutoDefault(false);
  m_notes = new QLabel(joinedLines(files::otherVolumeNotes()));
  m_notes->setObjectName(QStringLiteral("LabelNotes"));
  m_notes->setFrameShape(QFrame::StyledPanel);
  m_notes->setMargin(6);
  m_notes->hide();
  connect(yes, &QPushButton::clicked, this, &QDialog::accept);
  connect(no, &QPushButton::clicked, this, &QDialog::reject);
  connect(m_notesButton, &QPushButton::clicked, this, &TDlgOtherVolume::showNotes);

  auto* top = new QHBoxLayout;
  top->addWidget(icon, 0, Qt::AlignTop);
  top->addWidget(text, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(m_update);
  buttons->addStretch(1);
  for (QPushButton* b : {yes, no, m_notesButton}) buttons->addWidget(b);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addLayout(buttons);
  layout->addWidget(m_notes);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TDlgOtherVolume::showNotes() {
  m_notes->show();
  m_notesButton->setEnabled(false);
  adjustSize();
}

files::OtherVolumeAnswer TDlgOtherVolume::answer() const {
  return {result() == QDialog::Accepted, result() == QDialog::Accepted && m_update->isChecked()};
}

}  // namespace diskindex::ui
