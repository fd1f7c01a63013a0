#include "diskindex/core/page_model.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "diskindex/core/export/table_export.h"

namespace diskindex::printing {
namespace {

constexpr std::string_view kHangingExtra = "    ";
constexpr std::string_view kEllipsis = "...";

// The line as it is printed: a TAB as four blanks, every other control
// character (a name may hold a bell or an escape sequence) as "?", so no
// name can move the printer's pen or vanish from the page.
std::string printableText(std::string_view line) {
  std::string text;
  text.reserve(line.size());
  for (const char c : line) {
    if (c == '\t') {
      text += "    ";
    } else {
      text += c;
    }
  }
  return exporting::exportName(text);
}

bool isContinuationByte(char c) {
  return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// Byte length of the longest prefix of text, ending between two characters,
// that is at most room wide; at least one character, so a row always takes
// something and wrapping ends.
std::size_t longestFit(std::string_view text, int room, const MeasureText& measure) {
  std::vector<std::size_t> ends;
  for (std::size_t i = 1; i <= text.size(); ++i) {
    if (i == text.size() || !isContinuationByte(text[i])) ends.push_back(i);
  }
  std::size_t low = 0;  // ends[low - 1] fits (low == 0: nothing known to fit)
  std::size_t high = ends.size();
  while (low < high) {
    const std::size_t mid = (low + high + 1) / 2;
    if (measure(text.substr(0, ends[mid - 1])) <= room) {
      low = mid;
    } else {
      high = mid - 1;
    }
  }
  return ends[std::max<std::size_t>(low, 1) - 1];
}

// Where a row that may hold at most fit bytes ends: after the last blank or
// path separator in its second half (so "E:\" never stands alone on a row
// before a name too long for any row), else where the row is full.
std::size_t breakAt(std::string_view text, std::size_t fit, std::size_t leading) {
  const std::size_t least = leading + (fit - std::min(fit, leading)) / 2;
  for (std::size_t i = fit; i > least; --i) {
    const char c = text[i - 1];
    if (c == ' ' || c == '\\' || c == '/') return i;
  }
  return fit;
}

std::string_view trimLeadingBlanks(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  return first == std::string_view::npos ? std::string_view() : text.substr(first);
}

std::string fitTitle(const std::string& title, int room, const MeasureText& measure) {
  if (measure(title) <= room) return title;
  const int ellipsis = measure(kEllipsis);
  if (room <= ellipsis) return std::string();
  return title.substr(0, longestFit(title, room - ellipsis, measure)) + std::string(kEllipsis);
}

}  // namespace

PageMargins marginsAt(int dotsPerInch) {
  auto units = [dotsPerInch](double mm) {
    return static_cast<int>(std::lround(mm * dotsPerInch / 25.4));
  };
  const int other = units(kOtherMarginsMm);
  return PageMargins{units(kLeftMarginMm), other, other, other};
}

std::vector<WrappedRow> wrapLine(std::string_view line, int textWidth, const MeasureText& measure) {
  const std::string text = printableText(line);
  const std::size_t leading = std::min(text.find_first_not_of(' '), text.size());
  if (textWidth <= 0 || leading == text.size() || measure(text) <= textWidth) {
    return {WrappedRow{0, text}};
  }
  const std::string indentText = text.substr(0, leading) + std::string(kHangingExtra);
  const int indent = std::min(measure(indentText), textWidth / 2);
  std::vector<WrappedRow> rows;
  std::string_view rest = text;
  int x = 0;
  std::size_t protectedBlanks = leading;  // the first row keeps its indentation
  while (!rest.empty()) {
    const int room = textWidth - x;
    if (measure(rest) <= room) {
      rows.push_back(WrappedRow{x, std::string(rest)});
      break;
    }
    const std::size_t end = breakAt(rest, longestFit(rest, room, measure), protectedBlanks);
    std::string_view row = rest.substr(0, end);
    while (row.size() > 1 && row.back() == ' ') row.remove_suffix(1);
    rows.push_back(WrappedRow{x, std::string(row)});
    rest = trimLeadingBlanks(rest.substr(end));
    x = indent;
    protectedBlanks = 0;
  }
  return rows;
}

std::string pageNumberText(std::size_t page, std::size_t pageCount) {
  return "Seite " + std::to_string(page) + " von " + std::to_string(pageCount);
}

PageLayout layoutPages(const std::vector<std::string>& lines, const std::string& title,
                       const PageSpec& spec, const MeasureText& measure) {
  PageLayout layout;
  if (lines.empty()) return layout;
  const PageMargins& m = spec.margins;
  const int lineHeight = std::max(1, spec.lineHeight);
  const int textWidth = spec.pageWidth - m.left - m.right;
  // The footer sits on the last line above the bottom margin, one empty
  // line below the text.
  const int footerY = spec.pageHeight - m.bottom - lineHeight;
  const int rowsPerPage = std::max(1, (footerY - lineHeight - m.top) / lineHeight);

  Page page;
  for (const std::string& line : lines) {
    for (WrappedRow& row : wrapLine(line, textWidth, measure)) {
      if (static_cast<int>(page.lines.size()) == rowsPerPage) {
        layout.pages.push_back(std::move(page));
        page = Page{};
      }
      const int y = m.top + static_cast<int>(page.lines.size()) * lineHeight;
      page.lines.push_back(PlacedLine{m.left + row.indent, y, std::move(row.text)});
    }
  }
  layout.pages.push_back(std::move(page));

  const std::size_t count = layout.pages.size();
  for (std::size_t i = 0; i < count; ++i) {
    Page& p = layout.pages[i];
    std::string number = pageNumberText(i + 1, count);
    const int numberWidth = measure(number);
    p.footerRight = PlacedLine{spec.pageWidth - m.right - numberWidth, footerY, std::move(number)};
    const int titleRoom = textWidth - numberWidth - measure(kHangingExtra);
    p.footerLeft =
        PlacedLine{m.left, footerY, fitTitle(exporting::exportName(title), titleRoom, measure)};
  }
  return layout;
}

std::string withPdfSuffix(const std::string& fileName) {
  if (fileName.empty()) return fileName;
  if (fileName.size() >= 4) {
    std::string tail = fileName.substr(fileName.size() - 4);
    std::transform(tail.begin(), tail.end(), tail.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (tail == ".pdf") return fileName;
  }
  return fileName + ".pdf";
}

}  // namespace diskindex::printing
