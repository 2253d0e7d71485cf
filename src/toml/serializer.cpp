#include "toml/serializer.h"

#include <algorithm>
#include <string_view>
#include <utility>

#include "base/strings.h"
#include "toml/exceptions.h"
#include "toml/scalar_text.h"
#include "toml/string_text.h"

namespace dactyra::toml {
namespace {

constexpr std::u16string_view kLineBreak = u"\r\n";

bool IsArrayOfTables(const TTOMLValue& value) {
  if (value.ValueType() != tvtArray) {
    return false;
  }
  const TTOMLValueList& items = value.AsArray()->Items();
  return !items.empty() && std::all_of(items.begin(), items.end(), [](const auto& item) {
    return item->ValueType() == tvtTable;
  });
}

bool IsStandardTable(const TTOMLValue& value) {
  return value.ValueType() == tvtTable && !value.AsTable()->IsInline();
}

bool HasComments(const TTOMLValue& value) {
  return !value.CommentBefore().empty() || !value.CommentInline().empty();
}

// A stored comment line that lacks its '#' still has to read back as a comment.
std::u16string AsCommentLine(std::u16string_view line) {
  const std::size_t first = line.find_first_not_of(u" \t");
  if (first != std::u16string_view::npos && line[first] == u'#') {
    return std::u16string(line);
  }
  return u"# " + std::u16string(line);
}

}  // namespace

std::u16string TTOMLSerializer::Serialize(const TTOMLValue& value, std::int32_t wrap_width,
                                          bool preserve_comments) {
  FStringBuilder.clear();
  FCurrentPath.clear();
  FIndentLevel = 0;
  FWrapWidth = wrap_width;
  FPreserveComments = preserve_comments;
  FBodyStart = 0;
  if (value.ValueType() == tvtTable) {
    // The comment at the top keeps one empty line after it when it had one; a reader gives the
    // top comment and the first header's comment to the root alike, so nothing may separate
    // them that would not read back the same way.
    WriteCommentBlock(value.CommentBefore(), true);
    FBodyStart = FStringBuilder.size();
    WriteTableBody(*value.AsTable());
  } else {
    WriteValue(value);
  }
  return std::move(FStringBuilder);
}

std::vector<std::int32_t> TTOMLSerializer::KeyOrder(const TTOMLTable& table) const {
  const TTOMLOrderedTable& items = table.Items();
  std::vector<std::int32_t> order(static_cast<std::size_t>(items.Count()));
  for (std::int32_t i = 0; i < items.Count(); ++i) {
    order[static_cast<std::size_t>(i)] = i;
  }
  if (!FPreserveComments) {
    std::sort(order.begin(), order.end(), [&items](std::int32_t a, std::int32_t b) {
      return items.GetKey(a) < items.GetKey(b);
    });
  }
  return order;
}

void TTOMLSerializer::WriteTableBody(const TTOMLTable& table) {
  const TTOMLOrderedTable& items = table.Items();
  const std::vector<std::int32_t> order = KeyOrder(table);
  for (const std::int32_t i : order) {
    const TTOMLValue& value = *items.GetValue(i);
    if (!IsStandardTable(value) && !IsArrayOfTables(value)) {
      WriteKeyValueLine(items.GetKey(i), value);
    }
  }
  for (const std::int32_t i : order) {
    const TTOMLValue& value = *items.GetValue(i);
    if (IsArrayOfTables(value)) {
      WriteArrayOfTables(items.GetKey(i), *value.AsArray());
    } else if (IsStandardTable(value)) {
      WriteSubTable(items.GetKey(i), *value.AsTable());
    }
  }
  WriteCommentBlock(table.CommentTrailing());
}

void TTOMLSerializer::WriteKeyValueLine(const std::u16string& key, const TTOMLValue& value) {
  WriteCommentBlock(value.CommentBefore());
  WriteIndent();
  WriteKey(key);
  FStringBuilder += u" = ";
  WriteValue(value);
  WriteInlineComment(value.CommentInline());
  NewLine();
}

void TTOMLSerializer::WriteArrayOfTables(const std::u16string& key, const TTOMLArray& array) {
  for (const auto& item : array.Items()) {
    WriteBlankLineBeforeHeader();
    WriteCommentBlock(item->CommentBefore());
    WriteIndent();
    FStringBuilder += u"[[";
    WriteHeaderPath(key);
    FStringBuilder += u"]]";
    WriteInlineComment(item->CommentInline());
    NewLine();
    FCurrentPath.push_back(key);
    WriteTableBody(*item->AsTable());
    FCurrentPath.pop_back();
  }
}

void TTOMLSerializer::WriteSubTable(const std::u16string& key, const TTOMLTable& table) {
  WriteBlankLineBeforeHeader();
  WriteCommentBlock(table.CommentBefore());
  WriteIndent();
  FStringBuilder += u"[";
  WriteHeaderPath(key);
  FStringBuilder += u"]";
  WriteInlineComment(table.CommentInline());
  NewLine();
  if (table.Items().Count() == 0) {
    return;
  }
  FCurrentPath.push_back(key);
  WriteTableBody(table);
  FCurrentPath.pop_back();
}

void TTOMLSerializer::WriteHeaderPath(const std::u16string& key) {
  for (const std::u16string& part : FCurrentPath) {
    WriteKey(part);
    FStringBuilder += u".";
  }
  WriteKey(key);
}

void TTOMLSerializer::WriteValue(const TTOMLValue& value) {
  switch (value.ValueType()) {
    case tvtString:
      WriteString(value.AsString());
      break;
    case tvtInteger:
      FStringBuilder += IntToText(value.AsInteger());
      break;
    case tvtFloat: {
      const auto* number = dynamic_cast<const TTOMLFloat*>(&value);
      FStringBuilder += FloatToTOMLText(value.AsFloat(), number ? number->RawString() : u"");
      break;
    }
    case tvtBoolean:
      FStringBuilder += value.AsBoolean() ? u"true" : u"false";
      break;
    case tvtDateTime: {
      const auto* date_time = dynamic_cast<const TTOMLDateTime*>(&value);
      if (date_time == nullptr) {
        throw ETOMLSerializerException(u"Invalid datetime value type");
      }
      FStringBuilder += DateTimeToTOMLText(*date_time);
      break;
    }
    case tvtArray:
      WriteArray(*value.AsArray());
      break;
    case tvtTable:
    case tvtInlineTable:
      WriteInlineTable(*value.AsTable());
      break;
  }
}

void TTOMLSerializer::WriteString(const std::u16string& text) {
  const bool multiline =
      FWrapWidth > 0 && (text.find_first_of(u"\r\n") != std::u16string::npos ||
                         BasicStringLength(text) > static_cast<std::size_t>(FWrapWidth));
  if (multiline) {
    AppendMultilineString(FStringBuilder, text, static_cast<std::size_t>(FWrapWidth),
                          static_cast<std::size_t>(FIndentLevel) * 2);
  } else {
    AppendBasicString(FStringBuilder, text);
  }
}

bool TTOMLSerializer::ArrayNeedsMultipleLines(const TTOMLArray& array) {
  const TTOMLValueList& items = array.Items();
  if (FPreserveComments && (!array.CommentTrailing().empty() ||
                            std::any_of(items.begin(), items.end(),
                                        [](const auto& item) { return HasComments(*item); }))) {
    return true;
  }
  if (FWrapWidth > 0) {
    std::size_t estimate = 2 * static_cast<std::size_t>(FIndentLevel) + 2;
    for (std::size_t i = 0; i < items.size(); ++i) {
      estimate += (i > 0 ? 2 : 0) + MeasuredLength(*items[i]);
      if (estimate > static_cast<std::size_t>(FWrapWidth)) {
        return true;
      }
    }
    return false;
  }
  return std::any_of(items.begin(), items.end(), [](const auto& item) {
    const TTOMLValueType type = item->ValueType();
    return type == tvtArray || type == tvtTable || type == tvtInlineTable;
  });
}

void TTOMLSerializer::WriteArray(const TTOMLArray& array) {
  const TTOMLValueList& items = array.Items();
  const bool trailing = FPreserveComments && !array.CommentTrailing().empty();
  if (items.empty() && !trailing) {
    FStringBuilder += u"[]";
    return;
  }
  if (items.empty() || ArrayNeedsMultipleLines(array)) {
    FStringBuilder += u"[";
    NewLine();
    ++FIndentLevel;
    for (const auto& item : items) {
      WriteCommentBlock(item->CommentBefore());
      WriteIndent();
      WriteValue(*item);
      FStringBuilder += u",";
      WriteInlineComment(item->CommentInline());
      NewLine();
    }
    --FIndentLevel;
    WriteCommentBlock(array.CommentTrailing());
    WriteIndent();
    FStringBuilder += u"]";
    return;
  }
  const std::int32_t wrap_width = std::exchange(FWrapWidth, 0);
  FStringBuilder += u"[";
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (i > 0) {
      FStringBuilder += u", ";
    }
    WriteValue(*items[i]);
  }
  FStringBuilder += u"]";
  FWrapWidth = wrap_width;
}

