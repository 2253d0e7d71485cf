#include "toml/serializer.h"

#include <algorithm>
#include <string_view>
#include <utility>

#include "base/format.h"
#include "base/strings.h"
#include "toml/exceptions.h"
#include "toml/scalar_text.h"
#include "toml/string_text.h"

namespace dactyra::toml {
namespace {

constexpr std::u16string_view kLineBreak = u"\r\n";

[[noreturn]] void CannotWrite(const char16_t* kind) {
  throw ETOMLException(Format(u"Cannot convert this TOML value to %s", kind));
}

// The array or table that a value of its kind is; a class of someone else's that claims the kind
// cannot be written.
template <class T>
const T& Container(const TTOMLValue& value) {
  if (const T* container = value.As<T>()) {
    return *container;
  }
  CannotWrite(T::kValueType == tvtArray ? u"array" : u"table");
}

bool IsArrayOfTables(const TTOMLValue& value) {
  if (value.ValueType() != tvtArray) {
    return false;
  }
  const TTOMLValueList& items = Container<TTOMLArray>(value).Items();
  return !items.empty() && std::all_of(items.begin(), items.end(), [](const auto& item) {
    return item->ValueType() == tvtTable;
  });
}

bool IsStandardTable(const TTOMLValue& value) {
  return value.ValueType() == tvtTable && !Container<TTOMLTable>(value).IsInline();
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
    WriteTableBody(Container<TTOMLTable>(value));
  } else {
    WriteValue(value);
  }
  return std::move(FStringBuilder);
}

std::vector<std::int32_t> TTOMLSerializer::KeyOrder(const TTOMLTable& table) const {
  const TTOMLOrderedTable& items = table.Items();
  const auto count = static_cast<std::size_t>(items.Count());
  std::vector<std::int32_t> order(count);
  for (std::size_t i = 0; i < count; ++i) {
    order[i] = static_cast<std::int32_t>(i);
  }
  if (!FPreserveComments) {
    // The keys looked up once rather than twice in every comparison.
    std::vector<std::u16string_view> keys(count);
    for (std::size_t i = 0; i < count; ++i) {
      keys[i] = items.GetKey(static_cast<std::int32_t>(i));
    }
    std::sort(order.begin(), order.end(), [&keys](std::int32_t a, std::int32_t b) {
      return keys[static_cast<std::size_t>(a)] < keys[static_cast<std::size_t>(b)];
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
      WriteArrayOfTables(items.GetKey(i), Container<TTOMLArray>(value));
    } else if (IsStandardTable(value)) {
      WriteSubTable(items.GetKey(i), Container<TTOMLTable>(value));
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
    WriteTableBody(Container<TTOMLTable>(*item));
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
  for (const std::u16string_view part : FCurrentPath) {
    WriteKey(part);
    FStringBuilder += u".";
  }
  WriteKey(key);
}

// A class of someone else's that claims a scalar kind is written through its As... reader.
void TTOMLSerializer::WriteValue(const TTOMLValue& value) {
  switch (value.ValueType()) {
    case tvtString:
      // Read in place rather than copied by AsString.
      if (const auto* text = value.As<TTOMLString>()) {
        WriteString(text->Value());
      } else {
        WriteString(value.AsString());
      }
      break;
    case tvtInteger:
      FStringBuilder += IntToText(value.AsInteger());
      break;
    case tvtFloat: {
      const auto* number = value.As<TTOMLFloat>();
      AppendFloatText(
          FStringBuilder, value.AsFloat(),
          number != nullptr ? std::u16string_view(number->RawString()) : std::u16string_view());
      break;
    }
    case tvtBoolean:
      FStringBuilder += value.AsBoolean() ? u"true" : u"false";
      break;
    case tvtDateTime: {
      const auto* date_time = value.As<TTOMLDateTime>();
      if (date_time == nullptr) {
        throw ETOMLSerializerException(u"Invalid datetime value type");
      }
      AppendDateTimeText(FStringBuilder, *date_time);
      break;
    }
    case tvtArray:
      WriteArray(Container<TTOMLArray>(value));
      break;
    case tvtTable:
    case tvtInlineTable:
      WriteInlineTable(Container<TTOMLTable>(value));
      break;
  }
}

void TTOMLSerializer::WriteString(std::u16string_view text) {
  const bool multiline =
      FWrapWidth > 0 && (text.find_first_of(u"\r\n") != std::u16string_view::npos ||
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
        (first ? 1 : 2) + KeyLength(items.GetKey(i)) + MeasuredLength(*items.GetValue(i)) + 3;
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

void TTOMLSerializer::WriteKey(std::u16string_view key) {
  AppendKey(FStringBuilder, key);
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
