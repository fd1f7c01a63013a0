#pragma once
// The help window ("&Inhalt", F1, and every "&Hilfe" button): German HTML
// pages built into the program as resources, shown in a browser with
// contents, back and close buttons. It does not search or print.
//
// Pages are named by their file names; the names below are the ones the
// program's dialogs and windows open, one page per topic. showHelpPage()
// decides which window shows a page: help asked for while a modal dialog
// runs must be that dialog's own window, since a modal dialog blocks input
// to every other window (the help could neither scroll nor close).

#include <QDialog>
#include <QPointer>

class QTextBrowser;

namespace diskindex::ui {

namespace help {
inline constexpr char kContents[] = "index.html";
inline constexpr char kAddVolume[] = "add_volume.html";        // "Datenträger hinzufügen"
inline constexpr char kChangeVolume[] = "change_volume.html";  // "Datenträger-Informationen ändern"
inline constexpr char kDrives[] = "drives.html";               // [Drives] of DISKINDX.INI
inline constexpr char kSearch[] = "search.html";               // search dialog, Ctrl+F and Ctrl+M
inline constexpr char kSearchResults[] = "search_results.html";
inline constexpr char kDuplicates[] = "duplicates.html";  // "Doppelte Dateien suchen ..."
inline constexpr char kExport[] = "export.html";          // information, trees, CSV/HTML/JSON
inline constexpr char kPrinting[] = "printing.html";
inline constexpr char kCopying[] = "copying.html";  // copying, editing and running files
inline constexpr char kCategories[] = "categories.html";
inline constexpr char kRescanVolume[] = "menus.html";  // "Datenträger erneut einlesen ..."
}  // namespace help

class HelpWindow : public QDialog {
  Q_OBJECT
 public:
  explicit HelpWindow(QWidget* parent = nullptr);
  // Shows a page by its file name, optionally with an anchor
  // ("search.html#filter").
  void showPage(const QString& page);
  QTextBrowser* browser() const { return m_browser; }

 private:
  QTextBrowser* m_browser = nullptr;
};

// Shows page (the contents when empty) and brings its window to the front.
// While a modal dialog runs, the page opens in a help window belonging to
// that dialog (reused when it already has one): usable while the dialog is
// open and closed with it. Otherwise it opens in *shared, the one help
// window of the main window, created as a window of owner when there is
// none yet. Returns the window that shows the page.
HelpWindow* showHelpPage(const QString& page, QPointer<HelpWindow>& shared, QWidget* owner);

}  // namespace diskindex::ui
