#include "diskindex/core/page_model.h"

#include <gtest/gtest.h>

#include <string>

namespace diskindex::printing {
namespace {

// One device unit per character (UTF-8 sequences count once).
int characters(std::string_view text) {
  int count = 0;
  for (const char c : text) count += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
  return count;
}

const MeasureText kMeasure = characters;

PageSpec smallPage() {
  PageSpec spec;
  spec.pageWidth = 100;
  spec.pageHeight = 30;
  spec.margins = PageMargins{12, 3, 8, 2};
  spec.lineHeight = 1;
  return spec;
}

std::string joined(const std::vector<WrappedRow>& rows) {
  std::string all;
  for (const WrappedRow& row : rows) all += row.text;
  return all;
}

TEST(PageModel, ALongLineWrapsWithAHangingIndentAndLosesNoCharacter) {
  std::string line;
  for (int i = 0; i < 300; ++i) line += static_cast<char>('a' + i % 26);
  const std::vector<WrappedRow> rows = wrapLine(line, 80, kMeasure);
  ASSERT_EQ(rows.size(), 4u);  // 80 + 76 + 76 + 68
  EXPECT_EQ(rows[0].indent, 0);
  for (std::size_t i = 1; i < rows.size(); ++i) EXPECT_EQ(rows[i].indent, 4);
  for (const WrappedRow& row : rows) EXPECT_LE(row.indent + characters(row.text), 80);
  EXPECT_EQ(joined(rows), line);
}

TEST(PageModel, WrappingBreaksAfterPathSeparatorsAndBlanksAndKeepsTreeIndentation) {
  const std::string path = "E:\\Programme\\Werkzeuge\\Sammlung\\Unterordner\\eine_datei.txt";
  const std::vector<WrappedRow> rows = wrapLine(path, 30, kMeasure);
  ASSERT_GE(rows.size(), 2u);
  EXPECT_EQ(rows[0].text, "E:\\Programme\\Werkzeuge\\");
  EXPECT_EQ(joined(rows), path);

  const std::string tree = "    |   +-- Ein sehr langer Ordnername mit Leerzeichen darin";
  const std::vector<WrappedRow> treeRows = wrapLine(tree, 40, kMeasure);
  ASSERT_GE(treeRows.size(), 2u);
  EXPECT_EQ(treeRows[0].text.substr(0, 4), "    ");  // the first row keeps its indentation
  EXPECT_EQ(treeRows[1].indent, 8);                  // four leading blanks and four more
  EXPECT_NE(treeRows[1].text.front(), ' ');
}

TEST(PageModel, ASeparatorEarlyInTheRowDoesNotLeaveTheRowNearlyEmpty) {
  const std::string path = "E:\\" + std::string(100, 'n');
  const std::vector<WrappedRow> rows = wrapLine(path, 30, kMeasure);
  ASSERT_EQ(rows.size(), 4u);  // 30 + 26 + 26 + 21
  EXPECT_EQ(rows[0].text, "E:\\" + std::string(27, 'n'));
  EXPECT_EQ(joined(rows), path);
}

TEST(PageModel, WrappingNeverSplitsAMultiByteCharacter) {
  std::string line;
  for (int i = 0; i < 50; ++i) line += "ä";
  const std::vector<WrappedRow> rows = wrapLine(line, 17, kMeasure);
  ASSERT_GT(rows.size(), 2u);
  EXPECT_EQ(characters(rows[0].text), 17);
  for (const WrappedRow& row : rows) EXPECT_EQ(row.text.size() % 2, 0u);
  EXPECT_EQ(joined(rows), line);
}

TEST(PageModel, EveryLineStaysWithinTheMarginsOnEveryPage) {
  std::vector<std::string> lines;
  for (int i = 0; i < 60; ++i) lines.push_back(std::string(static_cast<std::size_t>(i * 5), 'x'));
  const PageSpec spec = smallPage();
  const PageLayout layout = layoutPages(lines, "Archiv", spec, kMeasure);
  ASSERT_GT(layout.pages.size(), 1u);
  for (const Page& page : layout.pages) {
    ASSERT_FALSE(page.lines.empty());
    for (const PlacedLine& line : page.lines) {
      EXPECT_GE(line.x, spec.margins.left);
      EXPECT_LE(line.x + characters(line.text), spec.pageWidth - spec.margins.right);
      EXPECT_GE(line.y, spec.margins.top);
      EXPECT_LT(line.y + spec.lineHeight, page.footerLeft.y);  // an empty line above the footer
    }
    EXPECT_LE(page.footerRight.y + spec.lineHeight, spec.pageHeight - spec.margins.bottom);
    EXPECT_EQ(page.footerRight.x + characters(page.footerRight.text),
              spec.pageWidth - spec.margins.right);
  }
  std::size_t total = 0;
  for (const Page& page : layout.pages) total += page.lines.size();
  std::size_t expected = 0;
  for (const std::string& line : lines) expected += wrapLine(line, 80, kMeasure).size();
  EXPECT_EQ(total, expected);
}

TEST(PageModel, ALineWrappedAcrossAPageBreakGoesOnWithItsIndentOnTheNextPage) {
  // 22 short lines, then 300 characters: the first row fills the page's
  // last line (23 a page), the continuation rows open the next page.
  std::vector<std::string> lines(22, "Zeile");
  std::string path = "E:";
  while (path.size() < 300) path += "\\Ordner" + std::to_string(path.size());
  lines.push_back(path);
  const PageSpec spec = smallPage();
  const PageLayout layout = layoutPages(lines, "Archiv", spec, kMeasure);
  ASSERT_EQ(layout.pages.size(), 2u);
  EXPECT_EQ(layout.pages[0].lines.back().x, spec.margins.left);
  std::string printed = layout.pages[0].lines.back().text;
  for (const PlacedLine& row : layout.pages[1].lines) {
    EXPECT_EQ(row.x, spec.margins.left + 4) << row.text;
    EXPECT_EQ(row.y - spec.margins.top, static_cast<int>(&row - layout.pages[1].lines.data()));
    printed += row.text;
  }
  EXPECT_EQ(printed, path);
  EXPECT_EQ(layout.pages[1].footerRight.text, "Seite 2 von 2");
}

TEST(PageModel, EachPageFooterNamesTheDocumentAndCountsThePages) {
  const std::vector<std::string> lines(50, "Zeile");
  const PageLayout layout = layoutPages(lines, "URLAUB_2019", smallPage(), kMeasure);
  ASSERT_EQ(layout.pages.size(), 3u);  // 23 lines a page: rows 3..25, footer on 27
  EXPECT_EQ(layout.pages[0].lines.size(), 23u);
  EXPECT_EQ(layout.pages[0].footerLeft.text, "URLAUB_2019");
  EXPECT_EQ(layout.pages[0].footerRight.text, "Seite 1 von 3");
  EXPECT_EQ(layout.pages[2].footerRight.text, "Seite 3 von 3");
  EXPECT_EQ(layout.pages[2].lines.size(), 4u);
  EXPECT_EQ(pageNumberText(12, 166), "Seite 12 von 166");
  EXPECT_TRUE(layoutPages({}, "leer", smallPage(), kMeasure).pages.empty());
}

TEST(PageModel, ATitleTooLongForTheFooterIsShortenedBesideThePageNumber) {
  const PageLayout layout = layoutPages({"a"}, std::string(200, 'T'), smallPage(), kMeasure);
  ASSERT_EQ(layout.pages.size(), 1u);
  const Page& page = layout.pages[0];
  EXPECT_EQ(page.footerLeft.text.substr(page.footerLeft.text.size() - 3), "...");
  EXPECT_LT(page.footerLeft.x + characters(page.footerLeft.text), page.footerRight.x);
}

TEST(PageModel, ControlCharactersInNamesPrintAsQuestionMarksAndTabsAsBlanks) {
  // A bell, an escape sequence, DEL and a C1 control (U+0085) in a name; the
  // umlaut stays.
  const std::string name = "Bild\a01\x1b[2J\x7f\xc2\x85\xc3\xa4.jpg";
  const PageLayout layout = layoutPages({"\t" + name}, "CD\x1bX", smallPage(), kMeasure);
  ASSERT_EQ(layout.pages.size(), 1u);
  ASSERT_EQ(layout.pages[0].lines.size(), 1u);
  EXPECT_EQ(layout.pages[0].lines[0].text, "    Bild?01?[2J??\xc3\xa4.jpg");
  EXPECT_EQ(layout.pages[0].footerLeft.text, "CD?X");
  const std::vector<WrappedRow> rows = wrapLine(std::string(40, '\x01'), 30, kMeasure);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(joined(rows), std::string(40, '?'));
}

TEST(PageModel, MarginsAreTwentyMillimetresLeftAndFifteenElsewhere) {
  const PageMargins at300 = marginsAt(300);
  EXPECT_EQ(at300.left, 236);  // 20 mm at 300 dpi
  EXPECT_EQ(at300.top, 177);
  EXPECT_EQ(at300.right, 177);
  EXPECT_EQ(at300.bottom, 177);
}

TEST(PageModel, APdfFileNameWithoutTheSuffixGetsIt) {
  EXPECT_EQ(withPdfSuffix("/tmp/baum"), "/tmp/baum.pdf");
  EXPECT_EQ(withPdfSuffix("/tmp/baum.PDF"), "/tmp/baum.PDF");
  EXPECT_EQ(withPdfSuffix("/tmp/baum.pdf"), "/tmp/baum.pdf");
  EXPECT_EQ(withPdfSuffix("/tmp/baum.txt"), "/tmp/baum.txt.pdf");
}

}  // namespace
}  // namespace diskindex::printing
