// Start-up and shutdown of the main window: the session started (settings,
// volume list, conversion of old files) with its boxes, the settings applied
// to the widgets and collected back from them.

#include <QApplication>
#include <QColor>
#include <QGuiApplication>
#include <QHeaderView>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QTableView>
#include <QTreeView>
#include <cmath>

#include "diskindex/core/messages.h"
#include "diskindex/ui/convert_dialog.h"
#include "diskindex/ui/disk_index_form.h"
#include "diskindex/ui/dlg_search_results.h"
#include "diskindex/ui/file_grid.h"
#include "diskindex/ui/file_list_model.h"
#include "diskindex/ui/file_size_delegate.h"
#include "diskindex/ui/font_setting.h"
#include "diskindex/ui/overview_pane.h"
#include "diskindex/ui/qt_text.h"
#include "diskindex/ui/remark_edit.h"
#include "diskindex/ui/search_controller.h"
#include "diskindex/ui/volume_info_pane.h"
#include "diskindex/ui/volume_list_model.h"

namespace diskindex::ui {
namespace {

class ConversionWindow : public ConversionObserver {
 public:
  ConversionWindow(FormPrompts& prompts, QWidget* parent) : m_prompts(prompts), m_dialog(parent) {}
  bool confirmConversion() override {
    return m_prompts.question(qUtf8(messages::kConvertCaption),
                              boxText(messages::kConvertQuestion));
  }
  void converting(const std::filesystem::path& file, int index, int count) override {
    m_dialog.showFile(QString::fromStdString(file.string()), index, count);
  }
  bool cancelRequested() override { return m_dialog.cancelRequested(); }
  void fileFailed(ResultCode code, const std::filesystem::path& file) override {
    const ErrorMessage message = listLoadMessage(code, file.string());
    m_prompts.error(qUtf8(message.caption), boxText(message.text));
  }
  void cancelled() override {
    m_dialog.hide();
    m_prompts.information(qUtf8(messages::kConvertCaption), boxText(messages::kConvertCancelled));
  }

 private:
  FormPrompts& m_prompts;
  TDlgConvert m_dialog;
};

// What loading a catalogue shows: an error box per failing file and the
// conversion window when old files are found. The wait cursor stands while
// the list loads, not while the conversion question is asked.
class CatalogueBoxes : public SessionObserver {
 public:
  CatalogueBoxes(FormPrompts& prompts, QWidget* parent,
                 std::set<std::filesystem::path>& reported)
      : m_prompts(prompts), m_parent(parent), m_reported(reported) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
  }
  ~CatalogueBoxes() override { restoreCursor(); }
  void fileFailed(ResultCode code, const std::filesystem::path& file) override {
    m_reported.insert(file);
    const ErrorMessage message = listLoadMessage(code, file.string());
    m_prompts.error(qUtf8(message.caption), boxText(message.text));
  }
  void dataDirectoryFailed(ResultCode code, const std::filesystem::path& folder) override {
    const ErrorMessage message = errorMessage(code, messages::kListLoadCaption, folder.string());
    m_prompts.error(qUtf8(message.caption), boxText(message.text));
  }
  void settingsDamaged(const std::filesystem::path& file) override {
    m_prompts.warning(QString::fromUtf8(kProgramTitle),
                      boxText(messages::damagedSettingsFile(file.string())));
  }
  MissingFolderAnswer dataDirectoryMissing(const std::filesystem::path& folder) override {
    restoreCursor();
    using Choice = MissingFolderAnswer::Choice;
    for (;;) {
      const MissingFolderChoice choice =
          m_prompts.missingDataDirectory(qUtf8(messages::kListLoadCaption),
                                         boxText(messages::missingDataDirectoryQuestion(
                                             folder.string())));
      if (choice == MissingFolderChoice::Create) return {Choice::Create, {}};
      if (choice == MissingFolderChoice::GoOnWithout) return {Choice::GoOnWithout, {}};
      // A cancelled folder dialog asks the question again.
      const std::optional<QString> other =
          m_prompts.chooseDataDirectory(QString::fromStdString(folder.string()));
      if (other && !other->isEmpty()) {
        return {Choice::ChooseOther, std::filesystem::path(other->toStdString())};
      }
    }
  }
  ConversionObserver* conversion() override {
    restoreCursor();
    if (!m_conversion) m_conversion = std::make_unique<ConversionWindow>(m_prompts, m_parent);
    return m_conversion.get();
  }

 private:
  void restoreCursor() {
    if (!m_waiting) return;
    m_waiting = false;
    QApplication::restoreOverrideCursor();
  }

  FormPrompts& m_prompts;
  QWidget* m_parent;
  std::set<std::filesystem::path>& m_reported;
  bool m_waiting = true;
  std::unique_ptr<ConversionWindow> m_conversion;
};

}  // namespace

