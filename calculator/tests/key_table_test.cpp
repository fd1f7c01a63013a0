#include "calculator/core/key_table.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>

namespace finova {
namespace {

TEST(KeyTableTest, RowsAreIndexedByCodeWithEightCharacterMnemonics) {
  for (int code = 0; code < kKeyTableRows - 1; ++code) {
    EXPECT_EQ(kKeyTable[static_cast<std::size_t>(code)].code, code);
    EXPECT_EQ(std::strlen(kKeyTable[static_cast<std::size_t>(code)].mnemonic), 8u) << code;
  }
  EXPECT_EQ(kKeyTable.back().code, key::kNoKey);
}

TEST(KeyTableTest, MnemonicsNameExactlyOneKeyEach) {
  std::set<std::string_view> seen;
  for (int code = 0; code < kKeyTableRows - 1; ++code) {
    const std::string_view name = compactMnemonic(code);
    if (name.empty()) continue;
    EXPECT_TRUE(seen.insert(name).second) << name;
    EXPECT_EQ(keyFromMnemonic(name), code) << name;
  }
  EXPECT_EQ(keyFromMnemonic("X<->Y"), key::kSwap);
  EXPECT_EQ(keyFromMnemonic("12*"), key::kTimes12);
  EXPECT_EQ(keyFromMnemonic("R/S"), key::kRS);
  EXPECT_FALSE(keyFromMnemonic("").has_value());
  EXPECT_FALSE(keyFromMnemonic("sto").has_value());
}

TEST(KeyTableTest, UnassignedAndOutsideCodes) {
  for (KeyCode code : {key::kMem, key::kUnused66, key::kUnused67, key::kUnused103}) {
    EXPECT_EQ(keyKind(code), KeyKind::Operation);
  }
  EXPECT_TRUE(compactMnemonic(key::kUnused66).empty());
  EXPECT_EQ(compactMnemonic(key::kMem), "MEM");
  for (KeyCode code : {-1, 104, 105, 106, 200}) EXPECT_EQ(keyKind(code), KeyKind::NoKey) << code;
  EXPECT_EQ(keyInfo(key::kEex).help, 14090);
  EXPECT_EQ(keyKind(key::kBackspace), KeyKind::Entry);
  EXPECT_EQ(keyKind(key::kCF0), KeyKind::RegisterKey);
}

}  // namespace
}  // namespace finova
