#include "toml/value.h"

#include <cstdlib>
#include <stdexcept>

#include "base/format.h"
#include "toml/date_time.h"
#include "toml/exceptions.h"

namespace dactyra::toml {
namespace {

[[noreturn]] void CannotConvert(const char16_t* kind) {
  throw ETOMLException(Format(u"Cannot convert this TOML value to %s", kind));
}

}  // namespace

namespace {

const std::u16string kNoComment;

// An arena aligns its pieces like a pointer.
static_assert(alignof(TTOMLDateTime) <= alignof(void*) && alignof(TTOMLFloat) <= alignof(void*) &&
              alignof(TTOMLInteger) <= alignof(void*) && alignof(TTOMLTable) <= alignof(void*) &&
              alignof(TTOMLArray) <= alignof(void*) && alignof(TTOMLString) <= alignof(void*));

}  // namespace

const std::u16string& TTOMLValue::CommentBefore() const {
  return FComments ? FComments->Before : kNoComment;
}

const std::u16string& TTOMLValue::CommentInline() const {
  return FComments ? FComments->Inline : kNoComment;
}

const std::u16string& TTOMLValue::TrailingComment() const {
  return FComments ? FComments->Trailing : kNoComment;
}

TTOMLValue::TComments& TTOMLValue::Comments() {
  if (!FComments) {
    FComments = std::make_unique<TComments>();
  }
  return *FComments;
}

void TTOMLValue::SetCommentBefore(std::u16string value) {
  if (FComments || !value.empty()) {
    Comments().Before = std::move(value);
  }
}

void TTOMLValue::SetCommentInline(std::u16string value) {
  if (FComments || !value.empty()) {
    Comments().Inline = std::move(value);
  }
}

void TTOMLValue::SetTrailingComment(std::u16string value) {
  if (FComments || !value.empty()) {
    Comments().Trailing = std::move(value);
  }
}

std::u16string TTOMLValue::AsString() const {
  CannotConvert(u"string");
}
std::int64_t TTOMLValue::AsInteger() const {
  CannotConvert(u"integer");
}
double TTOMLValue::AsFloat() const {
  CannotConvert(u"float");
}
bool TTOMLValue::AsBoolean() const {
  CannotConvert(u"boolean");
}
TDateTime TTOMLValue::AsDateTime() const {
  CannotConvert(u"datetime");
}

std::u16string TTOMLDateTime::AsString() const {
  if (!FRawString.empty()) {
    return FRawString;
  }
  const TDateTimeParts t = DecodeDateTime(FValue);
  const std::u16string date = Format(u"%.4d-%.2d-%.2d", t.Year, t.Month, t.Day);
  const std::u16string time = Format(u"%.2d:%.2d:%.2d", t.Hour, t.Minute, t.Second);
  switch (FKind) {
    case tdkLocalDateTime:
      return date + u"T" + time;
    case tdkLocalDate:
      return date;
    case tdkLocalTime:
      return time;
    case tdkOffsetDateTime:
      break;
  }
  if (FTimeZoneOffset == 0) {
    return date + u"T" + time + u"Z";
  }
  const std::int32_t magnitude = std::abs(FTimeZoneOffset);
  return date + u"T" + time +
         Format(u"%s%.2d:%.2d", FTimeZoneOffset < 0 ? u"-" : u"+", magnitude / 60, magnitude % 60);
}

TTOMLArray::~TTOMLArray() {
  // Items go in list order.
  for (auto& item : FItems) {
    item.reset();
  }
}

void TTOMLArray::CheckIndex(std::int32_t index) const {
  if (index < 0 || index >= Count()) {
    throw std::out_of_range("TOML array position out of range");
  }
}

const TTOMLValue* TTOMLArray::GetItem(std::int32_t index) const {
  CheckIndex(index);
  return FItems[static_cast<std::size_t>(index)].get();
}

std::unique_ptr<TTOMLValue> TTOMLArray::Remove(std::int32_t index) {
  CheckIndex(index);
  std::unique_ptr<TTOMLValue> removed = std::move(FItems[static_cast<std::size_t>(index)]);
  FItems.erase(FItems.begin() + index);
  return removed;
}

}  // namespace dactyra::toml
