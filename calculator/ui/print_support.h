#pragma once
// Printing of the tape and the amortization schedule. A job goes to the
// printer the user picks in the print dialog, or, when no printer is
// installed, into a PDF file the user names. Pages are laid out as the
// calculator prints: a left margin, the first line five line heights from
// the top, a new page after every (page height in lines - 6) lines.

#include <QString>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "calculator/core/number_format.h"
#include "calculator/core/tape.h"

class QPrinter;
class QWidget;

namespace finova::ui {

class Prompts;

// Sets up `printer` for a job named `jobName`; false when the user cancels.
bool choosePrinter(QPrinter& printer, QWidget* parent, Prompts& prompts, const QString& jobName);
// Lines per page for a page of `pageLines` line heights.
int printLinesPerPage(int pageLines);

// The tape: numbers right-aligned at 20 character widths, mnemonics in blue
// from column 21, negatives in red; the left margin one character width.
bool printTape(QPrinter& printer, const std::deque<TapeLine>& lines, SeparatorStyle style);
// Plain lines in Courier-like type with a left margin of 8 character widths,
// laid out in pages by the caller: `paginate` gets the lines a page holds
// and returns the pages' lines.
using Paginate = std::function<std::vector<std::vector<std::string>>(int linesPerPage)>;
bool printPlainPages(QPrinter& printer, const Paginate& paginate);

}  // namespace finova::ui
