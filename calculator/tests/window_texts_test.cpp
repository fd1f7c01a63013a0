#include "calculator/core/window_texts.h"

#include <gtest/gtest.h>

#include <vector>

namespace finova {
namespace {

std::string mainCaption(std::string_view name) {
  return captionWithName(kMainCaption, name, kMainCaptionNameLimit);
}

TEST(WindowTextsTest, CaptionShowsTheFileNameAfterADash) {
  EXPECT_EQ(mainCaption(""), "Finova 4.0");
  EXPECT_EQ(mainCaption("RENT.PGM"), "Finova 4.0 - RENT.PGM");
  EXPECT_EQ(captionWithName(kTapeCaption, "", kTapeCaptionNameLimit), "FinovaTape");
  EXPECT_EQ(captionWithName(kTapeCaption, "paper.tpf", kTapeCaptionNameLimit),
            "FinovaTape - paper.tpf");
}

TEST(WindowTextsTest, ANameOverTheLimitShowsDotsAndItsLastCharacters) {
  const std::string exactly21 = "abcdefghijklmnopq.pgm";
  ASSERT_EQ(exactly21.size(), 21u);
  EXPECT_EQ(mainCaption(exactly21), "Finova 4.0 - " + exactly21) << "21 characters fit";
  EXPECT_EQ(mainCaption("x" + exactly21), "Finova 4.0 - ..." + exactly21);
  EXPECT_EQ(mainCaption("a_long_program_name_here.pgm"), "Finova 4.0 - ...program_name_here.pgm");
  // The tape window's limit is its own: 16.
  EXPECT_EQ(captionWithName(kTapeCaption, "monthly_budget.tpf", kTapeCaptionNameLimit),
            "FinovaTape - ...nthly_budget.tpf");
  EXPECT_EQ(captionWithName(kTapeCaption, "0123456789ab.tpf", kTapeCaptionNameLimit),
            "FinovaTape - 0123456789ab.tpf");
}

TEST(WindowTextsTest, TheLimitCountsCharactersNotBytes) {
  // 21 characters, five of them two bytes long in UTF-8.
  const std::string umlauts = "\xC3\xA4\xC3\xB6\xC3\xBC\xC3\x9F\xC3\xA9_0123456789a.pgm";
  EXPECT_EQ(mainCaption(umlauts), "Finova 4.0 - " + umlauts);
  // One more in front: the dots, and no character cut in half.
  EXPECT_EQ(mainCaption("\xE2\x82\xAC" + umlauts), "Finova 4.0 - ..." + umlauts);
  EXPECT_EQ(mainCaption("z" + umlauts), "Finova 4.0 - ..." + umlauts);
}

TEST(WindowTextsTest, ClipboardGetsTheNumberOfXInEnglishFormAndABlank) {
  EXPECT_EQ(clipboardTextOfX("1,234.50", SeparatorStyle::English), "1234.50 ");
  EXPECT_EQ(clipboardTextOfX("1.234.567,50", SeparatorStyle::European), "1234567,50 ");
  EXPECT_EQ(clipboardTextOfX("-0.25", SeparatorStyle::English), "-0.25 ");
  EXPECT_EQ(clipboardTextOfX("12.", SeparatorStyle::English), "12. ");
  EXPECT_EQ(clipboardTextOfX("1.23456789012E+11", SeparatorStyle::English), "1.23456789012E+11 ");
  EXPECT_EQ(clipboardTextOfX("-1,00000000E-20", SeparatorStyle::European), "-1,00000000E-20 ");
  EXPECT_EQ(clipboardTextOfX("Error0", SeparatorStyle::English), "0 ") << "only the digits";
}

TEST(WindowTextsTest, PasteTypesDigitsAndPointAndChangesTheSignOnceAtTheEnd) {
  using V = std::vector<KeyCode>;
  EXPECT_EQ(pasteKeys("12.5"), (V{1, 2, key::kPoint, 5}));
  EXPECT_EQ(pasteKeys("-2,5x7"), (V{2, 5, 7, key::kChs}));
  EXPECT_EQ(pasteKeys("--3-"), (V{3, key::kChs})) << "one CHS however many dashes";
  EXPECT_EQ(pasteKeys(""), V{});
  EXPECT_EQ(pasteKeys("abc"), V{});
}

TEST(WindowTextsTest, PasteOfAnExponentEntersItAfterEex) {
  using V = std::vector<KeyCode>;
  EXPECT_EQ(pasteKeys("1.5E+11 "), (V{1, key::kPoint, 5, key::kEex, 1, 1}));
  EXPECT_EQ(pasteKeys("2e-3"), (V{2, key::kEex, 3, key::kChs}));
  // The mantissa's sign before EEX, the exponent's after its digits.
  EXPECT_EQ(pasteKeys("-4E-05"), (V{4, key::kChs, key::kEex, 0, 5, key::kChs}));
  // What Copy puts on the clipboard pastes back into the same keys.
  EXPECT_EQ(pasteKeys(clipboardTextOfX("-1,00E-20", SeparatorStyle::European),
                      SeparatorStyle::European),
            (V{1, key::kPoint, 0, 0, key::kChs, key::kEex, 2, 0, key::kChs}));
}

TEST(WindowTextsTest, EuropeanPasteReadsTheCommaAsThePointAndSkipsGrouping) {
  using V = std::vector<KeyCode>;
  EXPECT_EQ(pasteKeys("1.234.567,89", SeparatorStyle::European),
            (V{1, 2, 3, 4, 5, 6, 7, key::kPoint, 8, 9}));
  EXPECT_EQ(pasteKeys("1,234,567.89", SeparatorStyle::English),
            (V{1, 2, 3, 4, 5, 6, 7, key::kPoint, 8, 9}));
}

TEST(WindowTextsTest, TapeLinesLookRedWhenNegativeAndKeepAnnotationsAsTyped) {
  const TapeLineLook entry = tapeLineLook({"1,234.50", "+"}, SeparatorStyle::European);
  EXPECT_EQ(entry.number, "1.234,50");
  EXPECT_EQ(entry.mnemonic, "+");
  EXPECT_FALSE(entry.negative);
  EXPECT_TRUE(tapeLineLook({"-3.00", "###"}, SeparatorStyle::English).negative);
  EXPECT_TRUE(tapeLineLook({"", "-"}, SeparatorStyle::English).negative) << "the minus key";
  EXPECT_FALSE(tapeLineLook({"3.00", "ENTER"}, SeparatorStyle::English).negative);
  const TapeLineLook note = tapeLineLook({"[1.5, 2.5]", ""}, SeparatorStyle::European);
  EXPECT_EQ(note.number, "[1.5, 2.5]") << "annotations are not numbers";
  EXPECT_FALSE(note.negative);
  EXPECT_FALSE(tapeLineLook({"", ""}, SeparatorStyle::English).negative);
}

TEST(WindowTextsTest, DefaultExtensionOnlyWhenTheFileNameHasNone) {
  EXPECT_EQ(withDefaultExtension("/tmp/rent", ".pgm"), "/tmp/rent.pgm");
  EXPECT_EQ(withDefaultExtension("/tmp/rent.txt", ".pgm"), "/tmp/rent.txt");
  EXPECT_EQ(withDefaultExtension("/tmp/v1.2/rent", ".pgm"), "/tmp/v1.2/rent.pgm")
      << "a dot in a folder name is no extension";
  EXPECT_EQ(withDefaultExtension("plan", ".tpf"), "plan.tpf");
}

}  // namespace
}  // namespace finova