bool TTOMLSerializer::InlineTableNeedsMultipleLines(const TTOMLTable& table,
                                                    const std::vector<std::int32_t>& order) {
  const TTOMLOrderedTable& items = table.Items();
  if (FPreserveComments) {
    if (!table.CommentTrailing().empty()) {
      return true;
    }
    for (std::int32_t i = 0; i < items.Count(); ++i) {
      if (HasComments(*items.GetValue(i))) {
        return true;
      }
    }
  }
  if (FWrapWidth <= 0) {
    return false;
  }
  std::size_t estimate = 2 * static_cast<std::size_t>(FIndentLevel) + 3;
  bool first = true;
  for (const std::int32_t i : order) {
    estimate +=
        (first ? 1 : 2) + KeyText(items.GetKey(i)).size() + MeasuredLength(*items.GetValue(i)) + 3;
    first = false;
    if (estimate > static_cast<std::size_t>(FWrapWidth)) {
      return true;
    }
  }
  return false;
}

void TTOMLSerializer::WriteInlineTable(const TTOMLTable& table) {
  const TTOMLOrderedTable& items = table.Items();
  const std::vector<std::int32_t> order = KeyOrder(table);
  if (InlineTableNeedsMultipleLines(table, order)) {
    FStringBuilder += u"{";
    NewLine();
    ++FIndentLevel;
    for (const std::int32_t i : order) {
      const TTOMLValue& value = *items.GetValue(i);
      WriteCommentBlock(value.CommentBefore());
      WriteIndent();
      WriteKey(items.GetKey(i));
      FStringBuilder += u" = ";
      WriteValue(value);
      FStringBuilder += u",";
      WriteInlineComment(value.CommentInline());
      NewLine();
    }
    WriteCommentBlock(table.CommentTrailing());
    --FIndentLevel;
    WriteIndent();
    FStringBuilder += u"}";
    return;
  }
  const std::int32_t wrap_width = std::exchange(FWrapWidth, 0);
  FStringBuilder += u"{";
  bool first = true;
  for (const std::int32_t i : order) {
    if (!first) {
      FStringBuilder += u", ";
    }
    first = false;
    WriteKey(items.GetKey(i));
    FStringBuilder += u" = ";
    WriteValue(*items.GetValue(i));
  }
  FStringBuilder += u"}";
  FWrapWidth = wrap_width;
}

