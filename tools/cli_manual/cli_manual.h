#pragma once
// One description of a command-line companion, written once and printed two
// ways: as the program's --help text and as its manual page (roff, section 1).
// Because both come from the same table, the page and the help cannot drift.
// It knows nothing about parsing: each program still reads its own options;
// the table only describes them. Texts are UTF-8; a German program gets German
// section titles.

#include <string>
#include <string_view>
#include <vector>

namespace climanual {

enum class Language { English, German };

struct Entry {
  std::string_view term;  // "--data DIR", "list", "2"
  std::string_view text;  // one paragraph
};

struct Example {
  std::string_view command;
  std::string_view text;
};

struct Manual {
  std::string_view name;     // "finova-cli"
  std::string_view summary;  // one line, for the NAME section and the help's first line
  Language language = Language::English;
  std::vector<std::string_view> synopsis;     // arguments after the name, one usage form each
  std::vector<std::string_view> description;  // paragraphs
  std::vector<Entry> commands;                // empty for a program without sub-commands
  std::vector<Entry> options;
  std::vector<Entry> exitStatus;
  std::vector<Example> examples;
  std::vector<std::string_view> files;  // paragraphs about the files it reads and writes
};

// The --help text: usage lines, the summary, commands, options, exit status.
std::string helpText(const Manual& manual);

// Only the usage lines of the help text, for a usage error.
std::string usageText(const Manual& manual);

// The manual page, the suite's version in its footer.
std::string manPage(const Manual& manual);

// The suite's version as the build names it ("1.0.0").
std::string_view suiteVersion();

// roff-safe text: backslashes escaped, hyphens as \-, a leading dot or quote
// guarded, so no name in the table can become a roff request.
std::string roffEscape(std::string_view text);

}  // namespace climanual