void TDiskIndexForm::start() {
  // Error boxes may paint the overview while the list is rebuilt.
  m_volumeModel->detach();
  {
    CatalogueBoxes boxes(*m_prompts, this, m_reportedFailures);
    m_session.start(boxes);
  }
  applySettings();
  rebuildCategoryCombo();
  m_started = true;
  showOverview(std::nullopt);
  watchDataDirectory();
}

void TDiskIndexForm::changeDataDirectory(const std::filesystem::path& folder) {
  m_volumeModel->detach();
  {
    m_reportedFailures.clear();
    CatalogueBoxes boxes(*m_prompts, this, m_reportedFailures);
    m_session.changeDataDirectory(folder, boxes);
  }
  rebuildCategoryCombo();
  showOverview(std::nullopt);
  watchDataDirectory();
}

namespace {

// The screen of this name, or the primary screen when it is gone (or never
// named).
QScreen* screenNamed(const std::string& name) {
  for (QScreen* screen : QGuiApplication::screens()) {
    if (!name.empty() && screen->name() == QString::fromStdString(name)) return screen;
  }
  return QGuiApplication::primaryScreen();
}

}  // namespace

std::vector<ScreenArea> desktopScreens() {
  std::vector<ScreenArea> areas;
  for (const QScreen* screen : QGuiApplication::screens()) {
    const QRect area = screen->geometry();
    areas.push_back(
        {screen->name().toStdString(), area.x(), area.y(), area.width(), area.height()});
  }
  return areas;
}

void TDiskIndexForm::applyGeometry() {
  const DiskIndexSettings& s = m_session.settings();
  if (s.winW > 0 && s.winH > 0) {
    // The stored position counts from the top left of the screen it was on.
    const QScreen* screen = screenNamed(s.winScreen);
    const QPoint origin = screen ? screen->geometry().topLeft() : QPoint();
    move(origin + QPoint(s.winX, s.winY));
    resize(s.winW, s.winH);
  }
  // Takes effect when the window is shown; un-maximising gives the size above.
  if (s.winMax == 1) setWindowState(windowState() | Qt::WindowMaximized);
}

void TDiskIndexForm::collectGeometry() {
  DiskIndexSettings& s = m_session.settings();
  const QScreen* screen = this->screen();
  const std::string screenName = screen ? screen->name().toStdString() : std::string();
  const QPoint origin = screen ? screen->geometry().topLeft() : QPoint();
  s.winMax = isMaximized() ? 1 : 0;
  if (!isMaximized() && !isMinimized()) {
    s.winX = pos().x() - origin.x();
    s.winY = pos().y() - origin.y();
    s.winW = width();
    s.winH = height();
  } else if (screenName != s.winScreen && normalGeometry().isValid()) {
    // Maximised on another screen than before: the size to come back to
    // lies there now.
    const QRect normal = normalGeometry();
    s.winX = normal.x() - origin.x();
    s.winY = normal.y() - origin.y();
    s.winW = normal.width();
    s.winH = normal.height();
  }
  s.winScreen = screenName;
}

void TDiskIndexForm::applySettings() {
  const DiskIndexSettings& s = m_session.settings();
  applyGeometry();
  m_mainSplit->setSizes({s.splitX, std::max(40, width() - s.splitX)});
  m_leftSplit->setSizes({std::max(30, height() - s.splitYL), s.splitYL});
  m_rightSplit->setSizes({std::max(30, height() - s.splitYR), s.splitYR});
  m_files->setNameWidth(s.w1);
  m_files->setColumnWidth(FileListModel::SizeColumn, s.w2);
  m_files->setColumnWidth(FileListModel::DateColumn, s.w3);
  {
    const QSignalBlocker blockDir(m_actions.dirRemarks);
    const QSignalBlocker blockFile(m_actions.fileRemarks);
    const QSignalBlocker blockGrey(m_actions.greyBackground);
    const QSignalBlocker blockOrder(m_actions.sortOverviewFree);
    m_actions.sortOverviewFree->setChecked(m_session.volumeService().overviewOrder() ==
                                           OverviewOrder::FreeSpace);
    m_actions.dirRemarks->setChecked(s.showDirRemarks());
    m_actions.fileRemarks->setChecked(s.showFileRemarks());
    m_actions.greyBackground->setChecked(s.bgnd != 0);
  }
  m_overview->setOrder(m_session.volumeService().overviewOrder());
  showSortChoice({sortKeyFromNumber(s.fileSort), s.fileSortRev == 1});
  applyRemarkFields();
  applyBackground();
  applyFonts();
}

