#include "toml/serializer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "document_builder.h"
#include "toml/date_time.h"
#include "toml/exceptions.h"

namespace dactyra::toml {
namespace {

using testing::AddArray;
using testing::AddInteger;
using testing::AddString;
using testing::AddTable;
using testing::AppendArray;
using testing::AppendIntegers;
using testing::AppendTable;
using testing::Lines;

std::u16string Write(const TTOMLValue& value, std::int32_t wrap_width = 0,
                     bool preserve_comments = false) {
  TTOMLSerializer serializer;
  return serializer.Serialize(value, wrap_width, preserve_comments);
}

// The text of `key = value` for one value under key v, without the line break.
std::u16string WriteEntry(std::unique_ptr<TTOMLValue> value, std::int32_t wrap_width = 0) {
  TTOMLTable root;
  root.Add(u"v", std::move(value));
  std::u16string text = Write(root, wrap_width);
  EXPECT_TRUE(text.ends_with(u"\r\n"));
  return text.substr(4, text.size() - 6);
}

std::u16string WriteFloat(double value, std::u16string raw = {}) {
  return WriteEntry(std::make_unique<TTOMLFloat>(value, std::move(raw)));
}

TEST(Serializer, ConfigurationDocumentSortedWithoutComments) {
  TTOMLTable root;
  TTOMLTable& units = AddTable(root, u"units");
  AddString(units, u"2", u"Synaptics \"FS7605\"");
  AddString(units, u"1", u"Goodix MOC Fingerprint");
  TTOMLArray& fingers = AddArray(root, u"finger");
  for (const auto& [id, description] :
       {std::pair{u"0xF5", u"Left index"}, std::pair{u"0xF6", u"Caf\u00E9 thumb"}}) {
    TTOMLTable& finger = AppendTable(fingers);
    AddInteger(finger, u"unitid", 1);
    AddString(finger, u"fingerid", id);
    AddString(finger, u"description", description);
    finger.SetCommentBefore(u"# never written");
  }
  EXPECT_EQ(Write(root), Lines({
                             u"[[finger]]",
                             u"description = \"Left index\"",
                             u"fingerid = \"0xF5\"",
                             u"unitid = 1",
                             u"",
                             u"[[finger]]",
                             u"description = \"Caf\u00E9 thumb\"",
                             u"fingerid = \"0xF6\"",
                             u"unitid = 1",
                             u"",
                             u"[units]",
                             u"1 = \"Goodix MOC Fingerprint\"",
                             u"2 = \"Synaptics \\\"FS7605\\\"\"",
                         }));
}

TEST(Serializer, KeyOrderIsInsertionWithCommentsAndOrdinalWithout) {
  TTOMLTable root;
  AddInteger(root, u"b", 1);
  AddInteger(root, u"a", 2);
  AddInteger(root, u"\u00E9", 3);
  AddInteger(root, u"Z", 4);
  EXPECT_EQ(Write(root, 0, false), Lines({u"Z = 4", u"a = 2", u"b = 1", u"\"\u00E9\" = 3"}));
  EXPECT_EQ(Write(root, 0, true), Lines({u"b = 1", u"a = 2", u"\"\u00E9\" = 3", u"Z = 4"}));
}

TEST(Serializer, KeysAreBareOnlyWhenEveryCharacterAllowsIt) {
  TTOMLTable root;
  AddInteger(root, u"a b", 1);
  AddInteger(root, u"a.b", 2);
  AddInteger(root, u"", 3);
  AddInteger(root, u"under_score-1", 4);
  AddInteger(root, u"t\t\"\\\x1B\x7F", 5);
  EXPECT_EQ(Write(root, 80, true),
            Lines({u"\"a b\" = 1", u"\"a.b\" = 2", u"\"\" = 3", u"under_score-1 = 4",
                   u"\"t\\t\\\"\\\\\\u001B\\u007F\" = 5"}));
}

// Keys that a reader would take for numbers or dates are quoted; plain integers stay bare.
TEST(Serializer, KeysThatStartLikeNumbersAreQuotedUnlessPlainIntegers) {
  TTOMLTable root;
  TTOMLTable& section = AddTable(root, u"-200");
  for (const char16_t* key : {u"1", u"-5", u"0979-05-20", u"1_000", u"1e5", u"1a", u"-", u"-a"}) {
    AddInteger(section, key, 1);
  }
  AddTable(section, u"2024-01-02");
  EXPECT_EQ(Write(root, 0, true),
            Lines({u"[-200]", u"1 = 1", u"-5 = 1", u"\"0979-05-20\" = 1", u"\"1_000\" = 1",
                   u"\"1e5\" = 1", u"\"1a\" = 1", u"\"-\" = 1", u"\"-a\" = 1", u"",
                   u"[-200.\"2024-01-02\"]"}));
}

TEST(Serializer, TablesAndHeaders) {
  TTOMLTable root;
  AddInteger(root, u"z", 1);
  TTOMLTable& a = AddTable(root, u"a");
  TTOMLTable& spaced = AddTable(a, u"b c");
  AddInteger(AddTable(spaced, u"d"), u"x", 1);
  AddTable(root, u"empty");
  TTOMLTable& with_inline = AddTable(root, u"i");
  TTOMLTable& point = AddTable(with_inline, u"p", true);
  AddInteger(point, u"y", 2);
  AddString(point, u"x", u"s");
  AddTable(with_inline, u"none", true);
  EXPECT_EQ(Write(root),
            Lines({u"z = 1", u"", u"[a]", u"", u"[a.\"b c\"]", u"", u"[a.\"b c\".d]", u"x = 1", u"",
                   u"[empty]", u"", u"[i]", u"none = {}", u"p = {x = \"s\", y = 2}"}));
}

TEST(Serializer, ArraysOfTablesBecomeSectionsAndMixedArraysStayValues) {
  TTOMLTable root;
  TTOMLArray& p = AddArray(root, u"p");
  AddInteger(AppendTable(p, true), u"x", 1);
  AddInteger(AppendTable(p, true), u"x", 2);
  TTOMLArray& mixed = AddArray(root, u"m");
  AppendIntegers(mixed, {1});
  AddInteger(AppendTable(mixed, true), u"x", 1);
  AddArray(root, u"e");
  EXPECT_EQ(Write(root), Lines({u"e = []", u"m = [", u"  1,", u"  {x = 1},", u"]", u"", u"[[p]]",
                                u"x = 1", u"", u"[[p]]", u"x = 2"}));
}

TEST(Serializer, NestedArraysTakeTheMultiLineFormAtWidthZero) {
  TTOMLArray nested;
  AppendIntegers(AppendArray(nested), {1, 2});
  AppendIntegers(AppendArray(nested), {3});
  EXPECT_EQ(Write(nested, 0), u"[\r\n  [1, 2],\r\n  [3],\r\n]");
  EXPECT_EQ(Write(nested, 80), u"[[1, 2], [3]]");
  TTOMLArray flat;
  AppendIntegers(flat, {1, 2, 3});
  EXPECT_EQ(Write(flat, 0), u"[1, 2, 3]");
  // 2 + "1" + 2 + "2" + 2 + "3" = 9 exceeds a width of 8.
  EXPECT_EQ(Write(flat, 9), u"[1, 2, 3]");
  EXPECT_EQ(Write(flat, 8), u"[\r\n  1,\r\n  2,\r\n  3,\r\n]");
}

TEST(Serializer, InlineTablesWrapPastTheWidth) {
  TTOMLTable table;
  table.SetIsInline(true);
  AddInteger(table, u"a", 1);
  AddString(table, u"b", u"x");
  EXPECT_EQ(Write(table, 0), Lines({u"a = 1", u"b = \"x\""})) << "a root is written as a body";
  auto empty = std::make_unique<TTOMLTable>();
  empty->SetIsInline(true);
  EXPECT_EQ(WriteEntry(std::move(empty)), u"{}");
  TTOMLTable root;
  TTOMLTable& t = AddTable(root, u"t", true);
  AddInteger(t, u"a", 1);
  AddString(t, u"b", u"x");
  // 3 + (1 + 1 + 1 + 3) + (2 + 1 + 3 + 3) = 18
  EXPECT_EQ(Write(root, 18), Lines({u"t = {a = 1, b = \"x\"}"}));
  EXPECT_EQ(Write(root, 17), Lines({u"t = {", u"  a = 1,", u"  b = \"x\",", u"}"}));
}

TEST(Serializer, StringsEscapeControlsQuotesAndBackslashesOnly) {
  EXPECT_EQ(WriteEntry(std::make_unique<TTOMLString>(u"\b\t\n\f\r\"\\\x01\x7F\u00E9\U0001F44D")),
            u"\"\\b\\t\\n\\f\\r\\\"\\\\\\u0001\\u007F\u00E9\U0001F44D\"");
  EXPECT_EQ(WriteEntry(std::make_unique<TTOMLString>(u"line1\nline2"), 0), u"\"line1\\nline2\"");
}

TEST(Serializer, MultiLineStrings) {
  const auto write = [](const std::u16string& text, std::int32_t width) {
    return WriteEntry(std::make_unique<TTOMLString>(text), width);
  };
  EXPECT_EQ(write(u"line1\nline2", 80), u"\"\"\"\r\nline1\r\nline2\\\r\n\"\"\"");
  // A CR is kept as an escape: a reader turns each line break of the string into a bare LF.
  EXPECT_EQ(write(u"a\r\nb\rc\n", 80), u"\"\"\"\r\na\\r\r\nb\\rc\r\n\"\"\"");
  EXPECT_EQ(write(u"q\"\"\"\nx", 80), u"\"\"\"\r\nq\\\"\\\"\"\r\nx\\\r\n\"\"\"");
  EXPECT_EQ(write(u"aaa bbb ccc", 8), u"\"\"\"\r\naaa bbb \\\r\nccc\\\r\n\"\"\"");
  EXPECT_EQ(write(u"\tx\\\x01\n", 80), u"\"\"\"\r\n\\tx\\\\\\u0001\r\n\"\"\"");
  EXPECT_EQ(write(u"short", 80), u"\"short\"");
  EXPECT_EQ(write(u"", 1), u"\"\"\"\r\n\\\r\n\"\"\"");
  // A run longer than the width is never cut.
  EXPECT_EQ(write(u"abcdefghij", 4), u"\"\"\"\r\nabcdefghij\\\r\n\"\"\"");
}

TEST(Serializer, ClosingQuotesOfAStringEndingWithALineBreakAreNotIndented) {
  TTOMLArray array;
  array.Add(std::make_unique<TTOMLString>(u"ends\n"));
  array.Add(std::make_unique<TTOMLString>(u"open"));
  EXPECT_EQ(
      Write(array, 5),
      Lines({u"[", u"  \"\"\"", u"ends", u"\"\"\",", u"  \"\"\"", u"open\\", u"  \"\"\","}) + u"]");
}

TEST(Serializer, Floats) {
  EXPECT_EQ(WriteFloat(3.0), u"3.0");
  EXPECT_EQ(WriteFloat(0.1), u"0.1");
  EXPECT_EQ(WriteFloat(1e300), u"1E300");
  EXPECT_EQ(WriteFloat(6.02e23, u"6.02e23"), u"6.02e23");
  EXPECT_EQ(WriteFloat(std::nan("")), u"nan");
  EXPECT_EQ(WriteFloat(-std::numeric_limits<double>::infinity(), u"-inf"), u"-inf");
  EXPECT_EQ(WriteFloat(std::numeric_limits<double>::infinity(), u"+inf"), u"inf");
  EXPECT_EQ(WriteFloat(1e20), u"1E20");
  EXPECT_EQ(WriteFloat(1.5e-7), u"1.5E-7");
  EXPECT_EQ(WriteFloat(-2.5), u"-2.5");
  EXPECT_EQ(WriteFloat(0.00001), u"0.00001");
  EXPECT_EQ(WriteFloat(123456789012345.0), u"123456789012345.0");
  EXPECT_EQ(WriteFloat(1e15), u"1E15");
  // 15 digits do not read back; with 17 the integer part fits the fixed notation.
  EXPECT_EQ(WriteFloat(1234567890123456.0), u"1234567890123456.0");
  EXPECT_EQ(WriteFloat(0.1 + 0.2), u"0.30000000000000004");
  EXPECT_EQ(WriteFloat(0.0), u"0.0");
  EXPECT_EQ(WriteFloat(5.0, u"5"), u"5.0");
}

TTOMLDateTime MakeDateTime(int year, int month, int day, double seconds_of_day,
                           TTOMLDateTimeKind kind, std::int32_t offset = 0) {
  const double date = kind == tdkLocalTime ? 0.0 : *EncodeDate(year, month, day);
  return TTOMLDateTime(ComposeDateTime(date, seconds_of_day / 86400.0), u"", kind, offset);
}

TEST(Serializer, DateTimes) {
  const auto write = [](const TTOMLDateTime& value) { return Write(value); };
  EXPECT_EQ(write(TTOMLDateTime(0, u"1979-05-27 07:32:00-07:00", tdkOffsetDateTime, -420)),
            u"1979-05-27 07:32:00-07:00");
  const double morning = 7 * 3600 + 32 * 60;
  EXPECT_EQ(write(MakeDateTime(1979, 5, 27, morning, tdkOffsetDateTime)), u"1979-05-27T07:32:00Z");
  EXPECT_EQ(write(MakeDateTime(1979, 5, 27, morning, tdkOffsetDateTime, -90)),
            u"1979-05-27T07:32:00-01:30");
  EXPECT_EQ(write(MakeDateTime(1979, 5, 27, morning, tdkOffsetDateTime, 330)),
            u"1979-05-27T07:32:00+05:30");
  EXPECT_EQ(write(MakeDateTime(1979, 5, 27, morning + 0.5, tdkLocalDateTime)),
            u"1979-05-27T07:32:00.500000");
  EXPECT_EQ(write(MakeDateTime(1979, 5, 27, 0, tdkLocalDate)), u"1979-05-27");
  EXPECT_EQ(write(MakeDateTime(0, 0, 0, morning + 0.25, tdkLocalTime)), u"07:32:00.250000");
  EXPECT_EQ(write(MakeDateTime(1850, 1, 2, morning, tdkLocalDateTime)), u"1850-01-02T07:32:00");
}

TEST(Serializer, PartOfASecondThatRoundsUpIsCarried) {
  EXPECT_EQ(Write(MakeDateTime(0, 0, 0, 59.9999999, tdkLocalTime)), u"00:01:00");
  EXPECT_EQ(Write(MakeDateTime(2024, 2, 28, 86399.9999999, tdkLocalDateTime)),
            u"2024-02-29T00:00:00");
  EXPECT_EQ(Write(MakeDateTime(2024, 12, 31, 86399.9999999, tdkOffsetDateTime)),
            u"2025-01-01T00:00:00Z");
}

TEST(Serializer, DateTimeKindWithoutADateTimeObjectRaises) {
  TTOMLTable root;
  root.Add(u"d", std::make_unique<TTOMLValue>(tvtDateTime));
  try {
    Write(root);
    FAIL() << "no exception";
  } catch (const ETOMLSerializerException& error) {
    EXPECT_EQ(error.Message(), u"Invalid datetime value type");
  }
}

TEST(Serializer, ScalarsAndRootValues) {
  TTOMLTable root;
  AddInteger(root, u"min", std::numeric_limits<std::int64_t>::min());
  root.Add(u"t", std::make_unique<TTOMLBoolean>(true));
  root.Add(u"f", std::make_unique<TTOMLBoolean>(false));
  EXPECT_EQ(Write(root), Lines({u"f = false", u"min = -9223372036854775808", u"t = true"}));
  EXPECT_EQ(Write(TTOMLInteger(42)), u"42");
  EXPECT_EQ(Write(TTOMLTable()), u"");
}

TEST(Serializer, CommentsAreWrittenOnlyWhenPreserved) {
  TTOMLTable root;
  root.SetCommentBefore(u"# top\n\n");
  AddInteger(root, u"b", 1);
  root.Items().GetValue(0)->SetCommentBefore(u"# about b\n\n# more\n\n");
  root.Items().GetValue(0)->SetCommentInline(u"# one");
  TTOMLTable& section = AddTable(root, u"s");
  section.SetCommentBefore(u"# section");
  section.SetCommentInline(u"# header");
  TTOMLArray& list = AddArray(section, u"list");
  AppendIntegers(list, {1, 2});
  list.GetItem(0)->SetCommentBefore(u"# first\n\n# really");
  list.GetItem(1)->SetCommentInline(u"# second");
  list.SetCommentTrailing(u"# end of list\n");
  root.SetCommentTrailing(u"# the end\n");
  EXPECT_EQ(Write(root, 0, true),
            Lines({u"# top", u"", u"# about b", u"", u"# more", u"b = 1 # one", u"", u"# section",
                   u"[s] # header", u"list = [", u"  # first", u"", u"  # really", u"  1,",
                   u"  2, # second", u"# end of list", u"]", u"# the end"}));
  EXPECT_EQ(Write(root, 0, false), Lines({u"b = 1", u"", u"[s]", u"list = [1, 2]"}));
}

// A reader gives every comment above the first key or header to the root, so the top comment
// and the first header's comment meet without an empty line the writer would add between them.
TEST(Serializer, TopCommentAndFirstHeaderCommentStayTogether) {
  TTOMLTable root;
  root.SetCommentBefore(u"# top\n");
  TTOMLTable& a = AddTable(root, u"a");
  a.SetCommentBefore(u"# about a\n");
  AddInteger(a, u"x", 1);
  AddTable(root, u"b").SetCommentBefore(u"# about b");
  EXPECT_EQ(Write(root, 0, true),
            Lines({u"# top", u"# about a", u"[a]", u"x = 1", u"", u"# about b", u"[b]"}));
  root.SetCommentBefore(u"# top\n\n\n");
  EXPECT_EQ(Write(root, 0, true),
            Lines({u"# top", u"", u"# about a", u"[a]", u"x = 1", u"", u"# about b", u"[b]"}));
}

TEST(Serializer, CommentsMakeInlineTablesMultiLine) {
  TTOMLTable root;
  TTOMLTable& t = AddTable(root, u"t", true);
  AddInteger(t, u"a", 1);
  t.Items().GetValue(0)->SetCommentInline(u"# a");
  t.SetCommentTrailing(u"# last");
  EXPECT_EQ(Write(root, 0, true), Lines({u"t = {", u"  a = 1, # a", u"  # last", u"}"}));
  TTOMLArray empty;
  empty.SetCommentTrailing(u"# nothing yet");
  EXPECT_EQ(Write(empty, 0, true), u"[\r\n# nothing yet\r\n]");
}

TEST(Serializer, CommentLinesWithoutHashStillReadAsComments) {
  TTOMLTable root;
  AddInteger(root, u"a", 1);
  root.Items().GetValue(0)->SetCommentBefore(u"made by code");
  root.Items().GetValue(0)->SetCommentInline(u"also");
  EXPECT_EQ(Write(root, 0, true), Lines({u"# made by code", u"a = 1 # also"}));
}

}  // namespace
}  // namespace dactyra::toml
