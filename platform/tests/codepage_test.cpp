#include "platform/codepage.h"

#include <gtest/gtest.h>

#include <set>

namespace platform {
namespace {

std::string bytes(std::initializer_list<int> values) {
  std::string s;
  for (int v : values) s += static_cast<char>(v);
  return s;
}

TEST(Cp1252, EveryByteSurvivesTheRoundTripThroughUtf8) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  const std::string utf8 = cp1252ToUtf8(all);
  EXPECT_TRUE(isValidUtf8(utf8));
  const auto back = utf8ToCp1252(utf8);
  ASSERT_TRUE(back.has_value());
  EXPECT_EQ(*back, all);
}

TEST(Cp1252, HighControlRangeMapsToWindowsCharacters) {
  EXPECT_EQ(cp1252ToCodePoint(0x80), U'\u20AC');
  EXPECT_EQ(cp1252ToCodePoint(0x8A), U'\u0160');
  EXPECT_EQ(cp1252ToCodePoint(0x96), U'\u2013');
  EXPECT_EQ(cp1252ToCodePoint(0x9F), U'\u0178');
  EXPECT_EQ(cp1252ToCodePoint(0xE4), U'\u00E4');
  EXPECT_EQ(cp1252ToUtf8("\x80"), "\xE2\x82\xAC");
}

TEST(Cp1252, UndefinedBytesMapToTheirC1ControlCodes) {
  for (int b : {0x81, 0x8D, 0x8F, 0x90, 0x9D}) {
    EXPECT_EQ(cp1252ToCodePoint(static_cast<std::uint8_t>(b)), static_cast<char32_t>(b)) << b;
    EXPECT_EQ(codePointToCp1252(static_cast<char32_t>(b)), static_cast<std::uint8_t>(b)) << b;
  }
  // The other C1 controls have no byte: their places hold other characters.
  EXPECT_FALSE(codePointToCp1252(0x80).has_value());
  EXPECT_FALSE(codePointToCp1252(0x9F).has_value());
}

TEST(Cp1252, UnrepresentableTextIsRefusedNotReplaced) {
  EXPECT_FALSE(utf8ToCp1252("Ωmega").has_value());
  EXPECT_FALSE(utf8ToCp1252("\xE4\xB8\xAD").has_value());  // a CJK character
  EXPECT_FALSE(utf8ToCp1252("M\xFCller").has_value());     // not UTF-8 at all
  EXPECT_FALSE(fitsCp1252("\xF0\x9F\x98\x80"));
  EXPECT_TRUE(fitsCp1252("Grüße € „Zitat“"));
  EXPECT_EQ(utf8ToCp1252("Grüße €"), std::optional<std::string>("Gr\xFC\xDF"
                                                                "e \x80"));
}

TEST(Utf8Validation, RejectsOverlongsSurrogatesOutOfRangeAndTruncation) {
  EXPECT_TRUE(isValidUtf8(""));
  EXPECT_TRUE(isValidUtf8("plain ascii"));
  EXPECT_TRUE(isValidUtf8("\xF0\x9F\x98\x80"));  // U+1F600
  EXPECT_TRUE(isValidUtf8("\xF4\x8F\xBF\xBF"));  // U+10FFFF
  EXPECT_FALSE(isValidUtf8(bytes({0xC0, 0x80})));
  EXPECT_FALSE(isValidUtf8(bytes({0xE0, 0x80, 0x80})));
  EXPECT_FALSE(isValidUtf8(bytes({0xF0, 0x80, 0x80, 0x80})));
  EXPECT_FALSE(isValidUtf8(bytes({0xED, 0xA0, 0x80})));  // surrogate
  EXPECT_FALSE(isValidUtf8(bytes({0xF4, 0x90, 0x80, 0x80})));
  EXPECT_FALSE(isValidUtf8(bytes({0xE2, 0x82})));
  EXPECT_FALSE(isValidUtf8(bytes({0x80})));
  EXPECT_FALSE(isValidUtf8(bytes({0xFF})));
}

TEST(Utf8Validation, NonUtf8TextIsDecodedAsCp1252) {
  EXPECT_EQ(utf8OrCp1252ToUtf8("M\xFCller \x80"), "Müller €");
  EXPECT_EQ(utf8OrCp1252ToUtf8("Müller €"), "Müller €");
}

TEST(Oem850, GermanLettersBecomeTheirWindowsBytes) {
  const std::string oem = bytes({0x8E, 0x99, 0x9A, 0x84, 0x94, 0x81, 0xE1});
  EXPECT_EQ(oem850ToCp1252(oem), bytes({0xC4, 0xD6, 0xDC, 0xE4, 0xF6, 0xFC, 0xDF}));
  EXPECT_EQ(oem850ToCp1252(std::string_view("ASCII stays 123")), "ASCII stays 123");
}

TEST(Oem850, EveryLatin1CharacterHasExactlyOneOemSource) {
  // Code page 850 holds every printable Latin-1 character; each must arrive
  // at its own Windows-1252 byte, so a slip in the table shows up as a gap.
  std::multiset<int> targets;
  for (int b = 0x80; b < 0x100; ++b) targets.insert(oem850ToCp1252(static_cast<std::uint8_t>(b)));
  for (int t = 0xA0; t < 0x100; ++t) {
    if (t == 0xA6 || t == 0xAF) continue;  // also best-fit targets of box drawing
    EXPECT_EQ(targets.count(t), 1u) << "Windows-1252 byte " << t;
  }
  EXPECT_EQ(oem850ToCp1252(std::uint8_t{0x9F}), 0x83);  // florin sign
}

TEST(Oem850, BoxDrawingGetsTheBestFitCharacters) {
  EXPECT_EQ(oem850ToCp1252(std::uint8_t{0xC4}), '-');   // light horizontal
  EXPECT_EQ(oem850ToCp1252(std::uint8_t{0xB3}), 0xA6);  // light vertical
  EXPECT_EQ(oem850ToCp1252(std::uint8_t{0xDA}), '+');   // corner
  EXPECT_EQ(oem850ToCp1252(std::uint8_t{0xC5}), '+');   // crossing
  EXPECT_EQ(oem850ToCp1252(std::uint8_t{0xCD}), '-');   // double horizontal
  EXPECT_EQ(oem850ToCp1252(std::uint8_t{0xBA}), 0xA6);  // double vertical
  EXPECT_EQ(oem850ToCp1252(std::uint8_t{0xB1}), 0xA6);  // shade
}

TEST(Cp1252Case, GermanLettersMapAndSharpSStays) {
  EXPECT_EQ(cp1252ToUpper(0xE4), 0xC4);
  EXPECT_EQ(cp1252ToUpper(0xF6), 0xD6);
  EXPECT_EQ(cp1252ToUpper(0xFC), 0xDC);
  EXPECT_EQ(cp1252ToUpper(0xDF), 0xDF);
  EXPECT_EQ(cp1252ToLower(0xC4), 0xE4);
  EXPECT_EQ(cp1252ToLower(0xDC), 0xFC);
  EXPECT_EQ(cp1252ToUpper(0xF7), 0xF7);  // division sign
  EXPECT_EQ(cp1252ToLower(0xD7), 0xD7);  // multiplication sign
  EXPECT_EQ(cp1252ToUpper(0xFF), 0x9F);
  EXPECT_EQ(cp1252ToUpper(0x9A), 0x8A);
}

TEST(Cp1252Case, ByteMappingAgreesWithTheUnicodeMapping) {
  // Where the Unicode case partner has no byte (the florin sign's), the
  // byte stays as it is.
  const auto expected = [](std::uint8_t byte, const std::string& mapped) {
    const auto b = utf8ToCp1252(mapped);
    return b ? static_cast<std::uint8_t>((*b)[0]) : byte;
  };
  for (int b = 0; b < 256; ++b) {
    const auto byte = static_cast<std::uint8_t>(b);
    const std::string one = cp1252ToUtf8(std::string(1, static_cast<char>(byte)));
    EXPECT_EQ(cp1252ToUpper(byte), expected(byte, toUpperUtf8(one))) << "byte " << b;
    EXPECT_EQ(cp1252ToLower(byte), expected(byte, toLowerUtf8(one))) << "byte " << b;
  }
}

TEST(Utf8Case, CoversGermanLatinGreekAndCyrillic) {
  EXPECT_EQ(toUpperUtf8("straße äöü"), "STRAßE ÄÖÜ");
  EXPECT_EQ(toLowerUtf8("ÄÖÜ STRAßE"), "äöü straße");
  EXPECT_EQ(toUpperUtf8("łódź œuvre ÿ"), "ŁÓDŹ ŒUVRE Ÿ");
  EXPECT_EQ(toUpperUtf8("ı ĸ ŉ"), "I ĸ ŉ");
  EXPECT_EQ(toLowerUtf8("İ Ÿ Ł"), "i ÿ ł");
  EXPECT_EQ(toUpperUtf8("αβγ ς привет ёж"), "ΑΒΓ Σ ПРИВЕТ ЁЖ");
  EXPECT_EQ(toLowerUtf8("ΑΒΓ ПРИВЕТ ЁЖ"), "αβγ привет ёж");
  EXPECT_EQ(toUpperUtf8("a\xFF"
                        "b"),
            "A\xFF"
            "B");
  EXPECT_EQ(toUpperUtf8("x\xF0\x9F\x98\x80y"), "X\xF0\x9F\x98\x80Y");  // emoji kept
}

TEST(CompareNoCase, OrdersByUpperCaseAndEqualsAcrossCase) {
  EXPECT_TRUE(equalsNoCase("Müller", "MÜLLER"));
  EXPECT_TRUE(equalsNoCase("inits", "INITS"));
  EXPECT_FALSE(equalsNoCase("Muller", "Müller"));
  EXPECT_LT(compareNoCase("apfel", "Birne"), 0);
  EXPECT_GT(compareNoCase("Zebra", "apfel"), 0);
  EXPECT_LT(compareNoCase("abc", "ABCD"), 0);
  EXPECT_GT(compareNoCase("abcd", "ABC"), 0);
  EXPECT_EQ(compareNoCase("", ""), 0);
  EXPECT_EQ(compareNoCase("x\xFF", "X\xFF"), 0);
  EXPECT_NE(compareNoCase("x\xFE", "X\xFF"), 0);
}

}  // namespace
}  // namespace platform
