#include "calculator/core/entry_buffer.h"

#include <gtest/gtest.h>

namespace finova {
namespace {

void typeAll(EntryBuffer& buffer, const std::string& chars) {
  for (char c : chars) buffer.AddChar(c);
}

TEST(EntryBufferTest, KeepsFifteenCharactersAndOnePoint) {
  EntryBuffer buffer;
  typeAll(buffer, "1234567890123456");
  EXPECT_EQ(buffer.mantissa(), "123456789012345");
  buffer.Clear();
  typeAll(buffer, "1.2.3");
  EXPECT_EQ(buffer.Text(), "1.23");
  EXPECT_DOUBLE_EQ(buffer.Parse(), 1.23);
}

TEST(EntryBufferTest, PointAloneDoesNotStartAnEntry) {
  EntryBuffer buffer;
  buffer.AddChar('.');
  EXPECT_FALSE(buffer.entryActive());
  buffer.AddChar('5');
  EXPECT_TRUE(buffer.entryActive());
  EXPECT_DOUBLE_EQ(buffer.Parse(), 0.5);
}

TEST(EntryBufferTest, EexOnEmptyEntryShowsOneWithExponent) {
  EntryBuffer buffer;
  buffer.AddChar('E');
  EXPECT_TRUE(buffer.entryActive());
  EXPECT_EQ(buffer.Text(), "1E+");
  EXPECT_DOUBLE_EQ(buffer.Parse(), 1.0);
  typeAll(buffer, "123");
  EXPECT_EQ(buffer.exponent(), "+12");
  EXPECT_DOUBLE_EQ(buffer.Parse(), 1e12);
}

TEST(EntryBufferTest, SignChangesMantissaOrExponent) {
  EntryBuffer buffer;
  typeAll(buffer, "25-");
  EXPECT_DOUBLE_EQ(buffer.Parse(), -25.0);
  typeAll(buffer, "E3-");
  EXPECT_EQ(buffer.Text(), "-25E-3");
  EXPECT_DOUBLE_EQ(buffer.Parse(), -0.025);
}

TEST(EntryBufferTest, BackspaceTwiceAfterExponentLeavesExponentMode) {
  EntryBuffer buffer;
  typeAll(buffer, "7E5-");
  buffer.AddChar(EntryBuffer::kBackspace);
  EXPECT_TRUE(buffer.inExponent());
  buffer.AddChar(EntryBuffer::kBackspace);
  EXPECT_FALSE(buffer.inExponent());
  EXPECT_EQ(buffer.Text(), "7");
  EXPECT_DOUBLE_EQ(buffer.Parse(), 7.0);
}

TEST(EntryBufferTest, BackspaceOverThePointAllowsANewPoint) {
  EntryBuffer buffer;
  typeAll(buffer, "1.");
  buffer.AddChar(EntryBuffer::kBackspace);
  EXPECT_FALSE(buffer.hasPoint());
  typeAll(buffer, "2.5");
  EXPECT_DOUBLE_EQ(buffer.Parse(), 12.5);
}

TEST(EntryBufferTest, DigitAfterBackspaceReplacesALoneZero) {
  EntryBuffer buffer;
  typeAll(buffer, "05");
  buffer.AddChar(EntryBuffer::kBackspace);
  buffer.AddChar('7', true);
  EXPECT_EQ(buffer.mantissa(), "7");
  buffer.Clear();
  typeAll(buffer, "0");
  buffer.AddChar('7', false);
  EXPECT_EQ(buffer.mantissa(), "07");
}

}  // namespace
}  // namespace finova
