// Printouts rendered: a directory tree and a search results list are
// printed through the window's own commands (no printer installed, so to a
// PDF file), then the PDF is read back with poppler's pdftotext and
// rasterised with pdftoppm. Checked on the pages themselves: a path of more
// than 300 characters arrives whole (wrapped, not cut), no ink lies outside
// the margins, and every page ends with the document's name and
// "Seite n von m".

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <fstream>
#include <functional>

#include "diskindex/core/page_model.h"
#include "diskindex/tests/main_form_fixture.h"
#include "diskindex/tests/search_prompts_fake.h"
#include "diskindex/ui/dlg_print_results.h"
#include "diskindex/ui/dlg_search_results.h"
#include "diskindex/ui/dlg_tree_export.h"
#include "diskindex/ui/export_prompts.h"

namespace diskindex::ui {
namespace {

constexpr int kDotsPerInch = 100;

// "Abschnitt01_Abschnitt02_..." of count words: no blanks, so a row can only
// break between characters.
std::string longName(const char* word, int count) {
  std::string name;
  for (int i = 1; i <= count; ++i) {
    char number[8];
    std::snprintf(number, sizeof number, "%02d", i);
    name += std::string(word) + number + (i < count ? "_" : "");
  }
  return name;
}

// Two nested directories of 119 and 119 characters and a file of 69 (with a
// bell character in it) give a path line of E:\ + 119 + \ + 119 + \ + 69 =
// 312 characters, followed by enough short files for a second page.
const std::string kOuter = longName("Abschnitt", 11).substr(0, 119);
const std::string kInner = longName("Unterteil", 11).substr(0, 119);
const std::string kFile = "Bericht\a" + longName("Teil", 12).substr(0, 61);

std::vector<EntryRecord> longTree() {
  using testing::file;
  // Long names keep their letter case (the long-name flag).
  auto longDir = [](std::uint8_t level, const std::string& name) {
    return EntryRecord{level, name, 0, 0, attributes::kDirectory | attributes::kLongName};
  };
  std::vector<EntryRecord> entries{longDir(1, kOuter), longDir(2, kInner),
                                   file(3, kFile.c_str(), 4711, true)};
  for (int i = 0; i < 80; ++i) {
    entries.push_back(file(3, ("Datei" + std::to_string(100 + i) + ".txt").c_str(), 10, true));
  }
  return entries;
}

std::string commandOutput(const std::string& command) {
  std::string out;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[4096];
    std::size_t n = 0;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
    pclose(pipe);
  }
  return out;
}

std::string withoutWhitespace(const std::string& text) {
  std::string out;
  for (const char c : text) {
    if (!std::isspace(static_cast<unsigned char>(c))) out += c;
  }
  return out;
}

// One rendered page: its size and the box around every dark pixel.
struct InkBox {
  int width = 0;
  int height = 0;
  int left = 0;
  int top = 0;
  int right = -1;  // last dark column
  int bottom = -1;
};

InkBox renderPage(const std::filesystem::path& pdf, int page, const std::filesystem::path& out) {
  const std::string n = std::to_string(page);
  const std::string prefix = (out / ("seite" + n)).string();
  std::system(("pdftoppm -gray -r " + std::to_string(kDotsPerInch) + " -f " + n + " -l " + n +
               " -singlefile '" + pdf.string() + "' '" + prefix + "'")
                  .c_str());
  std::ifstream in(prefix + ".pgm", std::ios::binary);
  std::string magic;
  int maxValue = 0;
  InkBox box;
  in >> magic >> box.width >> box.height >> maxValue;
  in.get();
  EXPECT_EQ(magic, "P5") << "pdftoppm gave no grey image of page " << page;
  std::vector<unsigned char> pixels(static_cast<std::size_t>(box.width) * box.height);
  in.read(reinterpret_cast<char*>(pixels.data()), static_cast<std::streamsize>(pixels.size()));
  box.left = box.width;
  box.top = box.height;
  for (int y = 0; y < box.height; ++y) {
    for (int x = 0; x < box.width; ++x) {
      if (pixels[static_cast<std::size_t>(y) * box.width + x] >= 128) continue;
      box.left = std::min(box.left, x);
      box.right = std::max(box.right, x);
      box.top = std::min(box.top, y);
      box.bottom = std::max(box.bottom, y);
    }
  }
  return box;
}

// The text of each page as laid out (pdftotext ends every page with a form
// feed).
std::vector<std::string> pageTexts(const std::filesystem::path& pdf) {
  const std::string all = commandOutput("pdftotext -layout -enc UTF-8 '" + pdf.string() + "' -");
  std::vector<std::string> pages;
  std::string page;
  for (const char c : all) {
    if (c == '\f') {
      pages.push_back(page);
      page.clear();
    } else {
      page += c;
    }
  }
  return pages;
}

// Every page: ink only inside the margins (a pixel of rounding allowed), the
// footer at the bottom margin, its title and "Seite n von m" in its text.
void expectPagesKeepMarginsAndFooters(const std::filesystem::path& pdf, const std::string& title,
                                      const std::filesystem::path& scratch) {
  const std::vector<std::string> texts = pageTexts(pdf);
  ASSERT_GE(texts.size(), 2u) << "the printout should need two pages";
  const printing::PageMargins margins = printing::marginsAt(kDotsPerInch);
  for (std::size_t i = 0; i < texts.size(); ++i) {
    const int page = static_cast<int>(i) + 1;
    SCOPED_TRACE("page " + std::to_string(page));
    // The last line of the page is the footer: the title, blanks, the number.
    std::string footer = texts[i].substr(0, texts[i].find_last_not_of(" \n") + 1);
    footer = footer.substr(footer.find_last_of('\n') + 1);
    footer = footer.substr(footer.find_first_not_of(' '));
    const std::string number = printing::pageNumberText(i + 1, texts.size());
    ASSERT_GT(footer.size(), title.size() + number.size()) << footer;
    EXPECT_EQ(footer.substr(0, title.size()), title) << footer;
    EXPECT_EQ(footer.substr(footer.size() - number.size()), number) << footer;
    EXPECT_EQ(withoutWhitespace(footer), withoutWhitespace(title + number)) << footer;
    const InkBox ink = renderPage(pdf, page, scratch);
    ASSERT_GE(ink.right, 0) << "an empty page";
    EXPECT_GE(ink.left, margins.left - 1);
    EXPECT_GE(ink.top, margins.top - 1);
    EXPECT_LE(ink.right, ink.width - margins.right);
    EXPECT_LE(ink.bottom, ink.height - margins.bottom);
    // The page number ends at the right margin and the footer sits on the
    // last line above the bottom margin.
    EXPECT_GE(ink.right, ink.width - margins.right - kDotsPerInch / 10);
    EXPECT_GE(ink.bottom, ink.height - margins.bottom - kDotsPerInch / 3);
  }
}

// The real export prompts (the dialog runs modally and is answered by
// clicks) with only the PDF file chooser answered by the test.
class PdfAnswer : public QtExportPrompts {
 public:
  PdfAnswer(QWidget* parent, QString file) : QtExportPrompts(parent), m_file(std::move(file)) {}
  std::optional<QString> choosePdfFile(const QString&) override { return m_file; }

