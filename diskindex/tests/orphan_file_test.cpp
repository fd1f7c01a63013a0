#include "diskindex/core/scan/orphan_file.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "diskindex/tests/temp_tree.h"
#include "platform/codepage.h"

namespace diskindex::scan {
namespace {

std::string contents(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

const platform::CivilTime kFirst{2026, 12, 8, 23, 55, 10};
const platform::CivilTime kSecond{2027, 1, 2, 7, 5, 0};

TEST(OrphanFileTest, SitsBesideTheVolumeFileUnderItsStem) {
  EXPECT_EQ(orphanFileFor("/daten/CD000017.DAT"),
            std::filesystem::path("/daten/CD000017-verwaiste-Bemerkungen.txt"));
}

TEST(OrphanFileTest, ABlockHasADatedHeadingTheTitleAndEachPathWithItsIndentedRemark) {
  const std::vector<OrphanRemark> orphans{{"\\ALT\\", "zwei\r\nZeilen"}, {"\\A.TXT", "eins"}};
  EXPECT_EQ(orphanBlock("Fotos", orphans, kFirst),
            "Erneut eingelesen am 08.12.2026 um 23:55 Uhr: \"Fotos\"\r\n"
            "Bemerkungen zu nicht mehr vorhandenen Einträgen:\r\n\r\n"
            "\\ALT\\\r\n    zwei\r\n    Zeilen\r\n\r\n"
            "\\A.TXT\r\n    eins\r\n\r\n");
}

TEST(OrphanFileTest, ASecondRescanAppendsItsBlockAndKeepsTheFirst) {
  testing::TempTree dir;
  const auto file = dir.root() / "CD000001-verwaiste-Bemerkungen.txt";
  const std::vector<OrphanRemark> first{{"\\A.TXT", "erste"}};
  const std::vector<OrphanRemark> second{{"\\B.TXT", "zweite"}};
  ASSERT_EQ(appendOrphans(file, "Archiv", first, kFirst), ResultCode::Ok);
  const std::string afterFirst = contents(file);
  ASSERT_EQ(appendOrphans(file, "Archiv", second, kSecond), ResultCode::Ok);
  const std::string afterSecond = contents(file);
  ASSERT_EQ(afterSecond.rfind(afterFirst, 0), 0u) << afterSecond;
  EXPECT_EQ(platform::cp1252ToUtf8(afterSecond.substr(afterFirst.size())),
            "\r\n" + orphanBlock("Archiv", second, kSecond));
  EXPECT_FALSE(std::filesystem::exists(file.string() + ".tmp"));
}

TEST(OrphanFileTest, IsWindows1252UntilATextNeedsUtf8ThenTheWholeFileTurnsUtf8) {
  testing::TempTree dir;
  const auto file = dir.root() / "X.txt";
  ASSERT_EQ(appendOrphans(file, "Bücher", std::vector<OrphanRemark>{{"\\Ä", "Grüße"}}, kFirst),
            ResultCode::Ok);
  const std::string cp1252 = contents(file);
  EXPECT_NE(cp1252.find("B\xFC"
                        "cher"),
            std::string::npos);
  EXPECT_FALSE(platform::isValidUtf8(cp1252));
  ASSERT_EQ(appendOrphans(file, "Bücher", std::vector<OrphanRemark>{{"\\Ω", "Omega"}}, kSecond),
            ResultCode::Ok);
  const std::string utf8 = contents(file);
  EXPECT_TRUE(platform::isValidUtf8(utf8));
  EXPECT_NE(utf8.find("Grüße"), std::string::npos);
  EXPECT_NE(utf8.find("\\Ω"), std::string::npos);
}

TEST(OrphanFileTest, AnUnwritableFolderIsReportedAndLeavesNothing) {
  testing::TempTree dir;
  const auto missing = dir.root() / "fehlt" / "X.txt";
  EXPECT_EQ(appendOrphans(missing, "A", std::vector<OrphanRemark>{{"\\A", "a"}}, kFirst),
            ResultCode::CannotCreate);
  EXPECT_FALSE(std::filesystem::exists(missing.parent_path()));
}

}  // namespace
}  // namespace diskindex::scan
