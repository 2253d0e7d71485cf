#include "toml/parser.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "base/strings.h"
#include "toml/exceptions.h"

namespace dactyra::toml {
namespace {

std::unique_ptr<TTOMLTable> Parse(std::u16string_view text, bool comments = false) {
  TTOMLParser parser(text, comments);
  return parser.Parse();
}

std::u16string ParseError(std::u16string_view text, bool comments = false) {
  try {
    Parse(text, comments);
  } catch (const ETOMLParserException& e) {
    return e.Message();
  }
  return u"(no error)";
}

// The value at a dotted path of plain keys, or null.
const TTOMLValue* At(const TTOMLTable& root, std::u16string_view path) {
  const TTOMLTable* table = &root;
  const TTOMLValue* value = nullptr;
  for (;;) {
    const std::size_t dot = path.find(u'.');
    if (!table->TryGetValue(path.substr(0, dot), value)) {
      return nullptr;
    }
    if (dot == std::u16string_view::npos) {
      return value;
    }
    table = value->As<TTOMLTable>();
    if (table == nullptr) {
      return nullptr;
    }
    path.remove_prefix(dot + 1);
  }
}

TEST(Parser, EmptyAndCommentOnlyDocuments) {
  EXPECT_EQ(Parse(u"")->Items().Count(), 0);
  EXPECT_TRUE(Parse(u"")->IsImplicit());
  EXPECT_EQ(Parse(u"\n# only\n\n")->Items().Count(), 0);
  const auto root = Parse(u"# one\n# two\n", true);
  EXPECT_EQ(root->Items().Count(), 0);
  EXPECT_EQ(root->CommentBefore(), u"# one\n# two\n");
}

TEST(Parser, ValuesOfEveryKind) {
  const auto root = Parse(
      u"s = \"text\"\nm = '''\nraw'''\ni = -1_000\nf = 3.5\nb = true\nd = 1979-05-27\n"
      u"a = [1, 'two', [3]]\nt = {x = 1, y.z = false}\ninf1 = inf\nn = -nan\n");
  EXPECT_EQ(At(*root, u"s")->AsString(), u"text");
  EXPECT_EQ(At(*root, u"m")->AsString(), u"raw");
  EXPECT_EQ(At(*root, u"i")->AsInteger(), -1000);
  EXPECT_EQ(At(*root, u"f")->AsFloat(), 3.5);
  EXPECT_TRUE(At(*root, u"b")->AsBoolean());
  EXPECT_EQ(At(*root, u"d")->ValueType(), tvtDateTime);
  EXPECT_EQ(
      At(*root, u"a")->As<TTOMLArray>()->GetItem(2)->As<TTOMLArray>()->GetItem(0)->AsInteger(), 3);
  EXPECT_TRUE(At(*root, u"t")->As<TTOMLTable>()->IsInline());
  EXPECT_FALSE(At(*root, u"t.y.z")->AsBoolean());
  EXPECT_GT(At(*root, u"inf1")->AsFloat(), 1e308);
  EXPECT_EQ(root->Items().Keys().back(), u"n");
}

TEST(Parser, KeysOfEveryShape) {
  const auto root = Parse(u"3.14 = 1\n\"a.b\" = 2\n-1 = 3\n1979-05-27 = 4\n'q' = 5\n");
  EXPECT_EQ(At(*root, u"3.14")->AsInteger(), 1);  // table 3 with key 14
  TTOMLValue* quoted = nullptr;
  ASSERT_TRUE(root->TryGetValue(u"a.b", quoted));
  EXPECT_EQ(quoted->AsInteger(), 2);
  EXPECT_EQ(At(*root, u"-1")->AsInteger(), 3);
  EXPECT_EQ(At(*root, u"1979-05-27")->AsInteger(), 4);
  EXPECT_EQ(At(*root, u"q")->AsInteger(), 5);

  EXPECT_EQ(ParseError(u"a.'''k''' = 1"),
            u"Expected key but got ttMultilineString at line 1, column 3");
  EXPECT_EQ(ParseError(u"'''k''' = 1"), u"Unexpected token ttMultilineString at line 1, column 1");
  EXPECT_EQ(ParseError(u"07:32 = 1"), u"Invalid character \":\" in bare key at line 1, column 1");
  EXPECT_EQ(ParseError(u"a 1"), u"Expected ttEqual but got ttInteger at line 1, column 3");
  EXPECT_EQ(ParseError(u"a = 1 b = 2"),
            u"Only one expression per line. Unexpected \"b\" at line 1, column 7");
  EXPECT_EQ(ParseError(u"a = bogus"), u"Unexpected identifier: bogus at line 1, column 5");
  EXPECT_EQ(ParseError(u"a = ]"), u"Unexpected token ttRBracket at line 1, column 5");
  EXPECT_EQ(ParseError(u"= 1"), u"Unexpected token ttEqual at line 1, column 1");
  EXPECT_EQ(ParseError(u"a = [1 2]"), u"Expected ttRBracket but got ttInteger at line 1, column 8");
  EXPECT_EQ(ParseError(u"a = 1\na = 2"), u"Duplicate key \"a\" found");
  EXPECT_EQ(ParseError(u"a = 1\na.b = 2"), u"\"a\" is not a table");
  EXPECT_EQ(ParseError(u"a.b = 1\na.b = 2"), u"Cannot redefine key \"b\"");
  EXPECT_EQ(ParseError(u"x.y.z = 1\nx.y = 2"), u"Cannot redefine key \"y\"");
  EXPECT_EQ(ParseError(u"a = 1979-02-30"),
            u"Error parsing datetime: Invalid argument to date encode at line 1");
}

TEST(Parser, BareKeysThatStartLikeNumbers) {
  const auto root = Parse(
      u"-name = 1\n-_a = 2\n1_a = 3\n-1-2 = 4\n0b2 = 5\n2024-01-01abc = 6\n"
      u"[t]\n-inf.1e5 = 7\nv = [2024-01-01, -1, 0b1, 1e5, -inf]\n");
  EXPECT_EQ(At(*root, u"-name")->AsInteger(), 1);
  EXPECT_EQ(At(*root, u"-_a")->AsInteger(), 2);
  EXPECT_EQ(At(*root, u"1_a")->AsInteger(), 3);
  EXPECT_EQ(At(*root, u"-1-2")->AsInteger(), 4);
  EXPECT_EQ(At(*root, u"0b2")->AsInteger(), 5);
  EXPECT_EQ(At(*root, u"2024-01-01abc")->AsInteger(), 6);
  EXPECT_EQ(At(*root, u"t.-inf.1e5")->AsInteger(), 7);
  // Where a value is due, the same shapes are numbers and dates.
  const TTOMLArray* v = At(*root, u"t.v")->As<TTOMLArray>();
  EXPECT_EQ(v->GetItem(0)->ValueType(), tvtDateTime);
  EXPECT_EQ(v->GetItem(1)->AsInteger(), -1);
  EXPECT_EQ(v->GetItem(2)->AsInteger(), 1);
  EXPECT_EQ(v->GetItem(3)->AsFloat(), 1e5);
  EXPECT_LT(v->GetItem(4)->AsFloat(), -1e308);

  EXPECT_EQ(ParseError(u"a = 1_a"), u"Unexpected identifier: 1_a at line 1, column 5");
  EXPECT_EQ(ParseError(u"+1 = 2"), u"Invalid character \"+\" in bare key at line 1, column 1");
  EXPECT_EQ(ParseError(u"1e+5 = 2"), u"Invalid character \"+\" in bare key at line 1, column 1");
}

TEST(Parser, DottedKeysAndHeaders) {
  const auto root = Parse(u"a.b.c = 1\na.b.d = 2\n");
  ASSERT_EQ(root->Items().Count(), 1);
  EXPECT_EQ(At(*root, u"a")->As<TTOMLTable>()->Items().Count(), 1);
  EXPECT_EQ(At(*root, u"a.b")->As<TTOMLTable>()->Items().Count(), 2);
  EXPECT_TRUE(At(*root, u"a.b")->As<TTOMLTable>()->IsImplicit());
  EXPECT_EQ(ParseError(u"a.b.c = 1\na.b.d = 2\n[a.b]"), u"Duplicate table header [a.b]");
  EXPECT_EQ(ParseError(u"a.b.c = 1\n[a]"), u"Duplicate table header [a]");
  EXPECT_EQ(ParseError(u"t = {x = 1}\n[t]"), u"Duplicate table header [t]");

  const auto reopened = Parse(u"[a.b]\nx = 1\n[a]\ny = 2\n");
  EXPECT_FALSE(At(*reopened, u"a")->As<TTOMLTable>()->IsImplicit());
  EXPECT_EQ(At(*reopened, u"a.y")->AsInteger(), 2);
  EXPECT_EQ(ParseError(u"[a]\n[a]"), u"Duplicate table header [a]");
  EXPECT_EQ(ParseError(u"[a.b]\nc = 1\n[a]\nb.d = 2"),
            u"Cannot extend explicitly defined table \"b\"");
  EXPECT_EQ(ParseError(u"[ \"a\" . b ]\n[a.b]"), u"Duplicate table header [a.b]");
  EXPECT_EQ(ParseError(u"[a] b = 1"),
            u"Only one expression per line. Unexpected \"b\" at line 1, column 5");
  EXPECT_EQ(ParseError(u"[]"), u"Expected key but got ttRBracket at line 1, column 2");
}

TEST(Parser, ArraysOfTables) {
  const auto root = Parse(u"[[x]]\n[x.y]\nv = 1\n[[x]]\n[x.y]\nv = 2\n");
  const TTOMLArray* x = At(*root, u"x")->As<TTOMLArray>();
  ASSERT_EQ(x->Count(), 2);
  const TTOMLValue* y = nullptr;
  ASSERT_TRUE(x->GetItem(1)->As<TTOMLTable>()->TryGetValue(u"y", y));
  EXPECT_EQ(At(*y->As<TTOMLTable>(), u"v")->AsInteger(), 2);

  const auto nested = Parse(u"[[a]]\n[[a.b]]\nn = 1\n[[a.b]]\nn = 2\n[[a]]\n");
  const TTOMLArray* a = At(*nested, u"a")->As<TTOMLArray>();
  ASSERT_EQ(a->Count(), 2);
  EXPECT_EQ(At(*a->GetItem(0)->As<TTOMLTable>(), u"b")->As<TTOMLArray>()->Count(), 2);

  EXPECT_EQ(ParseError(u"a = [1]\n[[a]]"), u"Cannot extend static array");
  EXPECT_EQ(ParseError(u"a = 1\n[[a]]"), u"Key conflict");
  EXPECT_EQ(ParseError(u"a = 1\n[a.b]"), u"\"a\" is already a scalar");
  EXPECT_EQ(ParseError(u"t = {x = 1}\n[t.y]"), u"Cannot extend inline table \"t\"");
  EXPECT_EQ(ParseError(u"[[a]]\n[a]"), u"Cannot define [a] \u2014 already an array of tables");
  EXPECT_EQ(ParseError(u"[a]\n[[a]]"), u"Cannot define [[a]] \u2014 already a regular table");
  EXPECT_EQ(ParseError(u"a = [{}]\n[a.b]"), u"Cannot navigate into static array \"a\"");
  EXPECT_EQ(ParseError(u"[ [a]]"), u"Spaces not allowed between [[ brackets");
  EXPECT_EQ(ParseError(u"[[a] ]"), u"Spaces not allowed between ]] brackets");
  EXPECT_EQ(ParseError(u"[[a]\n"), u"Expected second \"]\" for Array of Tables");
  EXPECT_EQ(ParseError(u"[[a]]\nb.c = 1\n[a.b]"), u"Duplicate table header [a.b]");

  // What a header may do depends on the element it lands in, not on the earlier elements.
  const auto mixed = Parse(u"[[a]]\n[[a.b]]\n[[a]]\n[a.b]\nx = 1\n");
  EXPECT_EQ(At(*mixed, u"a")->As<TTOMLArray>()->GetItem(1)->As<TTOMLTable>()->Items().Count(), 1);
  EXPECT_EQ(ParseError(u"[[a]]\n[[a.b]]\n[[a]]\nb = [{x = 1}]\n[[a.b]]"),
            u"Cannot extend static array");
}

TEST(Parser, InlineTablesSpanLinesWithTrailingComma) {
  const auto root = Parse(u"t = {\n  a = 1,\n  b.c = 'x',\n\n}\nnext = 2\n");
  const TTOMLTable* t = At(*root, u"t")->As<TTOMLTable>();
  EXPECT_EQ(t->Items().Count(), 2);
  EXPECT_EQ(At(*root, u"t.b.c")->AsString(), u"x");
  EXPECT_EQ(At(*root, u"next")->AsInteger(), 2);
  EXPECT_EQ(Parse(u"e = {}")->Items().Count(), 1);
  EXPECT_EQ(ParseError(u"t = {a = 1, a = 2}"), u"Duplicate key \"a\" found");
  EXPECT_EQ(ParseError(u"t = {a = 1 b = 2}"),
            u"Expected ttRBrace but got ttIdentifier at line 1, column 12");
  EXPECT_EQ(ParseError(u"t = {a.b = 1}\nt.a.c = 2"), u"Cannot extend inline table \"t\"");
}

TEST(Parser, NestingIsLimited) {
  const auto nested = [](int depth, char16_t open, char16_t close) {
    std::u16string text = u"a = ";
    for (int i = 0; i < depth; ++i) {
      text += open;
      if (open == u'{') {
        text += u"k = ";
      }
    }
    text += u"1";
    text.append(static_cast<std::size_t>(depth), close);
    return text;
  };
  EXPECT_EQ(ParseError(nested(TTOMLParser::kMaxDepth, u'[', u']')), u"(no error)");
  EXPECT_EQ(ParseError(nested(TTOMLParser::kMaxDepth, u'{', u'}')), u"(no error)");
  EXPECT_EQ(ParseError(nested(TTOMLParser::kMaxDepth + 1, u'[', u']')),
            u"Tables and arrays nested deeper than 128 levels at line 1, column 133");
  // Far deeper than any stack would take.
  EXPECT_NE(ParseError(nested(200000, u'[', u']')), u"(no error)");
  EXPECT_NE(ParseError(nested(100000, u'{', u'}')), u"(no error)");

  // Dotted keys inside inline tables count too.
  std::u16string dotted = u"a = ";
  for (int i = 0; i < 64; ++i) {
    dotted += u"{ k.k = ";
  }
  EXPECT_EQ(ParseError(dotted + u"1" + std::u16string(64, u'}')), u"(no error)");
  EXPECT_EQ(ParseError(dotted + u"{ k.k = 1" + std::u16string(65, u'}')),
            u"Tables and arrays nested deeper than 128 levels at line 1, column 517");
  EXPECT_EQ(ParseError(u"a.b.c = [[[1]]]"), u"(no error)");

  std::u16string long_key = u"k";
  for (int i = 0; i < 200000; ++i) {
    long_key += u".k";
  }
  EXPECT_EQ(ParseError(long_key + u" = 1"),
            u"Tables and arrays nested deeper than 128 levels at line 1, column 259");
  EXPECT_EQ(ParseError(u"[" + long_key + u"]"),
            u"Tables and arrays nested deeper than 128 levels at line 1, column 258");

  // Header parts, arrays of tables, dotted keys and values all count together, so that the
  // writer can put every table under one header that reads back.
  const auto key = [](int parts) {
    std::u16string text = u"k";
    for (int i = 1; i < parts; ++i) {
      text += u".k";
    }
    return text;
  };
  EXPECT_EQ(ParseError(u"[" + key(80) + u"]\n" + key(49) + u" = 1"), u"(no error)");
  EXPECT_EQ(ParseError(u"[" + key(80) + u"]\n" + key(50) + u" = 1"),
            u"Tables and arrays nested deeper than 128 levels at line 2, column 99");
  EXPECT_EQ(ParseError(u"[" + key(80) + u"]\n" + key(48) + u" = []"), u"(no error)");
  EXPECT_EQ(ParseError(u"[" + key(80) + u"]\n" + key(49) + u" = []"),
            u"Tables and arrays nested deeper than 128 levels at line 2, column 101");
  EXPECT_EQ(ParseError(u"[a]\n[a." + key(127) + u"]"), u"(no error)");
  EXPECT_EQ(ParseError(u"[[a]]\n[a." + key(127) + u"]"),
            u"Tables and arrays nested deeper than 128 levels at line 2, column 1");
}

TEST(Parser, FailuresLeaveNothingBehind) {
  // Run under AddressSanitizer: a leak of the partial tree fails the test program.
  for (const std::u16string_view text :
       {u"a = [1, [2, {x = [3, {y = 4, y = 5}]}]]", u"[[a]]\nb = {c = [1, 2, 'x'\n",
        u"t.u.v = {w = [1979-13-01]}", u"# c\na = 1 # c\n[x] # c\ny = [ # c\n 1, # c\n bad ]",
        u"a = {b = 1}\n[a.c]"}) {
    EXPECT_NE(ParseError(text, false), u"(no error)");
    EXPECT_NE(ParseError(text, true), u"(no error)");
  }
  EXPECT_THROW(TTOMLParser(u"\"open", false), ETOMLParserException);
}

TEST(Parser, ValuesOutliveTheirDocument) {
  // Run under AddressSanitizer: a value taken out of a parsed document stays whole after the
  // document is gone, and values made by code live beside parsed ones.
  std::u16string text;
  for (int i = 0; i < 2000; ++i) {
    text += u"k" + IntToText(i) + u" = 'a parsed value'\n";
  }
  std::unique_ptr<TTOMLTable> root = Parse(text);
  std::unique_ptr<TTOMLValue> kept = root->Items().Remove(u"k1000");
  ASSERT_NE(kept, nullptr);
  root->Add(u"made", std::make_unique<TTOMLString>(u"made by code"));
  root.reset();
  EXPECT_EQ(kept->AsString(), u"a parsed value");
}

TEST(ParserComments, AttachToTheirNeighbours) {
  const auto root = Parse(
      u"# top\n\nkey = 1 # after key\n\n# before b\nb = 2\n"
      u"# before table\n[t] # on header\nx = 1\n[[arr]] # element\n# end\n",
      true);
  EXPECT_EQ(root->CommentBefore(), u"# top\n\n");
  EXPECT_EQ(At(*root, u"key")->CommentBefore(), u"");
  EXPECT_EQ(At(*root, u"key")->CommentInline(), u"# after key");
  EXPECT_EQ(At(*root, u"b")->CommentBefore(), u"# before b\n");  // leading blank lines are dropped
  EXPECT_EQ(At(*root, u"t")->CommentBefore(), u"# before table\n");
  EXPECT_EQ(At(*root, u"t")->CommentInline(), u"# on header");
  EXPECT_EQ(At(*root, u"arr")->As<TTOMLArray>()->GetItem(0)->CommentInline(), u"# element");
  EXPECT_EQ(root->CommentTrailing(), u"# end\n");

  // Without preserving, none of it is kept.
  const auto plain = Parse(u"# top\nkey = 1 # after\n", false);
  EXPECT_EQ(plain->CommentBefore(), u"");
  EXPECT_EQ(At(*plain, u"key")->CommentInline(), u"");
}

TEST(ParserComments, InsideArrays) {
  const auto root = Parse(
      u"a = [ # opening\n  # one\n  # two\n  1, # after one\n\n  # three\n  2 # after two\n"
      u"  # closing\n]\n",
      true);
  const TTOMLArray* a = At(*root, u"a")->As<TTOMLArray>();
  ASSERT_EQ(a->Count(), 2);
  // Two comment lines with no blank line between them stay two lines.
  EXPECT_EQ(a->GetItem(0)->CommentBefore(), u"# opening\n# one\n# two\n");
  EXPECT_EQ(a->GetItem(0)->CommentInline(), u"# after one");
  EXPECT_EQ(a->GetItem(1)->CommentBefore(), u"# three\n");
  EXPECT_EQ(a->GetItem(1)->CommentInline(), u"# after two");
  EXPECT_EQ(a->CommentTrailing(), u"# closing\n");

  const auto trailing = Parse(u"a = [1,\n  # last\n]\n", true);
  EXPECT_EQ(At(*trailing, u"a")->As<TTOMLArray>()->CommentTrailing(), u"# last\n");
}

TEST(ParserComments, InsideInlineTables) {
  const auto root = Parse(
      u"first = 1\n# waits\nt = { # opening\n  a = 1, # after a\n  # before b\n  b = 2\n  # "
      u"closing\n}\n"
      u"u = 1\n",
      true);
  const TTOMLValue* t = At(*root, u"t");
  EXPECT_EQ(t->CommentBefore(), u"# waits\n");  // the pending comment survives the table
  EXPECT_EQ(At(*root, u"t.a")->CommentBefore(), u"# opening");
  EXPECT_EQ(At(*root, u"t.a")->CommentInline(), u"# after a");
  EXPECT_EQ(At(*root, u"t.b")->CommentBefore(), u"# before b\n");
  EXPECT_EQ(t->As<TTOMLTable>()->CommentTrailing(), u"# closing");
  EXPECT_EQ(At(*root, u"u")->CommentBefore(), u"");
  EXPECT_EQ(
      Parse(u"e = { # only\n}", true)->Items().GetValue(0)->As<TTOMLTable>()->CommentTrailing(),
      u"# only");
}

}  // namespace
}  // namespace dactyra::toml
