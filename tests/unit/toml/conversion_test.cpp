#include "toml/conversion.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "toml/date_time.h"
#include "toml/exceptions.h"

namespace dactyra::toml {
namespace {

TToken Token(TTokenType type, std::u16string_view text, std::int32_t line = 1) {
  TToken token;
  token.TokenType = type;
  token.Value = text;
  token.Line = line;
  return token;
}

std::int64_t Integer(std::u16string_view text) {
  return ConvertNumber(Token(ttInteger, text))->AsInteger();
}

std::u16string NumberError(TTokenType type, std::u16string_view text) {
  try {
    ConvertNumber(Token(type, text));
  } catch (const ETOMLParserException& e) {
    return e.Message();
  }
  return u"(no error)";
}

std::u16string DateTimeError(std::u16string_view text, std::int32_t line = 1) {
  try {
    ConvertDateTime(Token(ttDateTime, text, line));
  } catch (const ETOMLParserException& e) {
    return e.Message();
  }
  return u"(no error)";
}

TEST(Conversions, DecimalIntegersOverTheFull64BitRange) {
  EXPECT_EQ(Integer(u"9223372036854775807"), std::numeric_limits<std::int64_t>::max());
  EXPECT_EQ(Integer(u"-9223372036854775808"), std::numeric_limits<std::int64_t>::min());
  EXPECT_EQ(Integer(u"+1_000"), 1000);
  EXPECT_EQ(Integer(u"-0"), 0);
  EXPECT_EQ(NumberError(ttInteger, u"9223372036854775808"),
            u"Invalid integer: 9223372036854775808");
  EXPECT_EQ(NumberError(ttInteger, u"-9223372036854775809"),
            u"Invalid integer: -9223372036854775809");
  EXPECT_EQ(NumberError(ttInteger, u"007"), u"Leading zeros not allowed: 007");
  EXPECT_EQ(NumberError(ttInteger, u"-0_1"), u"Leading zeros not allowed: -0_1");
  EXPECT_EQ(NumberError(ttFloat, u"01.5"), u"Leading zeros not allowed: 01.5");
  EXPECT_EQ(NumberError(ttFloat, u"-.5"), u"Numbers must have an integer part: -.5");
}

TEST(Conversions, PrefixedIntegersFitIn64Bits) {
  EXPECT_EQ(Integer(u"0xFFFFFFFFFFFFFFFF"), -1);
  EXPECT_EQ(Integer(u"0x0000_0000_0000_0000_ff"), 255);
  EXPECT_EQ(Integer(u"0o777"), 511);
  EXPECT_EQ(Integer(u"0b1_0_1"), 5);
  EXPECT_EQ(Integer(u"0o1777777777777777777777"), -1);
  EXPECT_EQ(Integer(u"0b" + std::u16string(64, u'1')), -1);
  EXPECT_EQ(NumberError(ttInteger, u"0x1FFFFFFFFFFFFFFFF"),
            u"Invalid hex/oct/bin integer: 0x1FFFFFFFFFFFFFFFF");
  EXPECT_EQ(NumberError(ttInteger, u"0o2000000000000000000000"),
            u"Invalid hex/oct/bin integer: 0o2000000000000000000000");
  const std::u16string bits65 = u"0b1" + std::u16string(64, u'0');
  EXPECT_EQ(NumberError(ttInteger, bits65), u"Invalid hex/oct/bin integer: " + bits65);
  EXPECT_EQ(NumberError(ttInteger, u"0x"), u"Invalid hex/oct/bin integer: 0x");
  EXPECT_EQ(NumberError(ttInteger, u"0o8"), u"Invalid hex/oct/bin integer: 0o8");
}

TEST(Conversions, Floats) {
  const auto value = ConvertNumber(Token(ttFloat, u"1_000.5"));
  EXPECT_EQ(value->AsFloat(), 1000.5);
  EXPECT_EQ(value->As<TTOMLFloat>()->RawString(), u"1000.5");
  EXPECT_EQ(ConvertNumber(Token(ttFloat, u"-2.5E-3"))->AsFloat(), -0.0025);
  EXPECT_EQ(ConvertNumber(Token(ttFloat, u"+6e2"))->AsFloat(), 600.0);

  const auto inf = ConvertNumber(Token(ttFloat, u"+inf"));
  EXPECT_TRUE(std::isinf(inf->AsFloat()) && inf->AsFloat() > 0);
  EXPECT_EQ(inf->As<TTOMLFloat>()->RawString(), u"+inf");
  EXPECT_TRUE(ConvertNumber(Token(ttFloat, u"-inf"))->AsFloat() < 0);
  EXPECT_TRUE(std::isnan(ConvertNumber(Token(ttIdentifier, u"nan"))->AsFloat()));
  EXPECT_TRUE(std::isnan(ConvertNumber(Token(ttFloat, u"-nan"))->AsFloat()));

  // Beyond the range of a double is an error; below it is zero.
  EXPECT_EQ(NumberError(ttFloat, u"1e400"), u"Invalid float: 1e400");
  EXPECT_EQ(NumberError(ttFloat, u"-1.8e308"), u"Invalid float: -1.8e308");
  EXPECT_EQ(ConvertNumber(Token(ttFloat, u"1e-400"))->AsFloat(), 0.0);
  EXPECT_TRUE(std::signbit(ConvertNumber(Token(ttFloat, u"-1e-400"))->AsFloat()));
  EXPECT_EQ(NumberError(ttFloat, u"1e"), u"Invalid float: 1e");
  EXPECT_EQ(NumberError(ttIdentifier, u"12"), u"Failed to parse number: 12");
}

TEST(Conversions, Booleans) {
  EXPECT_TRUE(ConvertBoolean(Token(ttIdentifier, u"true"))->AsBoolean());
  EXPECT_FALSE(ConvertBoolean(Token(ttIdentifier, u"false"))->AsBoolean());
}

TEST(Conversions, DateTimeKindsAndValues) {
  const auto offset = ConvertDateTime(Token(ttDateTime, u"1979-05-27T07:32:00Z"));
  EXPECT_EQ(offset->Kind(), tdkOffsetDateTime);
  EXPECT_EQ(offset->TimeZoneOffset(), 0);
  EXPECT_EQ(offset->RawString(), u"1979-05-27T07:32:00Z");
  EXPECT_EQ(offset->AsString(), u"1979-05-27T07:32:00Z");

  const auto fraction = ConvertDateTime(Token(ttDateTime, u"1979-05-27T00:32:00.999999-07:00"));
  EXPECT_EQ(fraction->Kind(), tdkOffsetDateTime);
  EXPECT_EQ(fraction->TimeZoneOffset(), -420);
  const TDateTimeParts parts = DecodeDateTime(fraction->Value());
  EXPECT_EQ(parts.Year, 1979);
  EXPECT_EQ(parts.Day, 27);
  EXPECT_EQ(parts.Minute, 32);
  EXPECT_EQ(parts.Millisecond, 999);  // wall clock as written, no shift to UTC
  EXPECT_EQ(DecodeDateTime(ConvertDateTime(Token(ttDateTime, u"07:32:00.5"))->Value()).Millisecond,
            500);

  EXPECT_EQ(ConvertDateTime(Token(ttDateTime, u"1979-05-27 07:32:00"))->Kind(), tdkLocalDateTime);
  const auto date = ConvertDateTime(Token(ttDateTime, u"1979-05-27"));
  EXPECT_EQ(date->Kind(), tdkLocalDate);
  EXPECT_EQ(date->Value(), *EncodeDate(1979, 5, 27));
  const auto time = ConvertDateTime(Token(ttDateTime, u"07:32"));
  EXPECT_EQ(time->Kind(), tdkLocalTime);
  EXPECT_EQ(time->Value(), *EncodeTime(7, 32, 0, 0));
  EXPECT_EQ(ConvertDateTime(Token(ttDateTime, u"07:32:00+01:30"))->TimeZoneOffset(), 90);
}

TEST(Conversions, DateTimeMessagesAreWrapped) {
  const auto wrapped = [](const char16_t* inner, int line) {
    return u"Error parsing datetime: " + std::u16string(inner) + u" at line " +
           std::u16string(1, static_cast<char16_t>(u'0' + line));
  };
  EXPECT_EQ(DateTimeError(u"1979-02-30", 4), wrapped(u"Invalid argument to date encode", 4));
  EXPECT_EQ(DateTimeError(u"1979-13-01"), wrapped(u"Invalid month: 13", 1));
  EXPECT_EQ(DateTimeError(u"1979-00-01"), wrapped(u"Invalid month: 0", 1));
  EXPECT_EQ(DateTimeError(u"1979-01-32"), wrapped(u"Invalid day: 32", 1));
  EXPECT_EQ(DateTimeError(u"24:00"), wrapped(u"Invalid hour: 24", 1));
  EXPECT_EQ(DateTimeError(u"23:60"), wrapped(u"Invalid minute: 60", 1));
  EXPECT_EQ(DateTimeError(u"07:32:60"), wrapped(u"Invalid argument to time encode", 1));
  EXPECT_EQ(DateTimeError(u"07:32:00."), wrapped(u"Fractional seconds missing digits", 1));
  EXPECT_EQ(DateTimeError(u"1979-05-27T0"),
            wrapped(u"DateTime separator must be followed by valid time", 1));
  EXPECT_EQ(DateTimeError(u"1979-05-27T07:32+7:00"),
            wrapped(u"Incomplete timezone offset (must be HH:MM)", 1));
  EXPECT_EQ(DateTimeError(u"1979-05-27T07:32+0700:"),
            wrapped(u"Missing colon in timezone offset", 1));
  EXPECT_EQ(DateTimeError(u"1979-05-27T07:32+0::00"),
            wrapped(u"Invalid digits in timezone offset", 1));
  EXPECT_EQ(DateTimeError(u"1979-05-27T07:32+24:00"),
            wrapped(u"Timezone offset hour out of range [00-23]: 24", 1));
  EXPECT_EQ(DateTimeError(u"1979-05-27T07:32+01:60"),
            wrapped(u"Timezone offset minute out of range [00-59]: 60", 1));
  EXPECT_EQ(DateTimeError(u"1979-05-27T07:32+01:00:12"),
            wrapped(u"Trailing chars in datetime: \":12\"", 1));
  EXPECT_EQ(DateTimeError(u"1979"), wrapped(u"Trailing chars in datetime: \"1979\"", 1));
  EXPECT_EQ(DateTimeError(u""), wrapped(u"Invalid datetime format", 1));
  try {
    ConvertDateTime(Token(ttInteger, u"1", 3));
    FAIL() << "no exception";
  } catch (const ETOMLParserException& e) {
    EXPECT_EQ(e.Message(), u"Expected DateTime but got ttInteger at line 3");
  }
}

}  // namespace
}  // namespace dactyra::toml
