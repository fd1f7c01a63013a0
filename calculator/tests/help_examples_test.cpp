// The worked examples of the help pages, replayed on the engine: every key
// a page's example names (<kbd>, as printed on the keypad) is pressed in
// order, and every result it marks as the display (<code class="x">) must
// be what X shows at that point. A page that promises a wrong result, or
// names a key the keypad does not have, fails here.

#include <gtest/gtest.h>

#include <fstream>
#include <optional>
#include <regex>
#include <sstream>
#include <string>

#include "calculator/core/calc_engine.h"
#include "calculator/core/keypad_faces.h"
#include "calculator/core/keypad_grid.h"

namespace finova {
namespace {

std::string readPage(int topic) {
  std::ifstream in(std::string(FINOVA_HELP_DIR) + "/" + std::to_string(topic) + ".html",
                   std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// The key whose keypad face shows `text`.
std::optional<KeyCode> keyOfFace(const std::string& text) {
  for (int row = 0; row < kKeypadRows; ++row) {
    for (const KeypadCell& cell : kKeypadGrid[row]) {
      if (cell.control != 0 && keyFace(cell.code, row).text == text) return cell.code;
    }
  }
  return std::nullopt;
}

// Presses the keys of one <kbd>: a key face, or a number typed digit by
// digit. False when it is neither.
bool pressKbd(CalcEngine& engine, const std::string& kbd) {
  if (const auto code = keyOfFace(kbd)) {
    engine.PressKey(*code);
    return true;
  }
  if (kbd.empty() || kbd.find_first_not_of("0123456789.") != std::string::npos) return false;
  for (char c : kbd) engine.PressKey(c == '.' ? key::kPoint : c - '0');
  return true;
}

std::string withoutEntities(std::string text) {
  for (std::size_t at; (at = text.find("&nbsp;")) != std::string::npos;) {
    text.replace(at, 6, " ");
  }
  return text;
}

// Replays the example section of one page; returns how many results it
// checked.
int replayExample(int topic) {
  const std::string page = readPage(topic);
  const std::size_t start = page.find("<h2>Example");
  EXPECT_NE(start, std::string::npos) << topic << ": no example";
  if (start == std::string::npos) return 0;
  const std::string example = page.substr(start);
  static const std::regex item(R"(<kbd>([^<]*)</kbd>|<code class="x">([^<]*)</code>)");
  CalcEngine engine;
  int checked = 0;
  for (auto it = std::sregex_iterator(example.begin(), example.end(), item);
       it != std::sregex_iterator(); ++it) {
    const std::smatch& m = *it;
    if (m[1].matched) {
      EXPECT_TRUE(pressKbd(engine, m[1].str())) << topic << ": no key shows " << m[1].str();
      continue;
    }
    EXPECT_EQ(engine.xDisplayText(), withoutEntities(m[2].str())) << "help page " << topic;
    ++checked;
  }
  return checked;
}

TEST(HelpExamplesTest, EveryPagesWorkedExampleShowsWhatTheEngineShows) {
  for (int topic = kFirstHelpTopic; topic <= kLastHelpTopic; ++topic) {
    EXPECT_GT(replayExample(topic), 0) << "help page " << topic << " checks no result";
  }
}

}  // namespace
}  // namespace finova