 private:
  QString m_file;
};

// Calls act with the first visible top-level T once one is shown (polling,
// as a modal dialog is shown from inside the click that opens it).
template <typename T>
void whenShown(std::function<void(T&)> act, int tries = 200) {
  QTimer::singleShot(10, [act, tries] {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      if (auto* window = qobject_cast<T*>(widget); window != nullptr && window->isVisible()) {
        act(*window);
        return;
      }
    }
    if (tries > 0) whenShown<T>(act, tries - 1);
  });
}

void click(QWidget& parent, const char* name) {
  auto* widget = parent.findChild<QAbstractButton*>(QString::fromLatin1(name));
  ASSERT_NE(widget, nullptr) << name;
  QTest::mouseClick(widget, Qt::LeftButton);
}

class PrintPdfTest : public testing::MainFormTest {
 protected:
  void SetUp() override {
    MainFormTest::SetUp();
    Catalogue catalogue;
    catalogue.setDataDirectory(m_data);
    catalogue.loadVolumeList();
    testing::SampleVolume volume;
    volume.name = "Archiv 2019";
    const std::vector<EntryRecord> entries = longTree();
    ASSERT_EQ(testing::addSampleVolume(catalogue, volume, entries), ResultCode::Ok);
    writeSettings("");
  }
  // The path line as the page shows it: the bell printed as "?".
  static std::string printedPath() {
    std::string file = kFile;
    file[7] = '?';
    return "E:\\" + kOuter + "\\" + kInner + "\\" + file;
  }
};

