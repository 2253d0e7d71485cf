#pragma once

#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "toml/lexer.h"
#include "toml/value.h"

namespace dactyra::toml {

// Builds a document from TOML text: key/value lines, tables, arrays of tables, arrays and inline
// tables in source order, with TOML's redefinition rules. With preserve_comments every comment
// is attached to the value, table or array next to it.
//
// A parser is made for one text (which must outlive it) and runs Parse once. Every failure is
// an ETOMLParserException; nothing built before it survives.
class TTOMLParser {
 public:
  // Arrays, inline tables and the tables of dotted keys may nest this deep below the table of
  // their line, counted together (so that no document can build a tree too deep to walk).
  static constexpr int kMaxNesting = 128;
  // A key or table header may have at most this many dotted parts.
  static constexpr std::size_t kMaxKeyParts = 128;

  // Reads the first token already, so a lexical error there is raised here.
  TTOMLParser(std::u16string_view input, bool preserve_comments);

  std::unique_ptr<TTOMLTable> Parse();

 private:
  using TKeyPath = std::vector<std::u16string>;
  struct TKeyValue {
    TKeyPath Parts;
    std::unique_ptr<TTOMLValue> Value;
  };
  // What one Parse run keeps between lines.
  struct TDocumentState {
    TTOMLTable* Root = nullptr;
    TTOMLTable* Current = nullptr;
    TKeyPath HeaderPath;
    std::set<TKeyPath> DefinedTablePaths;
    std::set<TKeyPath> ArrayTablePaths;
  };

  void Advance() { FCurrentToken = FLexer.NextToken(); }
  bool Match(TTokenType type);
  void Expect(TTokenType type);
  void ConsumeInlineComment(TTOMLValue* value);
  void ExpectEndOfLine();
  void SkipNewLines();
  void JoinComments(std::u16string& text);
  std::u16string CollectComments();

  void ParseKeyValueLine(TDocumentState& state);
  void ParseTableHeader(TDocumentState& state);
  TTOMLTable* WalkHeader(TDocumentState& state, const TKeyPath& parts, bool array_of_tables);

  std::unique_ptr<TTOMLValue> ParseValue(int depth);
  std::unique_ptr<TTOMLArray> ParseArrayValue(int depth);
  std::unique_ptr<TTOMLTable> ParseInlineTable(int depth);
  void ParseKeyPart(TKeyPath& parts);
  void ParseKeyParts(TKeyPath& parts);
  TKeyValue ParseKeyValue(int depth);
  void InsertDotted(TTOMLTable& table, const TKeyPath& parts, std::unique_ptr<TTOMLValue> value);

  TTOMLLexer FLexer;
  TToken FCurrentToken;
  bool FPreserveComments;
  std::u16string FPendingComment;
};

}  // namespace dactyra::toml
