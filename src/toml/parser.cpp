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

std::u16string JoinPath(std::vector<std::u16string>::const_iterator begin,
                        std::vector<std::u16string>::const_iterator end) {
  std::u16string text;
  for (auto part = begin; part != end; ++part) {
    if (part != begin) {
      text += u'.';
    }
    text += *part;
  }
  return text;
}

std::u16string JoinPath(const std::vector<std::u16string>& parts) {
  return JoinPath(parts.begin(), parts.end());
}

bool StartsWith(const std::vector<std::u16string>& path,
                const std::vector<std::u16string>& prefix) {
  return path.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), path.begin());
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
    : FLexer(input, preserve_comments), FPreserveComments(preserve_comments) {
  Advance();
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
  auto root = std::make_unique<TTOMLTable>();
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
    TKeyValue line = ParseKeyValue(0);
    if (!comment.empty()) {
      line.Value->SetCommentBefore(std::move(comment));
    }
    ConsumeInlineComment(line.Value.get());
    ExpectEndOfLine();

    // Tables made by this key's dots, and an inline table itself, may not get a header later.
    if (line.Parts.size() > 1 || line.Value->ValueType() == tvtTable) {
      TKeyPath path = state.HeaderPath;
      for (std::size_t i = 0; i + 1 < line.Parts.size(); ++i) {
        path.push_back(line.Parts[i]);
        state.DefinedTablePaths.insert(path);
      }
      if (line.Value->ValueType() == tvtTable) {
        path.push_back(line.Parts.back());
        state.DefinedTablePaths.insert(std::move(path));
      }
    }

    if (line.Parts.size() == 1) {
      state.Current->Add(std::move(line.Parts[0]), std::move(line.Value));
    } else {
      InsertDotted(*state.Current, line.Parts, std::move(line.Value));
    }
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
  TKeyPath parts;
  ParseKeyParts(parts);
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

  if (!array_of_tables && state.DefinedTablePaths.contains(parts)) {
    Fail(Format(u"Duplicate table header [%s]", JoinPath(parts)));
  }
  if (!array_of_tables && state.ArrayTablePaths.contains(parts)) {
    Fail(Format(u"Cannot define [%s] \u2014 already an array of tables", JoinPath(parts)));
  }
  if (array_of_tables && state.DefinedTablePaths.contains(parts)) {
    Fail(Format(u"Cannot define [[%s]] \u2014 already a regular table", JoinPath(parts)));
  }
  state.Current = WalkHeader(state, parts, array_of_tables);
  state.HeaderPath = parts;

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

  if (!array_of_tables) {
    state.DefinedTablePaths.insert(std::move(parts));
    return;
  }
  // Each new element may define its sub-tables afresh. Paths below this one sort right after it.
  for (auto below = state.DefinedTablePaths.upper_bound(parts);
       below != state.DefinedTablePaths.end() && StartsWith(*below, parts);) {
    below = state.DefinedTablePaths.erase(below);
  }
  state.ArrayTablePaths.insert(std::move(parts));
}

TTOMLTable* TTOMLParser::WalkHeader(TDocumentState& state, const TKeyPath& parts,
                                    bool array_of_tables) {
  TTOMLTable* table = state.Root;
  for (std::size_t i = 0; i < parts.size(); ++i) {
    const bool last = i + 1 == parts.size();
    const std::u16string& part = parts[i];
    const auto is_array_table_path = [&] {
      return state.ArrayTablePaths.contains(TKeyPath(parts.begin(), parts.begin() + i + 1));
    };
    TTOMLValue* existing = nullptr;
    const bool found = table->TryGetValue(part, existing);

    if (last && array_of_tables) {
      TTOMLArray* array = nullptr;
      if (!found) {
        auto made = std::make_unique<TTOMLArray>();
        array = made.get();
        table->Add(part, std::move(made));
      } else if (existing->ValueType() != tvtArray) {
        Fail(u"Key conflict");
      } else if (!is_array_table_path()) {
        Fail(u"Cannot extend static array");
      } else {
        array = existing->AsArray();
      }
      auto element = std::make_unique<TTOMLTable>();
      TTOMLTable* next = element.get();
      array->Add(std::move(element));
      return next;
    }

    if (!found) {
      auto made = std::make_unique<TTOMLTable>();
      made->SetIsImplicit(true);
      existing = made.get();
      table->Add(part, std::move(made));
    } else if (existing->ValueType() == tvtArray) {
      if (!is_array_table_path()) {
        Fail(Format(u"Cannot navigate into static array \"%s\"", part));
      }
      const TTOMLArray* array = existing->AsArray();
      if (array->Count() == 0) {
        Fail(u"Internal error: empty AoT");
      }
      existing = array->GetItem(array->Count() - 1);
    }
    if (existing->ValueType() != tvtTable) {
      Fail(Format(u"\"%s\" is already a scalar", part));
    }
    table = existing->AsTable();
    if (table->IsInline()) {
      Fail(Format(u"Cannot extend inline table \"%s\"", part));
    }
    if (last) {
      table->SetIsImplicit(false);
    }
  }
  return table;
}

