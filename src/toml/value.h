#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <typeinfo>
#include <utility>
#include <vector>

#include "toml/ordered_table.h"
#include "toml/value_arena.h"

namespace dactyra::toml {

// A date-time number: whole part = days since 30 December 1899, fraction = part of the day.
using TDateTime = double;

enum TTOMLValueType : std::uint8_t {
  tvtString = 0,
  tvtInteger = 1,
  tvtFloat = 2,
  tvtBoolean = 3,
  tvtDateTime = 4,
  tvtArray = 5,
  tvtTable = 6,
  // Never carried by a value: an inline table is a tvtTable whose IsInline is true.
  tvtInlineTable = 7,
};

enum TTOMLDateTimeKind : std::uint8_t {
  tdkOffsetDateTime = 0,
  tdkLocalDateTime = 1,
  tdkLocalDate = 2,
  tdkLocalTime = 3,
};

// A node of a TOML document. Each As... reader of the scalars raises ETOMLException
// ("Cannot convert this TOML value to ..."); a concrete class overrides the ones it supports.
class TTOMLValue {
 public:
  explicit TTOMLValue(TTOMLValueType type) : FValueType(type) {}
  virtual ~TTOMLValue() = default;
  TTOMLValue(const TTOMLValue&) = delete;
  TTOMLValue& operator=(const TTOMLValue&) = delete;

  // Values live on the heap, or in the arena of a parse (new (arena) TTOMLString(...)); a
  // std::unique_ptr deletes either kind.
  static void* operator new(std::size_t size) { return TValueArena::AllocateFromHeap(size); }
  static void* operator new(std::size_t size, TValueArena& arena) { return arena.Allocate(size); }
  static void operator delete(void* memory) noexcept { TValueArena::Release(memory); }
  static void operator delete(void* memory, TValueArena&) noexcept { TValueArena::Release(memory); }

  TTOMLValueType ValueType() const { return FValueType; }
  // Comment lines (with their '#') and blank lines above the value, joined with LF.
  const std::u16string& CommentBefore() const;
  void SetCommentBefore(std::u16string value);
  // The comment after the value on its line (with its '#').
  const std::u16string& CommentInline() const;
  void SetCommentInline(std::u16string value);

  virtual std::u16string AsString() const;
  virtual std::int64_t AsInteger() const;
  virtual double AsFloat() const;
  virtual bool AsBoolean() const;
  virtual TDateTime AsDateTime() const;

  // The value as one of the classes below (As<TTOMLTable>(), ...), or null when it is of another
  // kind. The kind is compared first; the class is confirmed too, so that a class of someone
  // else's that claims the kind is never taken for ours (ours are final).
  template <class T>
  const T* As() const {
    return FValueType == T::kValueType && typeid(*this) == typeid(T) ? static_cast<const T*>(this)
                                                                     : nullptr;
  }
  template <class T>
  T* As() {
    return const_cast<T*>(std::as_const(*this).template As<T>());
  }

 protected:
  // The comments after the last item of an array or entry of a table.
  const std::u16string& TrailingComment() const;
  void SetTrailingComment(std::u16string value);

 private:
  // Most values carry no comment: the texts are held apart and made on first use.
  struct TComments {
    std::u16string Before;
    std::u16string Inline;
    std::u16string Trailing;
  };

  TComments& Comments();

  std::unique_ptr<TComments> FComments;
  // Last, so that the flags of derived classes can share its word.
  TTOMLValueType FValueType;
};

class TTOMLString final : public TTOMLValue {
 public:
  static constexpr TTOMLValueType kValueType = tvtString;

  explicit TTOMLString(std::u16string value) : TTOMLValue(kValueType), FValue(std::move(value)) {}

  const std::u16string& Value() const { return FValue; }
  void SetValue(std::u16string value) { FValue = std::move(value); }
  std::u16string AsString() const override { return FValue; }

 private:
  std::u16string FValue;
};

class TTOMLInteger final : public TTOMLValue {
 public:
  static constexpr TTOMLValueType kValueType = tvtInteger;

  explicit TTOMLInteger(std::int64_t value) : TTOMLValue(kValueType), FValue(value) {}

  std::int64_t Value() const { return FValue; }
  void SetValue(std::int64_t value) { FValue = value; }
  std::int64_t AsInteger() const override { return FValue; }
  double AsFloat() const override { return static_cast<double>(FValue); }

 private:
  std::int64_t FValue;
};

class TTOMLFloat final : public TTOMLValue {
 public:
  static constexpr TTOMLValueType kValueType = tvtFloat;

  // raw_string: the source spelling without underscores; empty for floats made by code.
  explicit TTOMLFloat(double value, std::u16string raw_string = {})
      : TTOMLValue(kValueType), FValue(value), FRawString(std::move(raw_string)) {}

  double Value() const { return FValue; }
  void SetValue(double value) { FValue = value; }
  const std::u16string& RawString() const { return FRawString; }
  void SetRawString(std::u16string value) { FRawString = std::move(value); }
  double AsFloat() const override { return FValue; }

 private:
  double FValue;
  std::u16string FRawString;
};

class TTOMLBoolean final : public TTOMLValue {
 public:
  static constexpr TTOMLValueType kValueType = tvtBoolean;