TEST_F(PrintPdfTest, TreePrintoutWrapsALongPathAndKeepsMarginsAndFooters) {
  if (printerInstalled()) GTEST_SKIP() << "a printer is installed on this machine";
  ASSERT_EQ(printedPath().size(), 312u);
  TDiskIndexForm& form = start();
  const std::filesystem::path chosen = m_temp.path() / "baum";  // no suffix
  form.setExportPrompts(
      std::make_unique<PdfAnswer>(&form, QString::fromStdString(chosen.string())));
  ASSERT_TRUE(form.openVolume(0));
  QApplication::processEvents();

  bool dialogSeen = false;
  QTest::keyClick(&form, Qt::Key_D, Qt::AltModifier);
  auto* menu = form.findChild<QMenu*>(QStringLiteral("MenuVolume"));
  ASSERT_NE(menu, nullptr);
  ASSERT_TRUE(menu->isVisible());
  whenShown<TDlgTreeExport>([&dialogSeen](TDlgTreeExport& dialog) {
    dialogSeen = true;
    click(dialog, "RadioWholeVolume");
    click(dialog, "RadioPaths");
    click(dialog, "RadioDirsAndFiles");
    click(dialog, "ButtonOk");
  });
  QTest::mouseClick(menu, Qt::LeftButton, {},
                    menu->actionGeometry(form.actions().print).center());
  ASSERT_TRUE(dialogSeen);

  const std::filesystem::path pdf = m_temp.path() / "baum.pdf";
  ASSERT_TRUE(std::filesystem::exists(pdf)) << "the chosen name gets .pdf";
  EXPECT_FALSE(std::filesystem::exists(chosen));
  const std::vector<std::string> texts = pageTexts(pdf);
  ASSERT_FALSE(texts.empty()) << "pdftotext (poppler-utils) read nothing";
  // The whole path, every character in order, on the first page; the rows
  // it was wrapped into have no blanks of their own to lose.
  EXPECT_NE(withoutWhitespace(texts[0]).find(printedPath()), std::string::npos) << texts[0];
  expectPagesKeepMarginsAndFooters(pdf, "Archiv 2019", m_temp.path());
}

TEST_F(PrintPdfTest, SearchResultsPrintoutKeepsMarginsAndFooters) {
  if (printerInstalled()) GTEST_SKIP() << "a printer is installed on this machine";
  TDiskIndexForm& form = start();
  auto prompts = std::make_unique<testing::FakeSearchPrompts>();
  testing::FakeSearchPrompts& search = *prompts;
  form.setSearchPrompts(std::move(prompts));
  search.searchScript = [](TDlgSearchCDs& dialog) {
    dialog.findChild<QComboBox*>(QStringLiteral("ComboBoxSearch"))->setEditText("*");
    dialog.findChild<QPushButton*>(QStringLiteral("ButtonMoveAllRight"))->click();
    return true;
  };
  QTest::keyClick(&form, Qt::Key_M, Qt::ControlModifier);
  TDlgSearchResults* results = form.searchResults();
  ASSERT_NE(results, nullptr);
  const std::filesystem::path pdf = m_temp.path() / "liste.PDF";
  search.pdfFiles.push_back(QString::fromStdString(pdf.string()));
  click(*results, "ButtonPrint");
  ASSERT_TRUE(std::filesystem::exists(pdf)) << "a name ending in .PDF is kept";
  const std::vector<std::string> texts = pageTexts(pdf);
  ASSERT_FALSE(texts.empty());
  // Each result line is volume, TAB, path: the long path arrives whole.
  EXPECT_NE(withoutWhitespace(texts[0]).find(printedPath()), std::string::npos) << texts[0];
  expectPagesKeepMarginsAndFooters(pdf, "Suchergebnisse", m_temp.path());
}

}  // namespace
}  // namespace diskindex::ui
