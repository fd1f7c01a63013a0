#include "diskindex/ui/dlg_tree_export.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "diskindex/ui/dlg_print_results.h"
#include "diskindex/ui/export_prompts.h"
#include "diskindex/ui/ok_cancel_box.h"
#include "diskindex/ui/search_prompts.h"

namespace diskindex::ui {
namespace {

QRadioButton* radio(const QString& text, const char* name, QLayout* layout) {
  auto* button = new QRadioButton(text);
  button->setObjectName(QString::fromLatin1(name));
  layout->addWidget(button);
  return button;
}

QPushButton* namedButton(const QString& text, const char* name) {
  auto* button = new QPushButton(text);
  button->setObjectName(QString::fromLatin1(name));
  button->setAutoDefault(false);
  return button;
}

}  // namespace

TDlgTreeExport::TDlgTreeExport(Mode mode, const exporting::TreeExportOptions& options,
                               const QString& volumeName, const QString& target,
                               ExportPrompts& prompts, QPrinter* printer, QWidget* parent)
    : QDialog(parent),
      m_mode(mode),
      m_volumeName(volumeName),
      m_prompts(prompts),
      m_printer(printer),
      m_pdf(mode == Mode::Print && !printerInstalled()) {
  setObjectName(QStringLiteral("TDlgTreeExport"));
  setWindowTitle(QString::fromStdString(exporting::messages::treeDialogCaption(mode)));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(buildChoices());
  if (mode == Mode::Export) layout->addWidget(buildTargetBox());
  if (mode != Mode::Copy) layout->addWidget(buildHeadingBox());
  if (mode == Mode::Print) layout->addWidget(buildPrinterBox());
  const OkCancelBox buttons = makeOkCancelBox(this, OkText::Ok, OkDefault::Yes);
  m_ok = buttons.ok;
  layout->addWidget(buttons.box);
  apply(options);
  if (m_target) m_target->setText(target);
  updateStates();
}

QWidget* TDlgTreeExport::buildChoices() {
  auto* panel = new QWidget;
  auto* row = new QHBoxLayout(panel);
  row->setContentsMargins(0, 0, 0, 0);
  auto* range = new QGroupBox(QStringLiteral("&Bereich"));
  auto* rangeLayout = new QVBoxLayout(range);
  m_whole = radio(QStringLiteral("gesamter Datenträger"), "RadioWholeVolume", rangeLayout);
  m_selected = radio(QStringLiteral("selektiertes Verzeichnis"), "RadioSelectedDir", rangeLayout);
  auto* form = new QGroupBox(QStringLiteral("&Struktur"));
  auto* formLayout = new QVBoxLayout(form);
  m_tree = radio(QStringLiteral("Datei-/Verzeichnisbaum"), "RadioTree", formLayout);
  m_paths = radio(QStringLiteral("vollständige Pfadnamen"), "RadioPaths", formLayout);
  auto* content = new QGroupBox(QStringLiteral("&Inhalt"));
  auto* contentLayout = new QVBoxLayout(content);
  m_both = radio(QStringLiteral("Verzeichnisse und Dateien"), "RadioDirsAndFiles", contentLayout);
  m_dirsOnly = radio(QStringLiteral("nur Verzeichnisnamen"), "RadioDirsOnly", contentLayout);
  m_filesOnly = radio(QStringLiteral("nur Dateinamen"), "RadioFilesOnly", contentLayout);
  for (QGroupBox* box : {range, form, content}) {
    box->setAlignment(Qt::AlignLeft);
    row->addWidget(box);
  }
  return panel;
}

QWidget* TDlgTreeExport::buildTargetBox() {
  auto* panel = new QWidget;
  auto* grid = new QGridLayout(panel);
  grid->setContentsMargins(0, 0, 0, 0);
  m_target = new QLineEdit;
  m_target->setObjectName(QStringLiteral("EditTarget"));
  auto* label = new QLabel(QStringLiteral("&Zieldatei:"));
  label->setBuddy(m_target);
  auto* browse = namedButton(QStringLiteral("&Durchsuchen ..."), "ButtonBrowse");
  m_append = new QCheckBox(QStringLiteral("&an Zieldatei anhängen"));
  m_append->setObjectName(QStringLiteral("CheckAppend"));
  grid->addWidget(label, 0, 0);
  grid->addWidget(m_target, 0, 1);
  grid->addWidget(browse, 0, 2);
  grid->addWidget(m_append, 1, 1, 1, 2);
  connect(browse, &QPushButton::clicked, this, &TDlgTreeExport::browse);
  connect(m_target, &QLineEdit::textChanged, this, &TDlgTreeExport::updateStates);
  return panel;
}

QWidget* TDlgTreeExport::buildHeadingBox() {
  auto* panel = new QWidget;
  auto* grid = new QGridLayout(panel);
  grid->setContentsMargins(0, 0, 0, 0);
  m_heading = new QLineEdit;
  m_heading->setObjectName(QStringLiteral("EditHeading"));
  auto* label = new QLabel(QStringLiteral("Überschrift/&Kopfzeile:"));
  label->setBuddy(m_heading);
  auto* insert =
      namedButton(QStringLiteral("Datenträger-Bezeichnung ein&fügen"), "ButtonInsertName");
  grid->addWidget(label, 0, 0);
  grid->addWidget(m_heading, 0, 1);
  grid->addWidget(insert, 1, 1, Qt::AlignLeft);
  connect(insert, &QPushButton::clicked, this, [this] {
    m_heading->insert(m_volumeName);
    m_heading->setFocus();
  });
  return panel;
}

QWidget* TDlgTreeExport::buildPrinterBox() {
  auto* panel = new QWidget;
  auto* grid = new QGridLayout(panel);
  grid->setContentsMargins(0, 0, 0, 0);
  m_printerName = new QLabel;
  m_printerName->setObjectName(QStringLiteral("LabelPrinter"));
  auto* setup = namedButton(QStringLiteral("Dr&ucker ..."), "ButtonPrinter");
  setup->setEnabled(!m_pdf && m_printer);
  grid->addWidget(new QLabel(QStringLiteral("Aktueller Drucker:")), 0, 0);
  grid->addWidget(m_printerName, 0, 1);
  grid->addWidget(setup, 0, 2);
  connect(setup, &QPushButton::clicked, this, &TDlgTreeExport::setupPrinter);
  showPrinter();
  return panel;
}

void TDlgTreeExport::apply(const exporting::TreeExportOptions& options) {
  (options.selectedDirectory ? m_selected : m_whole)->setChecked(true);
  (options.lines.paths ? m_paths : m_tree)->setChecked(true);
  switch (options.lines.content) {
    case exporting::TreeContent::DirectoriesAndFiles:
      m_both->setChecked(true);
      break;
    case exporting::TreeContent::DirectoriesOnly:
      m_dirsOnly->setChecked(true);
      break;
    case exporting::TreeContent::FilesOnly:
      m_filesOnly->setChecked(true);
      break;
  }
  if (m_append) m_append->setChecked(options.append);
  if (m_heading) m_heading->setText(QString::fromStdString(options.heading));
}

exporting::TreeExportOptions TDlgTreeExport::options() const {
  exporting::TreeExportOptions options;
  options.selectedDirectory = m_selected->isChecked();
  options.lines.paths = m_paths->isChecked();
  options.lines.content = m_dirsOnly->isChecked()    ? exporting::TreeContent::DirectoriesOnly
                          : m_filesOnly->isChecked() ? exporting::TreeContent::FilesOnly
                                                     : exporting::TreeContent::DirectoriesAndFiles;
  options.append = m_append && m_append->isChecked();
  if (m_heading) options.heading = m_heading->text().toStdString();
  return options;
}

QString TDlgTreeExport::target() const {
  return m_target ? m_target->text().trimmed() : QString();
}

void TDlgTreeExport::browse() {
  if (const std::optional<QString> file = m_prompts.chooseTargetFile(m_target->text())) {
    m_target->setText(*file);
  }
}

void TDlgTreeExport::setupPrinter() {
  if (m_printer && m_prompts.setupPrinter(*m_printer, this)) showPrinter();
}

void TDlgTreeExport::showPrinter() {
  m_printerName->setText(m_pdf || !m_printer
                             ? QStringLiteral("(kein Drucker installiert: Ausgabe als PDF-Datei)")
                             : m_printer->printerName());
}

void TDlgTreeExport::updateStates() {
  m_ok->setEnabled(!m_target || !m_target->text().trimmed().isEmpty());
}

}  // namespace diskindex::ui