void TDiskIndexForm::collectSettings() {
  DiskIndexSettings& s = m_session.settings();
  collectGeometry();
  s.splitX = m_mainSplit->sizes().value(0, s.splitX);
  if (m_dirRemark->isVisible()) s.splitYL = m_leftSplit->sizes().value(1, s.splitYL);
  if (m_fileRemark->isVisible()) s.splitYR = m_rightSplit->sizes().value(1, s.splitYR);
  s.w1 = m_files->nameWidth();
  s.w2 = m_files->columnWidth(FileListModel::SizeColumn);
  s.w3 = m_files->columnWidth(FileListModel::DateColumn);
  s.fileSort = sortKeyNumber(m_fileModel->sortKey());
  s.fileSortRev = m_fileModel->reversed() ? 1 : 0;
  s.bgnd = m_actions.greyBackground->isChecked() ? 1 : 0;
  s.memos =
      (m_actions.dirRemarks->isChecked() ? 1 : 0) | (m_actions.fileRemarks->isChecked() ? 2 : 0);
  if (TDlgSearchResults* results = m_searchCommands->resultsWindow()) results->storeGeometry();
  const std::string filter = m_volumeModel->filter();
  s.category = filter == messages::kAllCategories ? std::string() : filter;
}

bool TDiskIndexForm::shutdown() {
  if (!m_started || m_shutDown) return true;
  if (m_view == View::Contents && !leaveContents()) return false;
  m_shutDown = true;
  collectSettings();
  if (m_session.shutdown() != ResultCode::Ok) {
    m_prompts->error(QString::fromUtf8(kProgramTitle),
                     boxText(messages::settingsNotSaved(m_session.environment().settingsFile.string())));
  }
  return true;
}

void TDiskIndexForm::rebuildCategoryCombo() {
  m_overview->rebuildCombo(m_started ? m_overview->filter() : m_session.settings().category);
}

void TDiskIndexForm::applyFonts() {
  const DiskIndexSettings& s = m_session.settings();
  const QFont listFont = toFont(m_view == View::Overview ? s.fontF : s.fontL);
  m_tree->setFont(listFont);
  m_info->setValueFont(toFont(s.fontF));
  m_files->setFont(toFont(s.fontL));
  m_files->horizontalHeader()->setFont(QApplication::font());
  m_dirRemark->setFont(toFont(s.fontM));
  m_fileRemark->setFont(toFont(s.fontM));
  // Rows as high as the font needs, at least the classic 18 pixels.
  const int rowHeight = std::max(18, QFontMetrics(toFont(s.fontL)).height() + 4);
  m_files->verticalHeader()->setDefaultSectionSize(rowHeight);
  m_files->verticalHeader()->setMinimumSectionSize(rowHeight);
  fitSizeColumn();
}

void TDiskIndexForm::fitSizeColumn() {
  // The size and date columns are never narrower than their widest number,
  // whatever the stored width or the font; names are elided instead.
  const int size = FileSizeDelegate::minimumColumnWidth(m_files->font(), m_files);
  if (m_files->columnWidth(FileListModel::SizeColumn) < size) {
    m_files->setColumnWidth(FileListModel::SizeColumn, size);
  }
  const int date = FileSizeDelegate::minimumDateColumnWidth(m_files->font(), m_files);
  if (m_files->columnWidth(FileListModel::DateColumn) < date) {
    m_files->setColumnWidth(FileListModel::DateColumn, date);
  }
}

namespace {

// Relative luminance of a colour as the usual contrast formula defines it.
double luminance(const QColor& colour) {
  auto channel = [](double value) {
    return value <= 0.03928 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * channel(colour.redF()) + 0.7152 * channel(colour.greenF()) +
         0.0722 * channel(colour.blueF());
}

double contrast(const QColor& a, const QColor& b) {
  const double la = luminance(a);
  const double lb = luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// Disabled text stays unlike enabled text (a grey, not black or white) but
// keeps a contrast of at least 4.5:1 to the background: dark grey on light
// grey or white, light grey on a dark background, black or white only on a
// middle grey where neither grey would do.
QColor readableDisabledText(const QColor& background) {
  constexpr double kReadable = 4.5;
  const QColor dark(64, 64, 64);
  const QColor light(200, 200, 200);
  const QColor grey = contrast(dark, background) >= contrast(light, background) ? dark : light;
  if (contrast(grey, background) >= kReadable) return grey;
  return grey == dark ? QColor(Qt::black) : QColor(Qt::white);
}

}  // namespace

void TDiskIndexForm::applyBackground() {
  const bool grey = m_actions.greyBackground->isChecked();
  const QColor colour =
      grey ? QColor(192, 192, 192) : QApplication::palette().color(QPalette::Base);
  const QColor disabledText = readableDisabledText(colour);
  for (QWidget* widget :
       std::initializer_list<QWidget*>{m_tree, m_dirRemark, m_fileRemark, m_files, m_info}) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Base, colour);
    palette.setColor(QPalette::Window, colour);
    // While a drive is read these widgets are disabled; their text must stay
    // readable on the background, not fade into it.
    palette.setColor(QPalette::Disabled, QPalette::Text, disabledText);
    palette.setColor(QPalette::Disabled, QPalette::WindowText, disabledText);
    widget->setPalette(palette);
  }
}

void TDiskIndexForm::applyRemarkFields() {
  // The overview has no directory remarks to show.
  m_dirRemark->setVisible(m_view == View::Contents && m_actions.dirRemarks->isChecked());
  m_fileRemark->setVisible(m_actions.fileRemarks->isChecked());
}

}  // namespace diskindex::ui
