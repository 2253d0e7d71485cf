#include <gtest/gtest.h>

#include "base/utf.h"
#include "support/toml_tree_compare.h"
#include "toml/document_io.h"

namespace dactyra::toml {
namespace {

using testing::CompareTrees;
using testing::TreeCompareOptions;

// Documents in the layout the writer itself produces (key/value lines before sub-tables), so
// that reading, writing and reading again must give the same tree, comments and order included.
const std::string kDocuments[] = {
    "# Fingerprint descriptions\r\n"
    "\r\n"
    "[[finger]] # first\r\n"
    "unitid = 1\r\n"
    "fingerid = \"0xF5\"\r\n"
    "description = \"Left \\\"index\\\"\" # quoted\r\n"
    "\r\n"
    "# the second finger\r\n"
    "[[finger]]\r\n"
    "unitid = 2\r\n"
    "fingerid = \"0xF6\"\r\n"
    "description = \"\"\"\r\n"
    "two\r\n"
    "lines\"\"\"\r\n"
    "\r\n"
    "[units]\r\n"
    "2 = \"Second sensor\"\r\n"
    "1 = 'C:\\sensors\\one'\r\n"
    "# end of file\r\n",

    "title = \"T\"\n"
    "numbers = [ 1, 2.5, -3e-7, 0x1F, 1_000, +inf, nan ] # mixed\n"
    "nested = [[1, 2], [\"a\", 'b'], []]\n"
    "when = [1979-05-27T07:32:00Z, 1979-05-27 07:32:00.999999-07:00, 1979-05-27, 07:32:00]\n"
    "point = { x = 1, y = { z = \"deep\" } }\n"
    "empty = {}\n"
    "long = \"" +
        std::string(120, 'x') +
        " tail\"\n"
        "\n"
        "# a table with odd keys\n"
        "[\"key with spaces\".'dots.inside']\n"
        "\"\" = \"empty key\"\n"
        "tab = \"a\\tb\\u001Bc\\r\\n\"\n"
        "\n"
        "[empty_table]\n",

    "list = [\n"
    "  # before one\n"
    "  1, # one\n"
    "\n"
    "  # before two\n"
    "  2,\n"
    "  # after all\n"
    "]\n"
    "inline = { a = 1, b = [true, false] }\n"
    "[[fruit]]\n"
    "name = \"apple\"\n"
    "[fruit.physical] # sub-table of the last fruit\n"
    "color = \"red\"\n"
    "[[fruit.variety]]\n"
    "name = \"red delicious\"\n"
    "[[fruit]]\n"
    "name = \"banana\"\n",
};

class RoundTrip : public ::testing::TestWithParam<std::int32_t> {};

TEST_P(RoundTrip, ReadWriteReadKeepsTheTreeAndWritingAgainKeepsTheText) {
  const std::int32_t wrap_width = GetParam();
  for (const std::string& document : kDocuments) {
    SCOPED_TRACE(document);
    const auto first = ParseString(*Utf8ToUtf16(document), true);
    ASSERT_NE(first, nullptr);
    const std::u16string written = SerializeToString(*first, wrap_width, true);
    const auto second = ParseString(written, true);
    ASSERT_NE(second, nullptr) << Utf16ToUtf8Lossy(written);
    EXPECT_EQ(CompareTrees(*first, *second), "") << Utf16ToUtf8Lossy(written);
    EXPECT_EQ(SerializeToString(*second, wrap_width, true), written);

    // Without comments the keys are sorted; the values stay the same.
    const std::u16string sorted = SerializeToString(*first, wrap_width, false);
    const auto third = ParseString(sorted, false);
    ASSERT_NE(third, nullptr) << Utf16ToUtf8Lossy(sorted);
    EXPECT_EQ(CompareTrees(*first, *third, TreeCompareOptions{false, false}), "");
    EXPECT_EQ(SerializeToString(*third, wrap_width, false), sorted);
  }
}

INSTANTIATE_TEST_SUITE_P(WrapWidths, RoundTrip, ::testing::Values(0, 1, 20, 80));

TEST(RoundTrip, DottedKeysSettleAfterOneWrite) {
  // Tables made by dotted keys are written as sections after the plain keys, so the first
  // read-back has another key order; from then on nothing changes.
  const auto first = ParseString(u"a.b = 1 # one\nc = 2\n[t]\nx.y = 3\nz = 4\n", true);
  ASSERT_NE(first, nullptr);
  const std::u16string written = SerializeToString(*first, 0, true);
  EXPECT_EQ(written,
            u"c = 2\r\n\r\n[a]\r\nb = 1 # one\r\n\r\n[t]\r\nz = 4\r\n\r\n[t.x]\r\ny = 3\r\n");
  const auto second = ParseString(written, true);
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(CompareTrees(*first, *second, TreeCompareOptions{true, false}), "");
  EXPECT_EQ(SerializeToString(*second, 0, true), written);
}

}  // namespace
}  // namespace dactyra::toml
