#pragma once

#include <cstdint>
#include <memory>
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
// A parser is made for one text and runs Parse once. Every failure is an ETOMLParserException;
// nothing built before it survives.
class TTOMLParser {
 public:
  // Tables and arrays may lie at most this many levels below the root: every part of a header
  // or dotted key, every array of tables and its element, every array and inline table counts.
  // So everything read can be written and read back, and no tree is too deep to walk.
  static constexpr int kMaxDepth = 128;

  // Read the first token already, so a lexical error there is raised here. The text (or the
  // feed) must outlive the parser.
  TTOMLParser(std::u16string_view input, bool preserve_comments);
  TTOMLParser(TTOMLTextFeed& feed, bool preserve_comments);

  std::unique_ptr<TTOMLTable> Parse();

  // Where the parser stands: after a failure, the token it stopped at.
  int Line() const { return FCurrentToken.Line; }
  int Column() const { return FCurrentToken.Column; }

 private:
  // What one Parse run keeps between lines.
  struct TDocumentState {
    TTOMLTable* Root = nullptr;
    TTOMLTable* Current = nullptr;  // the table of the last header
    int CurrentDepth = 0;           // levels below the root
  };

  void Advance() { FCurrentToken = FLexer.NextToken(); }
  bool Match(TTokenType type);
  void Expect(TTokenType type);
  void ConsumeInlineComment(TTOMLValue* value);
  void ExpectEndOfLine();
  void SkipNewLines();
  void JoinComments(std::u16string& text);
  std::u16string CollectComments();
  [[noreturn]] void FailTooDeep(const TToken& token) const;

  void ParseKeyValueLine(TDocumentState& state);
  void ParseTableHeader(TDocumentState& state);
  TTOMLTable* WalkHeader(TDocumentState& state, std::size_t part_count, bool array_of_tables,
                         const TToken& open);
  std::u16string JoinedKeyParts(std::size_t part_count) const;

  std::unique_ptr<TTOMLValue> ParseValue(int depth);
  std::unique_ptr<TTOMLArray> ParseArrayValue(int depth);
  std::unique_ptr<TTOMLTable> ParseInlineTable(int depth);
  std::size_t ParseKeyParts(std::size_t most_parts);
  void ParseKeyPart(std::size_t& part_count);
  TTOMLValue* ParseKeyValue(TTOMLTable& table, int depth);
  TTOMLTable& WalkDottedKey(TTOMLTable& table, std::size_t part_count);

  TTOMLLexer FLexer;
  TToken FCurrentToken;
  bool FPreserveComments;
  std::u16string FPendingComment;
  // The parts of the key being read; kept from line to line so that their room is reused.
  std::vector<std::u16string> FKeyParts;
};

}  // namespace dactyra::toml
