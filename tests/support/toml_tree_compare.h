#pragma once

#include <cmath>
#include <string>

#include "base/utf.h"
#include "toml/value.h"

namespace dactyra::toml::testing {

// Options of a tree comparison.
struct TreeCompareOptions {
  bool comments = true;  // compare the comments too (trailing line feeds aside)
  bool order = true;     // compare the key order of tables
};

namespace detail {

inline std::u16string WithoutTrailingLineFeeds(std::u16string text) {
  while (!text.empty() && text.back() == u'\n') {
    text.pop_back();
  }
  return text;
}

inline std::string Describe(const std::string& where, const std::string& what) {
  return (where.empty() ? std::string("<root>") : where) + ": " + what;
}

inline std::string Key(const std::u16string& key) {
  return Utf16ToUtf8Lossy(key);
}

}  // namespace detail

// Compares two documents as the reader would see them: kinds, values (floats by value, NaN equal
// to NaN; date-times by spelling, kind and offset), keys, array elements and, as asked, key
// order and comments. Whether a table was written inline is a matter of form and not compared.
// Gives an empty text when equal, else where and how they first differ.
inline std::string CompareTrees(const TTOMLValue& a, const TTOMLValue& b,
                                const TreeCompareOptions& options = {},
                                const std::string& where = {}) {
  using detail::Describe;
  if (a.ValueType() != b.ValueType()) {
    return Describe(where, "kinds differ");
  }
  if (options.comments && (detail::WithoutTrailingLineFeeds(a.CommentBefore()) !=
                               detail::WithoutTrailingLineFeeds(b.CommentBefore()) ||
                           a.CommentInline() != b.CommentInline())) {
    return Describe(where, "comments differ: \"" + detail::Key(a.CommentBefore()) + "\" / \"" +
                               detail::Key(b.CommentBefore()) + "\", \"" +
                               detail::Key(a.CommentInline()) + "\" / \"" +
                               detail::Key(b.CommentInline()) + "\"");
  }
  switch (a.ValueType()) {
    case tvtString:
      return a.AsString() == b.AsString() ? "" : Describe(where, "strings differ");
    case tvtInteger:
      return a.AsInteger() == b.AsInteger() ? "" : Describe(where, "integers differ");
    case tvtFloat: {
      const double x = a.AsFloat();
      const double y = b.AsFloat();
      const bool same =
          (std::isnan(x) && std::isnan(y)) || (x == y && std::signbit(x) == std::signbit(y));
      return same ? "" : Describe(where, "floats differ");
    }
    case tvtBoolean:
      return a.AsBoolean() == b.AsBoolean() ? "" : Describe(where, "booleans differ");
    case tvtDateTime: {
      const TTOMLDateTime& x = *a.As<TTOMLDateTime>();
      const TTOMLDateTime& y = *b.As<TTOMLDateTime>();
      const bool same = x.AsString() == y.AsString() && x.Kind() == y.Kind() &&
                        x.TimeZoneOffset() == y.TimeZoneOffset();
      return same ? "" : Describe(where, "date-times differ");
    }
    case tvtArray: {
      const TTOMLArray& x = *a.As<TTOMLArray>();
      const TTOMLArray& y = *b.As<TTOMLArray>();
      if (x.Count() != y.Count()) {
        return Describe(where, "array sizes differ");
      }
      if (options.comments && detail::WithoutTrailingLineFeeds(x.CommentTrailing()) !=
                                  detail::WithoutTrailingLineFeeds(y.CommentTrailing())) {
        return Describe(where, "array trailing comments differ");
      }
      for (std::int32_t i = 0; i < x.Count(); ++i) {
        std::string difference = CompareTrees(*x.GetItem(i), *y.GetItem(i), options,
                                              where + "[" + std::to_string(i) + "]");
        if (!difference.empty()) {
          return difference;
        }
      }
      return "";
    }
    case tvtTable:
    case tvtInlineTable: {
      const TTOMLOrderedTable& x = a.As<TTOMLTable>()->Items();
      const TTOMLOrderedTable& y = b.As<TTOMLTable>()->Items();
      if (x.Count() != y.Count()) {
        return Describe(where, "table sizes differ");
      }
      if (options.comments &&
          detail::WithoutTrailingLineFeeds(a.As<TTOMLTable>()->CommentTrailing()) !=
              detail::WithoutTrailingLineFeeds(b.As<TTOMLTable>()->CommentTrailing())) {
        return Describe(where, "table trailing comments differ");
      }
      for (std::int32_t i = 0; i < x.Count(); ++i) {
        const std::u16string& key = x.GetKey(i);
        if (options.order && y.GetKey(i) != key) {
          return Describe(where, "key order differs at \"" + detail::Key(key) + "\"");
        }
        const TTOMLValue* other = nullptr;
        if (!y.TryGetValue(key, other)) {
          return Describe(where, "key \"" + detail::Key(key) + "\" is missing");
        }
        std::string difference = CompareTrees(
            *x.GetValue(i), *other, options, where + (where.empty() ? "" : ".") + detail::Key(key));
        if (!difference.empty()) {
          return difference;
        }
      }
      return "";
    }
  }
  return "";
}

}  // namespace dactyra::toml::testing