void TTOMLSerializer::WriteKey(const std::u16string& key) {
  FStringBuilder += KeyText(key);
}

void TTOMLSerializer::WriteCommentBlock(const std::u16string& comment, bool keep_empty_line) {
  if (!FPreserveComments || comment.empty()) {
    return;
  }
  std::vector<std::u16string_view> lines = SplitLines(comment);
  bool had_empty_line = false;
  while (!lines.empty() && lines.back().empty()) {
    lines.pop_back();
    had_empty_line = true;
  }
  if (lines.empty()) {
    return;
  }
  if (keep_empty_line && had_empty_line) {
    lines.emplace_back();
  }
  for (const std::u16string_view line : lines) {
    if (!line.empty()) {
      WriteIndent();
      FStringBuilder += AsCommentLine(line);
    }
    NewLine();
  }
}

void TTOMLSerializer::WriteInlineComment(const std::u16string& comment) {
  if (!FPreserveComments || comment.empty()) {
    return;
  }
  FStringBuilder += u" ";
  FStringBuilder += AsCommentLine(SplitLines(comment).front());
}

void TTOMLSerializer::WriteBlankLineBeforeHeader() {
  if (FStringBuilder.size() == FBodyStart) {
    return;
  }
  if (!FStringBuilder.ends_with(kLineBreak)) {
    NewLine();
  }
  NewLine();
}

void TTOMLSerializer::WriteIndent() {
  if (FIndentLevel > 0) {
    FStringBuilder.append(2 * static_cast<std::size_t>(FIndentLevel), u' ');
  }
}

void TTOMLSerializer::NewLine() {
  FStringBuilder += kLineBreak;
}

std::size_t TTOMLSerializer::MeasuredLength(const TTOMLValue& value) {
  std::u16string scratch;
  std::swap(scratch, FStringBuilder);
  const std::int32_t wrap_width = std::exchange(FWrapWidth, 0);
  try {
    WriteValue(value);
  } catch (...) {
    std::swap(scratch, FStringBuilder);
    FWrapWidth = wrap_width;
    throw;
  }
  std::swap(scratch, FStringBuilder);
  FWrapWidth = wrap_width;
  return scratch.size();
}

}  // namespace dactyra::toml
