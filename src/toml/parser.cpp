#include "toml/parser.h"

#include <algorithm>
#include <exception>
#include <utility>

#include "base/format.h"
#include "toml/char_class.h"
#include "toml/conversion.h"
#include "toml/exceptions.h"

namespace dactyra::toml {
namespace {

[[noreturn]] void Fail(std::u16string message) {
  throw ETOMLParserException(std::move(message));
}

// Puts a saved text back into its place when the scope ends, also on failure.
class TRestoreText {
 public:
  TRestoreText(std::u16string& place, std::u16string saved)
      : place_(place), saved_(std::move(saved)) {}
  ~TRestoreText() { place_ = std::move(saved_); }
  TRestoreText(const TRestoreText&) = delete;
  TRestoreText& operator=(const TRestoreText&) = delete;

 private:
  std::u16string& place_;
  std::u16string saved_;
};

}  // namespace

TTOMLParser::TTOMLParser(std::u16string_view input, bool preserve_comments)
    : FLexer(input, preserve_comments),
      FCurrentToken(FLexer.NextToken()),
      FPreserveComments(preserve_comments) {}

TTOMLParser::TTOMLParser(TTOMLTextFeed& feed, bool preserve_comments)
    : FLexer(feed, preserve_comments),
      FCurrentToken(FLexer.NextToken()),
      FPreserveComments(preserve_comments) {}

void TTOMLParser::FailTooDeep(const TToken& token) const {
  Fail(Format(u"Tables and arrays nested deeper than %d levels at line %d, column %d", kMaxDepth,
              token.Line, token.Column));
}

bool TTOMLParser::Match(TTokenType type) {
  if (FCurrentToken.TokenType != type) {
    return false;
  }
  Advance();
  return true;
}

void TTOMLParser::Expect(TTokenType type) {
  if (FCurrentToken.TokenType != type) {
    Fail(Format(u"Expected %s but got %s at line %d, column %d", TokenTypeName(type),
                TokenTypeName(FCurrentToken.TokenType), FCurrentToken.Line, FCurrentToken.Column));
  }
  Advance();
}

void TTOMLParser::ConsumeInlineComment(TTOMLValue* value) {
  if (FCurrentToken.TokenType != ttComment) {
    return;
  }
  if (FPreserveComments && value != nullptr) {
    value->SetCommentInline(std::u16string(FCurrentToken.Value));
  }
  Advance();
}

void TTOMLParser::ExpectEndOfLine() {
  if (FCurrentToken.TokenType == ttComment) {
    Advance();
  }
  if (FCurrentToken.TokenType == ttNewLine) {
    Advance();
  } else if (FCurrentToken.TokenType != ttEOF) {
    Fail(Format(u"Only one expression per line. Unexpected \"%s\" at line %d, column %d",
                FCurrentToken.Value, FCurrentToken.Line, FCurrentToken.Column));
  }
}

void TTOMLParser::SkipNewLines() {
  while (FCurrentToken.TokenType == ttNewLine) {
    Advance();
  }
}

// Comment lines are separated by one LF; each blank line between them shows as an empty line;
// blank lines before the first comment are dropped.
void TTOMLParser::JoinComments(std::u16string& text) {
  for (;;) {
    if (FCurrentToken.TokenType == ttComment) {
      if (!text.empty() && text.back() != u'\n') {
        text += u'\n';
      }
      text += FCurrentToken.Value;
    } else if (FCurrentToken.TokenType == ttNewLine) {
      if (!text.empty()) {
        text += u'\n';
      }
    } else {
      return;
    }
    Advance();
  }
}

std::u16string TTOMLParser::CollectComments() {
  std::u16string text;
  if (FPreserveComments) {
    JoinComments(text);
  } else {
    SkipNewLines();
  }
  return text;
}

std::unique_ptr<TTOMLTable> TTOMLParser::Parse() {
  auto root = MakeValue<TTOMLTable>(&FArena);
  root->SetIsImplicit(true);
  TDocumentState state;
  state.Root = root.get();
  state.Current = root.get();

  if (FPreserveComments) {
    // The comment block at the top belongs to the document, not to its first key.
    FPendingComment.clear();
    JoinComments(FPendingComment);
    if (!FPendingComment.empty()) {
      root->SetCommentBefore(std::move(FPendingComment));
      FPendingComment.clear();
    }
  }

  for (;;) {
    switch (FCurrentToken.TokenType) {
      case ttEOF:
        state.Current->Items().ShrinkToFit();
        if (FPreserveComments && !FPendingComment.empty()) {
          root->SetCommentTrailing(std::move(FPendingComment));
          FPendingComment.clear();
        }
        return root;
      case ttString:
      case ttInteger:
      case ttFloat:
      case ttDateTime:
      case ttIdentifier:
        ParseKeyValueLine(state);
        break;
      case ttLBracket:
        ParseTableHeader(state);
        break;
      case ttNewLine:
        if (FPreserveComments && !FPendingComment.empty()) {
          FPendingComment += u'\n';
        }
        Advance();
        break;
      case ttComment:
        JoinComments(FPendingComment);
        break;
      default:
        Fail(Format(u"Unexpected token %s at line %d, column %d",
                    TokenTypeName(FCurrentToken.TokenType), FCurrentToken.Line,
                    FCurrentToken.Column));
    }
  }
}

void TTOMLParser::ParseKeyValueLine(TDocumentState& state) {
  try {
    std::u16string comment = std::move(FPendingComment);
    FPendingComment.clear();
    TTOMLValue* value = ParseKeyValue(*state.Current, state.CurrentDepth);
    if (!comment.empty()) {
      value->SetCommentBefore(std::move(comment));
    }
    ConsumeInlineComment(value);
    ExpectEndOfLine();
    if (FPreserveComments) {
      FPendingComment.clear();
      JoinComments(FPendingComment);
    }
  } catch (const ETOMLParserException&) {
    throw;
  } catch (const Error& e) {
    Fail(Format(u"Error adding key-value: %s at line %d, column %d", e.Message(),
                FCurrentToken.Line, FCurrentToken.Column));
  } catch (const std::exception& e) {
    const std::string_view what = e.what();
    Fail(Format(u"Error adding key-value: %s at line %d, column %d",
                std::u16string(what.begin(), what.end()), FCurrentToken.Line,
                FCurrentToken.Column));
  }
}

void TTOMLParser::ParseTableHeader(TDocumentState& state) {
  std::u16string comment = std::move(FPendingComment);
  FPendingComment.clear();
  const TToken open = FCurrentToken;
  Advance();
  bool array_of_tables = false;
  if (FCurrentToken.TokenType == ttLBracket) {
    if (FCurrentToken.Line != open.Line || FCurrentToken.Column != open.Column + 1) {
      Fail(u"Spaces not allowed between [[ brackets");
    }
    array_of_tables = true;
    Advance();
  }
  // Every part of a header is at least one level.
  const std::size_t part_count = ParseKeyParts(kMaxDepth);
  const TToken close = FCurrentToken;
  Expect(ttRBracket);
  if (array_of_tables) {
    if (FCurrentToken.TokenType != ttRBracket) {
      Fail(u"Expected second \"]\" for Array of Tables");
    }
    if (FCurrentToken.Line != close.Line || FCurrentToken.Column != close.Column + 1) {
      Fail(u"Spaces not allowed between ]] brackets");
    }
    Advance();
  }
  std::u16string inline_comment;
  if (FPreserveComments && FCurrentToken.TokenType == ttComment) {
    inline_comment = FCurrentToken.Value;
    Advance();
  }
  ExpectEndOfLine();

  // The table of the previous header is complete.
  state.Current->Items().ShrinkToFit();
  state.Current = WalkHeader(state, part_count, array_of_tables, open);

  if (FPreserveComments) {
    if (!comment.empty()) {
      state.Current->SetCommentBefore(std::move(comment));
    }
    if (!inline_comment.empty()) {
      state.Current->SetCommentInline(std::move(inline_comment));
    }
    FPendingComment.clear();
    JoinComments(FPendingComment);
  }
}

std::u16string TTOMLParser::JoinedKeyParts(std::size_t part_count) const {
  std::u16string text;
  for (std::size_t i = 0; i < part_count; ++i) {
    if (i > 0) {
      text += u'.';
    }
    text += FKeyParts[i];
  }
  return text;
}

// What the parser knows about the tables and arrays a header may name is kept on them: a table
// is defined once (by a header, by dotted keys or as an inline table), and only an array made by
// [[...]] headers takes more elements.
TTOMLTable* TTOMLParser::WalkHeader(TDocumentState& state, std::size_t part_count,
                                    bool array_of_tables, const TToken& open) {
  TTOMLTable* table = state.Root;
  int depth = 0;
  for (std::size_t i = 0; i + 1 < part_count; ++i) {
    const std::u16string& part = FKeyParts[i];
    TTOMLValue* existing = nullptr;
    if (!table->TryGetValue(part, existing)) {
      auto made = MakeValue<TTOMLTable>(&FArena);
      made->SetIsImplicit(true);
      existing = made.get();
      table->Add(part, std::move(made));
    } else if (TTOMLArray* array = existing->As<TTOMLArray>()) {
      if (!array->IsTableArray()) {
        Fail(Format(u"Cannot navigate into static array \"%s\"", part));
      }
      existing = array->Items().back().get();
      ++depth;
    }
    table = existing->As<TTOMLTable>();
    if (table == nullptr) {
      Fail(Format(u"\"%s\" is already a scalar", part));
    }
    if (table->IsInline()) {
      Fail(Format(u"Cannot extend inline table \"%s\"", part));
    }
    ++depth;
  }

  const std::u16string& name = FKeyParts[part_count - 1];
  TTOMLValue* existing = nullptr;
  const bool found = table->TryGetValue(name, existing);
  TTOMLTable* existing_table = found ? existing->As<TTOMLTable>() : nullptr;
  const bool defined =
      existing_table != nullptr && (!existing_table->IsImplicit() || existing_table->IsInline() ||
                                    existing_table->IsKeyDefined());
  TTOMLArray* existing_array = found ? existing->As<TTOMLArray>() : nullptr;
  TTOMLTable* result = nullptr;
  if (array_of_tables) {
    TTOMLArray* array = nullptr;
    if (defined) {
      Fail(Format(u"Cannot define [[%s]] \u2014 already a regular table",
                  JoinedKeyParts(part_count)));
    } else if (!found) {
      auto made = MakeValue<TTOMLArray>(&FArena);
      made->SetIsTableArray(true);
      array = made.get();
      table->Add(name, std::move(made));
    } else if (existing_array == nullptr) {
      Fail(u"Key conflict");
    } else if (!existing_array->IsTableArray()) {
      Fail(u"Cannot extend static array");
    } else {
      array = existing_array;
    }
    auto element = MakeValue<TTOMLTable>(&FArena);
    if (array->Count() > 0) {
      // The elements of an array of tables tend to be alike: room for as many entries as the
      // one before has.
      element->Items().Reserve(array->Items().back()->As<TTOMLTable>()->Items().Count());
    }
    result = element.get();
    array->Add(std::move(element));
    depth += 2;
  } else {
    if (defined) {
      Fail(Format(u"Duplicate table header [%s]", JoinedKeyParts(part_count)));
    }
    if (existing_array != nullptr) {
      if (existing_array->IsTableArray()) {
        Fail(Format(u"Cannot define [%s] \u2014 already an array of tables",
                    JoinedKeyParts(part_count)));
      }
      Fail(Format(u"Cannot navigate into static array \"%s\"", name));
    }
    if (!found) {
      auto made = MakeValue<TTOMLTable>(&FArena);
      result = made.get();
      table->Add(name, std::move(made));
    } else if (existing_table == nullptr) {
      Fail(Format(u"\"%s\" is already a scalar", name));
    } else {
      result = existing_table;
      result->SetIsImplicit(false);
    }
    depth += 1;
  }
  if (depth > kMaxDepth) {
    FailTooDeep(open);
  }
  state.CurrentDepth = depth;
  return result;
}

std::unique_ptr<TTOMLValue> TTOMLParser::ParseValue(int depth) {
  const TToken& token = FCurrentToken;
  std::unique_ptr<TTOMLValue> value;
  switch (token.TokenType) {
    case ttString:
    case ttMultilineString:
      value = MakeValue<TTOMLString>(&FArena, std::u16string(token.Value));
      break;
    case ttInteger:
    case ttFloat:
      value = ConvertNumber(token, &FArena);
      break;
    case ttDateTime:
      value = ConvertDateTime(token, &FArena);
      break;
    case ttLBracket:
    case ttLBrace:
      if (depth > kMaxDepth) {
        FailTooDeep(token);
      }
      if (token.TokenType == ttLBracket) {
        return ParseArrayValue(depth);
      }
      return ParseInlineTable(depth);
    case ttIdentifier:
      if (token.Value == u"true" || token.Value == u"false") {
        value = ConvertBoolean(token, &FArena);
      } else if (token.Value == u"inf" || token.Value == u"nan") {
        value = ConvertNumber(token, &FArena);
      } else {
        Fail(Format(u"Unexpected identifier: %s at line %d, column %d", token.Value, token.Line,
                    token.Column));
      }
      break;
    default:
      Fail(Format(u"Unexpected token %s at line %d, column %d", TokenTypeName(token.TokenType),
                  token.Line, token.Column));
  }
  Advance();
  return value;
}

std::unique_ptr<TTOMLArray> TTOMLParser::ParseArrayValue(int depth) {
  auto array = MakeValue<TTOMLArray>(&FArena);
  Expect(ttLBracket);
  for (;;) {
    std::u16string comment = CollectComments();
    if (FCurrentToken.TokenType == ttRBracket) {
      if (!comment.empty()) {
        array->SetCommentTrailing(std::move(comment));
      }
      break;
    }
    std::unique_ptr<TTOMLValue> element = ParseValue(depth + 1);
    TTOMLValue* added = element.get();
    if (!comment.empty()) {
      element->SetCommentBefore(std::move(comment));
    }
    ConsumeInlineComment(added);
    SkipNewLines();
    array->Add(std::move(element));
    if (!Match(ttComma)) {
      std::u16string trailing = CollectComments();
      if (!trailing.empty()) {
        array->SetCommentTrailing(std::move(trailing));
      }
      break;
    }
    if (FPreserveComments && FCurrentToken.TokenType == ttComment) {
      if (added->CommentInline().empty()) {
        added->SetCommentInline(std::u16string(FCurrentToken.Value));
      }
      Advance();
    }
  }
  Expect(ttRBracket);
  return array;
}

std::unique_ptr<TTOMLTable> TTOMLParser::ParseInlineTable(int depth) {
  auto table = MakeValue<TTOMLTable>(&FArena);
  table->SetIsInline(true);
  // The comment waiting for the next top-level line is not this table's.
  const TRestoreText restore(FPendingComment, std::move(FPendingComment));
  FPendingComment.clear();

  Expect(ttLBrace);
  std::u16string opening;
  if (FPreserveComments && FCurrentToken.TokenType == ttComment) {
    opening = FCurrentToken.Value;
    Advance();
  }
  SkipNewLines();
  if (FCurrentToken.TokenType == ttRBrace) {
    if (!opening.empty()) {
      table->SetCommentTrailing(std::move(opening));
    }
  } else {
    for (;;) {
      std::u16string comment;
      if (FPreserveComments) {
        comment = std::move(opening);
        opening.clear();
        JoinComments(comment);
      } else {
        SkipNewLines();
      }
      if (FCurrentToken.TokenType == ttRBrace) {
        if (!comment.empty()) {
          table->SetCommentTrailing(std::move(comment));
        }
        break;
      }
      TTOMLValue* added = ParseKeyValue(*table, depth);
      if (!comment.empty()) {
        added->SetCommentBefore(std::move(comment));
      }
      if (FPreserveComments) {
        ConsumeInlineComment(added);
        SkipNewLines();
      }
      if (!FPreserveComments) {
        SkipNewLines();
      }
      if (!Match(ttComma)) {
        SkipNewLines();
        if (FPreserveComments) {
          std::u16string trailing;
          JoinComments(trailing);
          while (!trailing.empty() && trailing.back() == u'\n') {
            trailing.pop_back();
          }
          if (!trailing.empty()) {
            table->SetCommentTrailing(std::move(trailing));
          }
        }
        break;
      }
      if (FPreserveComments && FCurrentToken.TokenType == ttComment) {
        if (added->CommentInline().empty()) {
          added->SetCommentInline(std::u16string(FCurrentToken.Value));
        }
        Advance();
      }
      if (FPreserveComments) {
        SkipNewLines();
      }
    }
  }
  Expect(ttRBrace);
  table->Items().ShrinkToFit();
  return table;
}

void TTOMLParser::ParseKeyPart(std::size_t& part_count) {
  const TToken& token = FCurrentToken;
  const auto add_part = [this, &part_count](std::u16string_view text) {
    if (part_count < FKeyParts.size()) {
      FKeyParts[part_count].assign(text);
    } else {
      FKeyParts.emplace_back(text);
    }
    ++part_count;
  };
  switch (token.TokenType) {
    case ttString:
    case ttIdentifier:  // a bare word holds nothing but the characters of a bare key
      add_part(token.Value);
      break;
    case ttInteger:
    case ttFloat:
    case ttDateTime: {
      for (const char16_t c : token.Value) {
        if (!IsWordChar(c) && !(c == u'.' && token.TokenType == ttFloat)) {
          Fail(Format(u"Invalid character \"%s\" in bare key at line %d, column %d",
                      std::u16string(1, c), token.Line, token.Column));
        }
      }
      // A float token such as 3.14 is two bare keys.
      std::u16string_view rest = token.Value;
      for (std::size_t dot = rest.find(u'.'); dot != std::u16string_view::npos;
           dot = rest.find(u'.')) {
        add_part(rest.substr(0, dot));
        rest.remove_prefix(dot + 1);
      }
      add_part(rest);
      break;
    }
    default:
      Fail(Format(u"Expected key but got %s at line %d, column %d", TokenTypeName(token.TokenType),
                  token.Line, token.Column));
  }
  Advance();
}

std::size_t TTOMLParser::ParseKeyParts(std::size_t most_parts) {
  std::size_t part_count = 0;
  do {
    const TToken part = FCurrentToken;
    ParseKeyPart(part_count);
    if (part_count > most_parts) {
      FailTooDeep(part);
    }
  } while (Match(ttDot));
  return part_count;
}

// `key = value` into the table, which lies `depth` levels below the root. The tables of a dotted
// key nest like inline tables do: each part but the last is one level.
TTOMLValue* TTOMLParser::ParseKeyValue(TTOMLTable& table, int depth) {
  const std::size_t part_count = ParseKeyParts(static_cast<std::size_t>(kMaxDepth - depth) + 1);
  TTOMLTable& target = WalkDottedKey(table, part_count);
  // The value may hold keys of its own: the last part is taken out first.
  std::u16string key = std::move(FKeyParts[part_count - 1]);
  if (part_count > 1 && target.Items().ContainsKey(key)) {
    Fail(Format(u"Cannot redefine key \"%s\"", key));
  }
  Expect(ttEqual);
  std::unique_ptr<TTOMLValue> value = ParseValue(depth + static_cast<int>(part_count));
  TTOMLValue* added = value.get();
  target.Items().Add(std::move(key), std::move(value));
  return added;
}

// The table the last part of a dotted key goes into; the tables on the way are made, or must
// be open to dotted keys. Either way no header may define them afterwards.
TTOMLTable& TTOMLParser::WalkDottedKey(TTOMLTable& table, std::size_t part_count) {
  TTOMLTable* current = &table;
  for (std::size_t i = 0; i + 1 < part_count; ++i) {
    const std::u16string& part = FKeyParts[i];
    TTOMLValue* existing = nullptr;
    TTOMLTable* next = nullptr;
    if (!current->TryGetValue(part, existing)) {
      auto made = MakeValue<TTOMLTable>(&FArena);
      made->SetIsImplicit(true);
      next = made.get();
      current->Add(part, std::move(made));
    } else {
      next = existing->As<TTOMLTable>();
      if (next == nullptr) {
        Fail(Format(u"\"%s\" is not a table", JoinedKeyParts(i + 1)));
      }
      if (next->IsInline()) {
        Fail(Format(u"Cannot extend inline table \"%s\"", part));
      }
      if (!next->IsImplicit()) {
        Fail(Format(u"Cannot extend explicitly defined table \"%s\"", part));
      }
    }
    current = next;
    current->SetIsKeyDefined(true);
  }
  return *current;
}

}  // namespace dactyra::toml
