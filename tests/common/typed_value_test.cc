#include "common/typed_value.h"

#include <gtest/gtest.h>

#include "common/error.h"
#include "error_number.h"

namespace quindo {
namespace {

TEST(TypedValueTest, TextFormOfEachKind) {
  EXPECT_EQ(TypedValue().ToText(), "");
  EXPECT_EQ(TypedValue::Integer(-32768).ToText(), "-32768");
  EXPECT_EQ(TypedValue::Byte(255).ToText(), "255");
  EXPECT_EQ(TypedValue::Single(0.1f).ToText(), "0.1");
  EXPECT_EQ(TypedValue::Double(0.1).ToText(), "0.1");
  EXPECT_EQ(TypedValue::CurrencyFromScaled(-15000).ToText(), "-1.5");
  EXPECT_EQ(TypedValue::CurrencyFromScaled(INT64_MIN).ToText(), "-922337203685477.5808");
  EXPECT_EQ(TypedValue::CurrencyFromScaled(0).ToText(), "0");  // no sign, no point
  EXPECT_EQ(TypedValue::Flag(true).ToText(), "True");
  EXPECT_EQ(TypedValue::Flag(false).ToText(), "False");
  EXPECT_EQ(TypedValue::Date(36526.5).ToText(), "2000-01-01 12:00:00");
  EXPECT_EQ(ErrorOf([] { TypedValue::Null().ToText(); }), kInvalidUseOfNull);
  EXPECT_EQ(ErrorOf([] { TypedValue::Null().ToDouble(); }), kInvalidUseOfNull);
}

TEST(TypedValueTest, FloatsReadAsThePlatformsDecimalText) {
  struct Case {
    double value;
    const char* as_double;
    const char* as_single;
  };
  const Case cases[] = {
      {100, "100", "100"},
      {1500, "1500", "1500"},
      {-300, "-300", "-300"},
      {0.1, "0.1", "0.1"},
      {1.0 / 3, "0.333333333333333", "0.3333333"},
      {-2.5, "-2.5", "-2.5"},
      {1e20, "1E+20", "1E+20"},
      {1.5e-10, "1.5E-10", "1.5E-10"},
      {0.0001, "0.0001", "0.0001"},         // exponent -4: still plain
      {0.00001234, "1.234E-05", "1.234E-05"},  // exponent -5: exponent form
      {123456789012345, "123456789012345", "1.234568E+14"},
      {1234567, "1234567", "1234567"},
      {12345678, "12345678", "1.234568E+07"},  // 8 digits are more than a single keeps
      {1e15, "1E+15", "1E+15"},
      {1e100, "1E+100", "1E+100"},
      {0.1 + 0.2, "0.3", "0.3"},  // rounded to 15 digits, not the shortest exact text
      {-0.0, "0", "0"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.as_double);
    EXPECT_EQ(TypedValue::Double(c.value).ToText(), c.as_double);
    if (c.value > -1e38 && c.value < 1e38) {
      EXPECT_EQ(TypedValue::Single(static_cast<float>(c.value)).ToText(), c.as_single);
    }
  }
}

TEST(TypedValueTest, NumbersFromTextAndRounding) {
  EXPECT_EQ(TypedValue::Text(" 12 ").ToDouble(), 12);
  EXPECT_EQ(ErrorOf([] { TypedValue::Text("12abc").ToDouble(); }), kTypeMismatch);
  EXPECT_EQ(ErrorOf([] { TypedValue::Text("").ToDouble(); }), kTypeMismatch);
  EXPECT_EQ(ErrorOf([] { TypedValue::Text("  ").ToDouble(); }), kTypeMismatch);
  // Numeric: every kind but empty, null and text (a date is one).
  EXPECT_TRUE(TypedValue::Date(1).IsNumeric() && TypedValue::Flag(false).IsNumeric());
  EXPECT_FALSE(TypedValue().IsNumeric() || TypedValue::Null().IsNumeric() || TypedValue::Text("1").IsNumeric());
  EXPECT_EQ(TypedValue::Double(12.5).ToInt16(), 12);
  EXPECT_EQ(ErrorOf([] { TypedValue::Long(40000).ToInt16(); }), kOverflow);
}

TEST(TypedValueTest, EqualityRules) {
  // Numbers by value whatever their width.
  EXPECT_TRUE(TypedValue::Integer(5).Equals(TypedValue::Double(5.0)));
  EXPECT_TRUE(TypedValue::Byte(1).Equals(TypedValue::CurrencyFromScaled(10000)));
  EXPECT_TRUE(TypedValue::Flag(true).Equals(TypedValue::Integer(-1)));
  EXPECT_FALSE(TypedValue::Long(5).Equals(TypedValue::Single(5.5f)));
  EXPECT_TRUE(TypedValue::CurrencyFromScaled(10000).Equals(TypedValue::Integer(1)));
  // Two currencies exactly, where their doubles would be equal.
  EXPECT_FALSE(TypedValue::CurrencyFromScaled(INT64_MAX).Equals(TypedValue::CurrencyFromScaled(INT64_MAX - 1)));
  // Texts exactly; a number never equals a text.
  EXPECT_FALSE(TypedValue::Text("abc").Equals(TypedValue::Text("Abc")));
  EXPECT_FALSE(TypedValue::Integer(5).Equals(TypedValue::Text("5")));
  EXPECT_FALSE(TypedValue::Text("5").Equals(TypedValue::Integer(5)));
  // Empty equals 0 and the empty text, but not "0".
  EXPECT_TRUE(TypedValue().Equals(TypedValue::Integer(0)));
  EXPECT_TRUE(TypedValue().Equals(TypedValue::Text("")));
  EXPECT_FALSE(TypedValue().Equals(TypedValue::Text("0")));
  EXPECT_TRUE(TypedValue().Equals(TypedValue()));
  EXPECT_FALSE(TypedValue::Null().Equals(TypedValue::Null()));
}

}  // namespace
}  // namespace quindo
