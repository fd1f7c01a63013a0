#pragma once
// PageModel lays printed lines out on pages: it keeps the margins, wraps a
// line too long for the text width with a hanging indent (it never cuts
// one), splits the lines into pages and writes each page's footer (the
// document's name and "Seite n von m"). Everything is in the printer's
// device units, measured by a function the caller passes in, so the model
// knows nothing of fonts or painters and a thin painter only draws what it
// says. It does not choose fonts or printers.
//
// Worked example with one unit per character, a page 40 wide, margins of 5
// left and 5 right (text width 30): a line of 70 letters without blanks
// becomes one line of 30 and two continuation lines of 26 and 14 starting
// 4 units further in.

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace diskindex::printing {

// Width of a UTF-8 text in device units; must grow with the text.
using MeasureText = std::function<int(std::string_view)>;

struct PageMargins {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

// Margins of every printout in millimetres: room to punch on the left.
inline constexpr double kLeftMarginMm = 20.0;
inline constexpr double kOtherMarginsMm = 15.0;

// The margins above in device units at a resolution in dots per inch.
PageMargins marginsAt(int dotsPerInch);

struct PageSpec {
  int pageWidth = 0;  // the whole paper, device units
  int pageHeight = 0;
  PageMargins margins;
  int lineHeight = 1;  // distance from one line to the next
};

struct PlacedLine {
  int x = 0;  // left edge of the text
  int y = 0;  // top of the line
  std::string text;
};

struct Page {
  std::vector<PlacedLine> lines;
  PlacedLine footerLeft;   // the document's name
  PlacedLine footerRight;  // "Seite n von m", x is its left edge
};

struct PageLayout {
  std::vector<Page> pages;
};

// Lays out lines (UTF-8; a TAB prints as four blanks, any other control
// character as "?") for a document named title. No lines give no pages.
PageLayout layoutPages(const std::vector<std::string>& lines, const std::string& title,
                       const PageSpec& spec, const MeasureText& measure);

// Splits one line into the pieces printed on successive rows within
// textWidth: the first at the left margin, the others indented by the
// line's leading blanks plus four blanks (at most half the text width).
// Breaks after the last blank, "\" or "/" that fits in the row's second
// half, else between characters.
struct WrappedRow {
  int indent = 0;
  std::string text;
};
std::vector<WrappedRow> wrapLine(std::string_view line, int textWidth, const MeasureText& measure);

// "Seite 3 von 12".
std::string pageNumberText(std::size_t page, std::size_t pageCount);

// A PDF file name chosen without the suffix gets ".pdf"; one ending in
// ".pdf" in any letter case is kept.
std::string withPdfSuffix(const std::string& fileName);

}  // namespace diskindex::printing
