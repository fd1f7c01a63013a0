#include "cli_manual.h"

#include <algorithm>
#include <cctype>

namespace climanual {
namespace {

struct Titles {
  std::string_view usage, name, synopsis, description, commands, options, exitStatus, examples,
      files;
  // The help text's headings, in sentence case.
  std::string_view helpCommands, helpOptions, helpExitStatus;
};

const Titles& titles(Language language) {
  static const Titles english{"Usage:",   "NAME",      "SYNOPSIS",    "DESCRIPTION",
                              "COMMANDS", "OPTIONS",   "EXIT STATUS", "EXAMPLES",
                              "FILES",    "Commands:", "Options:",    "Exit status:"};
  static const Titles german{"Aufruf:", "NAME",     "ÜBERSICHT",    "BESCHREIBUNG",
                             "BEFEHLE", "OPTIONEN", "RÜCKGABEWERT", "BEISPIELE",
                             "DATEIEN", "Befehle:", "Optionen:",    "Rückgabewert:"};
  return language == Language::German ? german : english;
}

constexpr std::size_t kHelpWidth = 79;

// Appends text word by word, starting new lines indented by indent columns
// once a line would pass the help width. Columns count bytes, which is close
// enough for the few umlauts of the German texts. A blank inside brackets
// does not separate words, so "[--sep C]" never breaks apart.
void appendWrapped(std::string& out, std::string_view text, std::size_t column,
                   std::size_t indent) {
  std::size_t start = 0;
  bool first = true;
  while (start < text.size()) {
    std::size_t end = start;
    int depth = 0;
    while (end < text.size() && (text[end] != ' ' || depth > 0)) {
      if (text[end] == '[') ++depth;
      if (text[end] == ']' && depth > 0) --depth;
      ++end;
    }
    const std::string_view word = text.substr(start, end - start);
    if (!first && column + 1 + word.size() > kHelpWidth) {
      out += '\n';
      out.append(indent, ' ');
      column = indent;
    } else if (!first) {
      out += ' ';
      ++column;
    }
    out += word;
    column += word.size();
    first = false;
    start = end + 1;
  }
}

// Term column width of the help text: the longest term plus two, at most 28
// so a long term wraps its text onto the next line instead of pushing all.
std::size_t termWidth(const std::vector<Entry>& entries) {
  std::size_t width = 0;
  for (const Entry& e : entries) width = std::max(width, e.term.size());
  return std::min<std::size_t>(width + 2, 28);
}

void appendEntries(std::string& out, std::string_view title, const std::vector<Entry>& entries) {
  if (entries.empty()) return;
  out += '\n';
  out += title;
  out += '\n';
  const std::size_t width = termWidth(entries);
  for (const Entry& e : entries) {
    out += "  ";
    out += e.term;
    if (e.term.size() + 2 > width) {
      out += '\n';
      out.append(width + 2, ' ');
    } else {
      out.append(width - e.term.size(), ' ');
    }
    appendWrapped(out, e.text, width + 2, width + 2);
    out += '\n';
  }
}

std::string upper(std::string_view text) {
  std::string result(text);
  for (char& c : result) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return result;
}

void appendSection(std::string& out, std::string_view title) {
  out += ".SH \"";
  out += roffEscape(title);
  out += "\"\n";
}

void appendTagged(std::string& out, std::string_view title, const std::vector<Entry>& entries) {
  if (entries.empty()) return;
  appendSection(out, title);
  for (const Entry& e : entries) {
    out += ".TP\n.B " + roffEscape(e.term) + "\n" + roffEscape(e.text) + "\n";
  }
}

void appendParagraphs(std::string& out, const std::vector<std::string_view>& paragraphs) {
  for (std::size_t k = 0; k < paragraphs.size(); ++k) {
    if (k > 0) out += ".PP\n";
    out += roffEscape(paragraphs[k]);
    out += '\n';
  }
}

}  // namespace

std::string roffEscape(std::string_view text) {
  std::string out;
  bool lineStart = true;
  for (char c : text) {
    if (lineStart && (c == '.' || c == '\'')) out += "\\&";
    if (c == '\\') {
      out += "\\e";
    } else if (c == '-') {
      out += "\\-";
    } else {
      out += c;
    }
    lineStart = c == '\n';
  }
  return out;
}

std::string usageText(const Manual& manual) {
  const Titles& t = titles(manual.language);
  std::string out;
  // Continuation lines of a long form start under its first argument.
  const std::size_t indent = t.usage.size() + 1 + manual.name.size() + 1;
  for (std::size_t k = 0; k < manual.synopsis.size(); ++k) {
    out += k == 0 ? std::string(t.usage) : std::string(t.usage.size(), ' ');
    out += ' ';
    out += manual.name;
    if (!manual.synopsis[k].empty()) {
      out += ' ';
      appendWrapped(out, manual.synopsis[k], indent, indent);
    }
    out += '\n';
  }
  return out;
}

std::string helpText(const Manual& manual) {
  const Titles& t = titles(manual.language);
  std::string out = usageText(manual);
  out += '\n';
  appendWrapped(out, manual.summary, 0, 0);
  out += '\n';
  appendEntries(out, t.helpCommands, manual.commands);
  appendEntries(out, t.helpOptions, manual.options);
  appendEntries(out, t.helpExitStatus, manual.exitStatus);
  return out;
}

std::string_view suiteVersion() {
  return SUITE_VERSION;
}

std::string manPage(const Manual& manual) {
  const std::string version = "ClassicSuite " + std::string(suiteVersion());
  const Titles& t = titles(manual.language);
  std::string out = ".TH \"" + roffEscape(upper(manual.name)) + "\" 1 \"\" \"" +
                    roffEscape(version) + "\" \"" + roffEscape(manual.name) + "\"\n";
  // Left-aligned without hyphenation: option names must not be split.
  out += ".ad l\n.nh\n";
  appendSection(out, t.name);
  out += roffEscape(manual.name) + " \\- " + roffEscape(manual.summary) + "\n";
  appendSection(out, t.synopsis);
  for (std::string_view form : manual.synopsis) {
    out += ".B " + roffEscape(manual.name) + "\n" + roffEscape(form) + "\n.br\n";
  }
  appendSection(out, t.description);
  appendParagraphs(out, manual.description);
  appendTagged(out, t.commands, manual.commands);
  appendTagged(out, t.options, manual.options);
  appendTagged(out, t.exitStatus, manual.exitStatus);
  if (!manual.examples.empty()) {
    appendSection(out, t.examples);
    for (const Example& e : manual.examples) {
      out += ".PP\n" + roffEscape(e.text) + "\n.PP\n.RS\n.nf\n" + roffEscape(e.command) +
             "\n.fi\n.RE\n";
    }
  }
  if (!manual.files.empty()) {
    appendSection(out, t.files);
    appendParagraphs(out, manual.files);
  }
  return out;
}

}  // namespace climanual
