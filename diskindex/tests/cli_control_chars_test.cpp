// Names holding control characters (a line break, an escape sequence, a
// bell, a TAB) as diskindx-cli prints and exports them: every control
// character shows as "?", in every command and format, written to the
// terminal or to a file, replaced or appended; the catalogue keeps the names
// as they are.

#include <gtest/gtest.h>

#include <sstream>

#include "diskindex/cli/commands.h"
#include "diskindex/core/volume_file.h"
#include "diskindex/tests/cli_run.h"
#include "diskindex/tests/test_files.h"

namespace diskindex {
namespace {

namespace fs = std::filesystem;
using test::CliRun;

const std::string kBrokenLine = "zeile\neins.TXT";
const std::string kEscape = "rot\x1b[31mROT";
const std::string kBell = "glocke\a.TXT";

// A control character other than the line ends and TABs the formats use
// themselves; and a line that a name's line break began.
::testing::AssertionResult clean(const std::string& what, const std::string& text) {
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if ((byte < 0x20 && c != '\n' && c != '\r' && c != '\t') || byte == 0x7f) {
      return ::testing::AssertionFailure() << what << " holds control byte " << int(byte);
    }
  }
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) {
    if (line.rfind("eins.TXT", 0) == 0) {
      return ::testing::AssertionFailure() << what << ": a name forged a line";
    }
  }
  return ::testing::AssertionSuccess();
}

class CliControlCharsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // Two volumes with the same files, so that the duplicates list them.
    for (const char* name : {"Band\tEins", "Band Zwei"}) {
      VolumeHeader header = test::sampleHeader(name);
      header.label =
          "ETI\x1b"
          "KETT";
      header.category = "Kat\aegorie";
      const std::vector<EntryRecord> entries{test::file(1, kBrokenLine, 300), test::dir(1, kEscape),
                                             test::file(2, kBell, 400)};
      const std::string file = name[5] == 'E' ? "CD000001.DAT" : "CD000002.DAT";
      ASSERT_EQ(createVolume(m_tmp / file, header, entries), ResultCode::Ok);
    }
  }
  CliRun run(std::vector<std::string> args) { return test::runCliIn(m_tmp.path(), std::move(args)); }
  std::string fileText(const fs::path& path) {
    const std::vector<std::uint8_t> bytes = test::readAll(path);
    return std::string(bytes.begin(), bytes.end());
  }

  test::TempDir m_tmp;
};

TEST_F(CliControlCharsTest, EveryCommandAndFormatShowsControlCharactersAsQuestionMarks) {
  const std::vector<std::vector<std::string>> commands = {
      {"list"},
      {"tree", "Band\tEins"},
      {"tree", "Band Zwei"},
      {"search", "glocke*"},
      {"search", "rot*", "--dirs"},
      {"search", "zeile*", "--format", "csv"},
      {"search", "zeile*", "--format", "html"},
      {"search", "glocke*", "--format", "json"},
      {"duplicates"},
      {"duplicates", "--format", "csv"},
      {"duplicates", "--format", "json"},
      {"export", "info", "--fields", "0,1,2,3,4,5,6,7,8,9,10,11", "--to", "-"},
      {"export", "info", "--fields", "4,7,11", "--format", "csv", "--to", "-"},
      {"export", "info", "--fields", "4,7,11", "--format", "html", "--to", "-"},
      {"export", "info", "--fields", "4,7,11", "--format", "json", "--to", "-"},
      {"export", "tree", "Band Zwei", "--to", "-"},
      {"export", "tree", "Band Zwei", "--paths", "--to", "-"},
      {"export", "tree", "Band Zwei", "--format", "csv", "--to", "-"},
      {"export", "tree", "Band Zwei", "--format", "html", "--to", "-"},
      {"export", "tree", "Band Zwei", "--format", "json", "--to", "-"},
  };
  for (const std::vector<std::string>& command : commands) {
    std::string line;
    for (const std::string& word : command) line += word + " ";
    const CliRun result = run(command);
    EXPECT_EQ(result.status, 0) << line << result.err;
    EXPECT_TRUE(clean(line + "(out)", result.out));
    EXPECT_TRUE(clean(line + "(err)", result.err));
    // The names are there, shown (the window's display case, lower case).
    const bool named = result.out.find("zeile?eins") != std::string::npos ||
                       result.out.find("glocke?") != std::string::npos ||
                       result.out.find("rot?[31m") != std::string::npos;
    if (command[0] != "list" && command[1] != "info") {
      EXPECT_TRUE(named) << line << "shows no name:\n" << result.out << result.err;
    } else {
      EXPECT_NE(result.out.find("Band?Eins"), std::string::npos) << line << result.out;
    }
  }
  // Written to a file, then appended to it in both tree forms.
  const fs::path target = m_tmp / "baum.txt";
  for (const std::vector<std::string>& more :
       {std::vector<std::string>{}, {"--append"}, {"--paths", "--append"}}) {
    std::vector<std::string> args{"export", "tree", "Band Zwei", "--to", target.string()};
    args.insert(args.end(), more.begin(), more.end());
    ASSERT_EQ(run(args).status, 0);
  }
  const std::string written = fileText(target);
  EXPECT_TRUE(clean("the appended tree file", written));
  EXPECT_NE(written.find("\tzeile?eins.txt\r\n"), std::string::npos);
  EXPECT_NE(written.find("E:\\rot?[31mrot\\glocke?.txt\r\n"), std::string::npos);

  // The catalogue keeps the names as they were read.
  TOutlineDirList tree;
  VolumeHeader header;
  ASSERT_EQ(loadStoredNames(m_tmp / "CD000002.DAT", tree, header), ResultCode::Ok);
  EXPECT_EQ(tree.name(tree.files(0)[0]), kBrokenLine);
}

}  // namespace
}  // namespace diskindex