std::unique_ptr<TTOMLValue> TTOMLParser::ParseValue(int depth) {
  const TToken& token = FCurrentToken;
  std::unique_ptr<TTOMLValue> value;
  switch (token.TokenType) {
    case ttString:
    case ttMultilineString:
      value = std::make_unique<TTOMLString>(std::u16string(token.Value));
      break;
    case ttInteger:
    case ttFloat:
      value = ConvertNumber(token);
      break;
    case ttDateTime:
      value = ConvertDateTime(token);
      break;
    case ttLBracket:
    case ttLBrace:
      if (depth >= kMaxNesting) {
        Fail(Format(u"Values nested deeper than %d levels at line %d, column %d", kMaxNesting,
                    token.Line, token.Column));
      }
      if (token.TokenType == ttLBracket) {
        return ParseArrayValue(depth + 1);
      }
      return ParseInlineTable(depth + 1);
    case ttIdentifier:
      if (token.Value == u"true" || token.Value == u"false") {
        value = ConvertBoolean(token);
      } else if (token.Value == u"inf" || token.Value == u"nan") {
        value = ConvertNumber(token);
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
  auto array = std::make_unique<TTOMLArray>();
  Expect(ttLBracket);
  for (;;) {
    std::u16string comment = CollectComments();
    if (FCurrentToken.TokenType == ttRBracket) {
      if (!comment.empty()) {
        array->SetCommentTrailing(std::move(comment));
      }
      break;
    }
    std::unique_ptr<TTOMLValue> element = ParseValue(depth);
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
  auto table = std::make_unique<TTOMLTable>();
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
      TKeyValue entry = ParseKeyValue(depth);
      TTOMLValue* added = entry.Value.get();
      if (!comment.empty()) {
        added->SetCommentBefore(std::move(comment));
      }
      if (FPreserveComments) {
        ConsumeInlineComment(added);
        SkipNewLines();
      }
      if (entry.Parts.size() == 1) {
        table->Add(std::move(entry.Parts[0]), std::move(entry.Value));
      } else {
        InsertDotted(*table, entry.Parts, std::move(entry.Value));
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
  return table;
}

void TTOMLParser::ParseKeyPart(TKeyPath& parts) {
  const TToken& token = FCurrentToken;
  switch (token.TokenType) {
    case ttString:
      parts.emplace_back(token.Value);
      break;
    case ttDateTime:
      for (const char16_t c : token.Value) {
        if (!IsWordChar(c)) {
          Fail(Format(u"Invalid character \"%s\" in bare key at line %d, column %d",
                      std::u16string(1, c), token.Line, token.Column));
        }
      }
      parts.emplace_back(token.Value);
      break;
    case ttIdentifier:
    case ttInteger:
    case ttFloat: {
      // A float token such as 3.14 is two bare keys.
      std::u16string_view rest = token.Value;
      for (std::size_t dot = rest.find(u'.'); dot != std::u16string_view::npos;
           dot = rest.find(u'.')) {
        parts.emplace_back(rest.substr(0, dot));
        rest.remove_prefix(dot + 1);
      }
      parts.emplace_back(rest);
      break;
    }
    default:
      Fail(Format(u"Expected key but got %s at line %d, column %d", TokenTypeName(token.TokenType),
                  token.Line, token.Column));
  }
  if (parts.size() > kMaxKeyParts) {
    Fail(Format(u"Key with more than %d parts at line %d, column %d",
                static_cast<int>(kMaxKeyParts), token.Line, token.Column));
  }
  Advance();
}

void TTOMLParser::ParseKeyParts(TKeyPath& parts) {
  do {
    ParseKeyPart(parts);
  } while (Match(ttDot));
}

TTOMLParser::TKeyValue TTOMLParser::ParseKeyValue(int depth) {
  TKeyValue result;
  ParseKeyParts(result.Parts);
  Expect(ttEqual);
  // The tables of a dotted key nest like inline tables do.
  result.Value = ParseValue(depth + static_cast<int>(result.Parts.size()) - 1);
  return result;
}

void TTOMLParser::InsertDotted(TTOMLTable& table, const TKeyPath& parts,
                               std::unique_ptr<TTOMLValue> value) {
  if (parts.empty()) {
    Fail(u"Empty key path");
  }
  TTOMLTable* current = &table;
  for (std::size_t i = 0; i + 1 < parts.size(); ++i) {
    const std::u16string& part = parts[i];
    TTOMLValue* existing = nullptr;
    if (!current->TryGetValue(part, existing)) {
      auto made = std::make_unique<TTOMLTable>();
      made->SetIsImplicit(true);
      TTOMLTable* next = made.get();
      current->Add(part, std::move(made));
      current = next;
      continue;
    }
    if (existing->ValueType() != tvtTable) {
      Fail(Format(u"\"%s\" is not a table", JoinPath(parts.begin(), parts.begin() + i + 1)));
    }
    TTOMLTable* next = existing->AsTable();
    if (next->IsInline()) {
      Fail(Format(u"Cannot extend inline table \"%s\"", part));
    }
    if (!next->IsImplicit()) {
      Fail(Format(u"Cannot extend explicitly defined table \"%s\"", part));
    }
    current = next;
  }
  if (current->Items().ContainsKey(parts.back())) {
    Fail(Format(u"Cannot redefine key \"%s\"", parts.back()));
  }
  current->Add(parts.back(), std::move(value));
}

}  // namespace dactyra::toml
