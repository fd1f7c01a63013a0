#include "diskindex/core/scan/description_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace diskindex::scan {
namespace {

std::vector<std::string> splitInChunks(std::string_view text, std::size_t chunkSize) {
  std::vector<std::string> lines;
  const auto collect = [&lines](std::string_view line) { lines.emplace_back(line); };
  ListLineSplitter splitter;
  for (std::size_t i = 0; i < text.size(); i += chunkSize) {
    splitter.feed(text.substr(i, chunkSize), collect);
  }
  splitter.finish(collect);
  return lines;
}

TEST(ListLineSplitter, EndsLinesAtCrLfOrCrLfEvenAcrossChunks) {
  const std::string text = "one\r\ntwo\nthree\rfour\r\n\r\nlast";
  const std::vector<std::string> expected = {"one", "two", "three", "four", "", "last"};
  for (std::size_t chunk : {1u, 2u, 3u, 1000u}) {
    EXPECT_EQ(splitInChunks(text, chunk), expected) << "chunk size " << chunk;
  }
}

TEST(ListLineSplitter, KeepsOnlyTheFirst500BytesOfAnyLine) {
  const std::string longLine(100000, 'x');
  const auto lines = splitInChunks(longLine + "\nnext", 4096);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], std::string(500, 'x'));
  EXPECT_EQ(lines[1], "next");
}

TEST(ParseListLine, SplitsNameAndDescriptionAtBlanks) {
  const auto line = parseListLine("   README.TXT  Hinweise zum Paket");
  ASSERT_TRUE(line);
  EXPECT_EQ(line->name, "README.TXT");
  EXPECT_EQ(line->description, "Hinweise zum Paket");
}

TEST(ParseListLine, IgnoresLinesWithoutBlankSeparatedDescription) {
  EXPECT_FALSE(parseListLine("README.TXT\tHinweise"));
  EXPECT_FALSE(parseListLine("README.TXT"));
  EXPECT_FALSE(parseListLine("README.TXT    "));
  EXPECT_FALSE(parseListLine("     "));
  EXPECT_FALSE(parseListLine(""));
  const auto tabbed = parseListLine("A.TXT \tx");
  ASSERT_TRUE(tabbed);
  EXPECT_EQ(tabbed->description, "\tx");
}

TEST(ApplyQuotedTitle, PutsAQuotedTitleOnItsOwnLine) {
  EXPECT_EQ(applyQuotedTitle("\"Das Spiel\"  Ein Abenteuer"), "\"Das Spiel\"\r\nEin Abenteuer");
  EXPECT_EQ(applyQuotedTitle("\"Titel\". Rest"), "\"Titel\"\r\nRest");
  EXPECT_EQ(applyQuotedTitle("\"Titel\";\tRest"), "\"Titel\"\r\nRest");
  EXPECT_EQ(applyQuotedTitle("\"Titel\",:"), "\"Titel\"\r\n");
}

TEST(ApplyQuotedTitle, LeavesOtherDescriptionsAlone) {
  for (const char* text : {"\"Titel\" Rest", "\"Titel\"x, Rest", "Titel\"  Rest", "\"offen  Rest",
                           "\"Titel\" ", "\"", ""}) {
    EXPECT_EQ(applyQuotedTitle(text), text);
  }
}

TEST(DescriptionToRemark, ConvertsDosTextAndKeepsWindowsText) {
  // "Grüße für Änderungen" in code page 850 and in Windows-1252.
  EXPECT_EQ(descriptionToRemark("Gr\x81\xE1"
                                "e f\x81r \x8Enderungen"),
            "Gr\xC3\xBC\xC3\x9F"
            "e f\xC3\xBCr \xC3\x84nderungen");
  EXPECT_EQ(descriptionToRemark("Gr\xFC\xDF"
                                "e f\xFCr \xC4nderungen"),
            "Gr\xC3\xBC\xC3\x9F"
            "e f\xC3\xBCr \xC3\x84nderungen");
}

TEST(DescriptionToRemark, ConvertsOnlyWhenDosLettersOutnumberWindowsLetters) {
  EXPECT_FALSE(looksLikeOemText("\x81\xFC"));
  EXPECT_TRUE(looksLikeOemText("\x81\x84\xFC"));
  EXPECT_FALSE(looksLikeOemText("plain ASCII"));
  // A tie keeps Windows-1252: 0x81 stays U+0081 and 0xFC is ü.
  EXPECT_EQ(descriptionToRemark("\x81\xFC"), "\xC2\x81\xC3\xBC");
}

TEST(DescriptionToRemark, KeepsUtf8TextAsItIs) {
  // UTF-8 "Ä" is C3 84, whose 0x84 would otherwise count as a DOS "ä".
  EXPECT_EQ(descriptionToRemark("\xC3\x84rger \xC3\x84"
                                "ra"),
            "\xC3\x84rger \xC3\x84"
            "ra");
}

TEST(DescriptionToRemark, EndsAtNulAndKeepsAtMost31991Characters) {
  EXPECT_EQ(descriptionToRemark(std::string("vor\0nach", 8)), "vor");
  const std::string remark = descriptionToRemark(std::string(32000, '\xE4'));
  EXPECT_EQ(remark.size(), 31991u * 2);
  EXPECT_EQ(remark.substr(0, 2), "\xC3\xA4");
}

}  // namespace
}  // namespace diskindex::scan
