// The integer conversion of typed text, and TryParseIntEmptyZero on top of it.
#include "support/CdatlibTest.h"

namespace {

class IntegerTextTest : public CdatlibTest {};

struct Case {
  std::string text;
  bool converts;
  int32_t value;
};

const Case ConversionCases[] = {
    {"0", true, 0},
    {"12", true, 12},
    {" 12", true, 12},
    {"   -7", true, -7},
    {"+1", true, 1},
    {"-2147483648", true, -2147483647 - 1},
    {"2147483647", true, 2147483647},
    {"00000000000000000012", true, 12},
    {"$1F", true, 31},
    {"$1f", true, 31},
    {"x1", true, 1},
    {"X1", true, 1},
    {"0x1", true, 1},
    {"0X1A", true, 26},
    {"-$1", true, -1},
    {"$FFFFFFFF", true, -1},
    {"$80000000", true, -2147483647 - 1},
    {"-$FFFFFFFF", true, 1},
    {"$00000001", true, 1},
    {"2147483648", false, 0},
    {"-2147483649", false, 0},
    {"99999999999999999999", false, 0},
    {"$000000001", true, 1},  // leading zeros do not count against the eight places
    {"-0x0000000FFFFFFFF", true, 1},
    {"$123456789", false, 0},
    {"12 ", false, 0},
    {"\t12", false, 0},
    {"", false, 0},
    {"   ", false, 0},
    {"-", false, 0},
    {"+", false, 0},
    {"$", false, 0},
    {"0x", false, 0},
    {"x", false, 0},
    {"1a", false, 0},
    {"one", false, 0},
    {"$G", false, 0},
    {"--1", false, 0},
    {"$-1", false, 0},
    {"1 2", false, 0},
    {"0x0x1", false, 0},
    {std::string("1\0", 2), false, 0},
};

TEST_F(IntegerTextTest, ConvertInteger) {
  for (const Case& c : ConversionCases) {
    int32_t value = 4711;
    EXPECT_EQ(Cdatlib::ConvertInteger(c.text, value), c.converts) << '"' << c.text << '"';
    EXPECT_EQ(value, c.converts ? c.value : 4711) << '"' << c.text << '"';
  }
}

TEST_F(IntegerTextTest, TryParseIntEmptyZeroTakesTheEmptyTextAsZero) {
  for (const Case& c : ConversionCases) {
    int32_t value = 4711;
    const bool converts = c.converts || c.text.empty();
    EXPECT_EQ(Cdatlib::TryParseIntEmptyZero(c.text, value), converts) << '"' << c.text << '"';
    EXPECT_EQ(value, c.text.empty() ? 0 : c.converts ? c.value : 4711) << '"' << c.text << '"';
  }
}

}  // namespace