  explicit TTOMLBoolean(bool value) : TTOMLValue(kValueType), FValue(value) {}

  bool Value() const { return FValue; }
  void SetValue(bool value) { FValue = value; }
  bool AsBoolean() const override { return FValue; }

 private:
  bool FValue;
};

// The wall-clock date and time as written (no shift to UTC); a local date has a zero time part,
// a local time a zero date part. time_zone_offset: minutes east of UTC.
class TTOMLDateTime final : public TTOMLValue {
 public:
  static constexpr TTOMLValueType kValueType = tvtDateTime;

  TTOMLDateTime(TDateTime date_time, std::u16string raw_string, TTOMLDateTimeKind kind,
                std::int32_t time_zone_offset)
      : TTOMLValue(kValueType),
        FValue(date_time),
        FRawString(std::move(raw_string)),
        FKind(kind),
        FTimeZoneOffset(time_zone_offset) {}

  TDateTime Value() const { return FValue; }
  void SetValue(TDateTime value) { FValue = value; }
  const std::u16string& RawString() const { return FRawString; }
  void SetRawString(std::u16string value) { FRawString = std::move(value); }
  TTOMLDateTimeKind Kind() const { return FKind; }
  void SetKind(TTOMLDateTimeKind value) { FKind = value; }
  std::int32_t TimeZoneOffset() const { return FTimeZoneOffset; }
  void SetTimeZoneOffset(std::int32_t value) { FTimeZoneOffset = value; }

  // The raw spelling when there is one, else a text made from the value and kind.
  std::u16string AsString() const override;
  TDateTime AsDateTime() const override { return FValue; }

 private:
  TDateTime FValue;
  std::u16string FRawString;
  TTOMLDateTimeKind FKind;
  std::int32_t FTimeZoneOffset;
};

using TTOMLValueList = std::vector<std::unique_ptr<TTOMLValue>>;

// Owns its items; items of any kinds may be mixed. Positions outside 0..Count-1 raise
// std::out_of_range.
class TTOMLArray final : public TTOMLValue {
 public:
  static constexpr TTOMLValueType kValueType = tvtArray;

  TTOMLArray() : TTOMLValue(kValueType) {}
  ~TTOMLArray() override;

  const TTOMLValueList& Items() const { return FItems; }
  // Comments after the last item, before the closing bracket.
  const std::u16string& CommentTrailing() const { return TrailingComment(); }
  void SetCommentTrailing(std::u16string value) { SetTrailingComment(std::move(value)); }
  // Made by [[...]] headers: a later header of its name adds an element. An array written as a
  // value is never extended by a header.
  bool IsTableArray() const { return FIsTableArray; }
  void SetIsTableArray(bool value) { FIsTableArray = value; }

  void Add(std::unique_ptr<TTOMLValue> value) {
    if (FItems.capacity() == 0) {
      FItems.reserve(4);  // skips the smallest steps of growth
    }
    FItems.push_back(std::move(value));
  }
  const TTOMLValue* GetItem(std::int32_t index) const;
  TTOMLValue* GetItem(std::int32_t index) {
    return const_cast<TTOMLValue*>(std::as_const(*this).GetItem(index));
  }
  // Takes the item out; the items behind it move down by one.
  std::unique_ptr<TTOMLValue> Remove(std::int32_t index);
  std::int32_t Count() const { return static_cast<std::int32_t>(FItems.size()); }

 private:
  void CheckIndex(std::int32_t index) const;

  bool FIsTableArray = false;
  TTOMLValueList FItems;
};

// Standard, implicit and inline tables alike. Owns its values (through Items).
class TTOMLTable final : public TTOMLValue {
 public:
  static constexpr TTOMLValueType kValueType = tvtTable;

  TTOMLTable() : TTOMLValue(kValueType) {}

  TTOMLOrderedTable& Items() { return FItems; }
  const TTOMLOrderedTable& Items() const { return FItems; }
  // Made only as a step of a dotted key or header path, not defined by a header of its own.
  bool IsImplicit() const { return FIsImplicit; }
  void SetIsImplicit(bool value) { FIsImplicit = value; }
  // Written as {...} and closed to later additions.
  bool IsInline() const { return FIsInline; }
  void SetIsInline(bool value) { FIsInline = value; }
  // Made or extended by dotted keys: no header may define it afterwards.
  bool IsKeyDefined() const { return FIsKeyDefined; }
  void SetIsKeyDefined(bool value) { FIsKeyDefined = value; }
  // Comments after the last entry (for the root: at the end of the document).
  const std::u16string& CommentTrailing() const { return TrailingComment(); }
  void SetCommentTrailing(std::u16string value) { SetTrailingComment(std::move(value)); }

  void Add(std::u16string key, std::unique_ptr<TTOMLValue> value) {
    FItems.Add(std::move(key), std::move(value));
  }
  bool TryGetValue(std::u16string_view key, const TTOMLValue*& value) const {
    return FItems.TryGetValue(key, value);
  }
  bool TryGetValue(std::u16string_view key, TTOMLValue*& value) {
    return FItems.TryGetValue(key, value);
  }

 private:
  bool FIsImplicit = false;
  bool FIsInline = false;
  bool FIsKeyDefined = false;
  TTOMLOrderedTable FItems;
};

}  // namespace dactyra::toml
