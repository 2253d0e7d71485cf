#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "toml/value.h"

namespace dactyra::toml {

// Writes a document (or any single value) as TOML text with CR LF line ends.
//
// Wrap width: 0 or less keeps every value on one line (arrays that hold arrays or tables excepted);
// a positive width lets long strings, arrays and inline tables take their multi-line forms.
// Preserve comments: writes the comments stored on the values and keeps every table's insertion
// order; without it no comment is written and the keys of every table are sorted (ordinal).
class TTOMLSerializer {
 public:
  TTOMLSerializer() = default;

  // The TOML text of the value. Raises ETOMLSerializerException "Invalid datetime value type" for a
  // date-time kind that is not a date-time object (and ETOMLException for any other value whose
  // kind does not match its class).
  std::u16string Serialize(const TTOMLValue& value, std::int32_t wrap_width,
                           bool preserve_comments);

 private:
  void WriteTableBody(const TTOMLTable& table);
  void WriteKeyValueLine(const std::u16string& key, const TTOMLValue& value);
  void WriteArrayOfTables(const std::u16string& key, const TTOMLArray& array);
  void WriteSubTable(const std::u16string& key, const TTOMLTable& table);
  void WriteHeaderPath(const std::u16string& key);
  void WriteValue(const TTOMLValue& value);
  void WriteString(const std::u16string& text);
  void WriteMultilineString(const std::u16string& text);
  void WriteArray(const TTOMLArray& array);
  bool ArrayNeedsMultipleLines(const TTOMLArray& array);
  void WriteInlineTable(const TTOMLTable& table);
  bool InlineTableNeedsMultipleLines(const TTOMLTable& table,
                                     const std::vector<std::int32_t>& order);
  void WriteKey(const std::u16string& key);
  void WriteCommentBlock(const std::u16string& comment, bool keep_empty_line = false);
  void WriteInlineComment(const std::u16string& comment);
  void WriteBlankLineBeforeHeader();
  void WriteIndent();
  void NewLine();
  std::size_t MeasuredLength(const TTOMLValue& value);
  std::vector<std::int32_t> KeyOrder(const TTOMLTable& table) const;

  std::u16string FStringBuilder;
  std::int32_t FIndentLevel = 0;
  std::vector<std::u16string> FCurrentPath;
  std::int32_t FWrapWidth = 0;
  bool FPreserveComments = false;
  // Where the root's body begins: after the document's top comment, if any.
  std::size_t FBodyStart = 0;
};

}  // namespace dactyra::toml
