#include "source_scan.h"

#include <algorithm>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string_view>

#include "base/utf.h"
#include "cpp_tokens.h"

namespace dactyra::language_test {
namespace {

using TTokens = std::vector<TToken>;
// Tokens [begin, end) of one argument.
struct TRange {
  std::size_t begin;
  std::size_t end;
};
// String constants of the sources by name; a name defined with two values is left out.
using TConstants = std::map<std::string, std::string, std::less<>>;

// A function that looks up its parameter `key_index` as a key of a literal section.
struct TWrapper {
  std::string section;
  std::size_t key_index;
  std::optional<std::size_t> default_index;
};
// By folder, then by name.
using TWrappers = std::map<std::string, std::map<std::string, TWrapper>>;

bool Is(const TToken& token, std::string_view punct) {
  return token.kind == TTokenKind::kPunct && token.text == punct;
}

bool IsIdentifier(const TToken& token, std::string_view name) {
  return token.kind == TTokenKind::kIdentifier && token.text == name;
}

bool IsOpening(const TToken& token) {
  return Is(token, "(") || Is(token, "[") || Is(token, "{");
}

bool IsClosing(const TToken& token) {
  return Is(token, ")") || Is(token, "]") || Is(token, "}");
}

// The arguments of the call whose '(' is at `open`, split at its own commas; empty when the
// parenthesis is never closed.
std::vector<TRange> Arguments(const TTokens& tokens, std::size_t open) {
  std::vector<TRange> arguments;
  int depth = 0;
  std::size_t start = open + 1;
  for (std::size_t i = open; i < tokens.size(); ++i) {
    if (IsOpening(tokens[i])) {
      ++depth;
    } else if (IsClosing(tokens[i])) {
      if (--depth == 0) {
        if (i > start || !arguments.empty()) {
          arguments.push_back({start, i});
        }
        return arguments;
      }
    } else if (depth == 1 && Is(tokens[i], ",")) {
      arguments.push_back({start, i});
      start = i + 1;
    }
  }
  return {};
}

// The position of the '(' that matches the ')' at `close`, if any.
std::optional<std::size_t> MatchingOpen(const TTokens& tokens, std::size_t close) {
  int depth = 0;
  for (std::size_t i = close + 1; i-- > 0;) {
    if (IsClosing(tokens[i])) {
      ++depth;
    } else if (IsOpening(tokens[i]) && --depth == 0) {
      return i;
    }
  }
  return std::nullopt;
}

// The last name of a possibly qualified name (a::b::c) that makes up the whole range.
std::optional<std::string> PlainName(const TTokens& tokens, TRange range) {
  std::size_t i = range.begin;
  while (i < range.end) {
    if (tokens[i].kind != TTokenKind::kIdentifier) {
      return std::nullopt;
    }
    if (i + 1 == range.end) {
      return tokens[i].text;
    }
    if (i + 3 > range.end || !Is(tokens[i + 1], ":") || !Is(tokens[i + 2], ":")) {
      return std::nullopt;
    }
    i += 3;
  }
  return std::nullopt;
}

// The text of a range made of string literals only, or naming a string constant.
std::optional<std::string> LiteralText(const TTokens& tokens, TRange range,
                                       const TConstants& constants) {
  if (range.begin == range.end) {
    return std::nullopt;
  }
  if (std::all_of(tokens.begin() + static_cast<std::ptrdiff_t>(range.begin),
                  tokens.begin() + static_cast<std::ptrdiff_t>(range.end),
                  [](const TToken& token) { return token.kind == TTokenKind::kString; })) {
    std::string text;
    for (std::size_t i = range.begin; i < range.end; ++i) {
      text += tokens[i].text;
    }
    return text;
  }
  if (const std::optional<std::string> name = PlainName(tokens, range)) {
    if (const auto found = constants.find(*name); found != constants.end()) {
      return found->second;
    }
  }
  return std::nullopt;
}

// An integer literal making up the whole range (a leading minus allowed).
std::optional<std::int64_t> LiteralNumber(const TTokens& tokens, TRange range) {
  std::size_t i = range.begin;
  const bool negative = i < range.end && Is(tokens[i], "-");
  i += negative ? 1 : 0;
  if (i + 1 != range.end || tokens[i].kind != TTokenKind::kNumber) {
    return std::nullopt;
  }
  try {
    std::size_t used = 0;
    const std::int64_t value = std::stoll(tokens[i].text, &used, 0);
    if (used != tokens[i].text.size()) {
      return std::nullopt;
    }
    return negative ? -value : value;
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

std::u16string ToUtf16(const std::string& text) {
  return Utf8ToUtf16(text).value_or(u"\uFFFD(not UTF-8)");
}

std::string Folder(const std::string& path) {
  return std::filesystem::path(path).parent_path().generic_string();
}

bool IsLookup(const TToken& token) {
  return IsIdentifier(token, "GetLangStr") || IsIdentifier(token, "GetLangInt");
}

// Definitions "constexpr ... NAME = "text";" (const or constexpr, literals joined).
void CollectConstants(const TTokens& tokens, std::map<std::string, std::set<std::string>>& found) {
  for (std::size_t i = 1; i + 1 < tokens.size(); ++i) {
    if (!Is(tokens[i], "=") || tokens[i - 1].kind != TTokenKind::kIdentifier) {
      continue;
    }
    std::size_t end = i + 1;
    while (end < tokens.size() && tokens[end].kind == TTokenKind::kString) {
      ++end;
    }
    if (end == i + 1 || end == tokens.size() || !Is(tokens[end], ";")) {
      continue;
    }
    bool is_constant = false;
    for (std::size_t back = i - 1; back-- > 0;) {
      if (Is(tokens[back], ";") || Is(tokens[back], "{") || Is(tokens[back], "}")) {
        break;
      }
      is_constant = is_constant || IsIdentifier(tokens[back], "constexpr") ||
                    IsIdentifier(tokens[back], "const");
    }
    if (is_constant) {
      std::string text;
      for (std::size_t s = i + 1; s < end; ++s) {
        text += tokens[s].text;
      }
      found[tokens[i - 1].text].insert(text);
    }
  }
}

// The index of the parameter of the definition whose '(' is at `open` that is named `name`.
std::optional<std::size_t> ParameterIndex(const TTokens& tokens, std::size_t open,
                                          std::string_view name) {
  const std::vector<TRange> parameters = Arguments(tokens, open);
  for (std::size_t index = 0; index < parameters.size(); ++index) {
    const TRange range = parameters[index];
    for (std::size_t i = range.begin; i < range.end; ++i) {
      if (Is(tokens[i], "=")) {
        break;  // a default argument follows the name
      }
      if (IsIdentifier(tokens[i], name) && (i + 1 == range.end || Is(tokens[i + 1], "="))) {
        return index;
      }
    }
  }
  return std::nullopt;
}

bool IsStatementKeyword(const TToken& token) {
  static const std::set<std::string, std::less<>> kKeywords{
      "if", "for", "while", "switch", "catch", "return", "sizeof", "decltype", "noexcept"};
  return token.kind == TTokenKind::kIdentifier && kKeywords.contains(token.text);
}

// When the lookup at `call` (a literal section, a plain name as key) sits in a function that
// takes that name as a parameter, the function is a wrapper: its name and how it passes on.
std::optional<std::pair<std::string, TWrapper>> WrapperAround(
    const TTokens& tokens, std::size_t call, const std::string& section,
    const std::string& key_name, const std::optional<std::string>& default_name) {
  static const std::set<std::string, std::less<>> kQualifiers{"const", "noexcept", "override",
                                                              "final"};
  for (std::size_t brace = call; brace-- > 0;) {
    if (!Is(tokens[brace], "{")) {
      continue;
    }
    std::size_t close = brace;
    while (close > 0 && tokens[close - 1].kind == TTokenKind::kIdentifier &&
           kQualifiers.contains(tokens[close - 1].text)) {
      --close;
    }
    if (close == 0 || !Is(tokens[close - 1], ")")) {
      continue;  // not the body of a function: an initializer, a class, a namespace
    }
    const std::optional<std::size_t> open = MatchingOpen(tokens, close - 1);
    if (!open || *open == 0 || tokens[*open - 1].kind != TTokenKind::kIdentifier ||
        IsStatementKeyword(tokens[*open - 1])) {
      continue;  // a block of a statement or a lambda inside the function
    }
    const std::optional<std::size_t> key_index = ParameterIndex(tokens, *open, key_name);
    if (!key_index) {
      return std::nullopt;  // the key is made inside the function
    }
    TWrapper wrapper{section, *key_index, std::nullopt};
    if (default_name) {
      wrapper.default_index = ParameterIndex(tokens, *open, *default_name);
    }
    return std::make_pair(tokens[*open - 1].text, wrapper);
  }
  return std::nullopt;
}

struct TTokenizedSource {
  const TSourceText* source;
  TTokens tokens;
};

void CollectWrappers(const TTokenizedSource& file, const TConstants& constants, TWrappers& wrappers,
                     std::set<std::pair<std::string, std::string>>& ambiguous) {
  const TTokens& tokens = file.tokens;
  for (std::size_t i = 0; i + 1 < tokens.size(); ++i) {
    if (!IsLookup(tokens[i]) || !Is(tokens[i + 1], "(")) {
      continue;
    }
    const std::vector<TRange> args = Arguments(tokens, i + 1);
    if (args.size() < 2) {
      continue;
    }
    const std::optional<std::string> section = LiteralText(tokens, args[0], constants);
    const std::optional<std::string> key_name = PlainName(tokens, args[1]);
    if (!section || !key_name || constants.contains(*key_name)) {
      continue;
    }
    const std::optional<std::string> default_name =
        args.size() >= 3 ? PlainName(tokens, args[2]) : std::nullopt;
    const auto wrapper = WrapperAround(tokens, i, *section, *key_name, default_name);
    if (!wrapper) {
      continue;
    }
    const std::string folder = Folder(file.source->path);
    auto& in_folder = wrappers[folder];
    const auto [known, added] = in_folder.emplace(wrapper->first, wrapper->second);
    if (!added && known->second.section != wrapper->second.section) {
      ambiguous.insert({folder, wrapper->first});
    }
  }
}

void AddCall(std::vector<TLangCall>& calls, const TTokens& tokens, const TConstants& constants,
             const std::string& section, const std::string& key,
             std::optional<TRange> default_range, const std::string& where) {
  TLangCall call{ToUtf16(section), ToUtf16(key), std::nullopt, std::nullopt, where};
  if (default_range) {
    if (const std::optional<std::string> text = LiteralText(tokens, *default_range, constants)) {
      call.default_text = ToUtf16(*text);
    }
    call.default_number = LiteralNumber(tokens, *default_range);
  }
  calls.push_back(std::move(call));
}

void CollectCalls(const TTokenizedSource& file, const TConstants& constants,
                  const std::map<std::string, TWrapper>* wrappers, std::vector<TLangCall>& calls) {
  const TTokens& tokens = file.tokens;
  for (std::size_t i = 0; i + 1 < tokens.size(); ++i) {
    if (tokens[i].kind != TTokenKind::kIdentifier || !Is(tokens[i + 1], "(")) {
      continue;
    }
    const std::string where = file.source->path + ":" + std::to_string(tokens[i].line);
    const std::vector<TRange> args = Arguments(tokens, i + 1);
    const auto literal = [&](std::size_t index) {
      return index < args.size() ? LiteralText(tokens, args[index], constants) : std::nullopt;
    };
    const auto range = [&](std::size_t index) {
      return index < args.size() ? std::optional<TRange>(args[index]) : std::nullopt;
    };
    if (IsLookup(tokens[i])) {
      if (literal(0) && literal(1)) {
        AddCall(calls, tokens, constants, *literal(0), *literal(1), range(2), where);
      } else if (args.size() >= 3 && !literal(0) && literal(1) && literal(2)) {
        AddCall(calls, tokens, constants, *literal(1), *literal(2), range(3), where);
      }
      continue;
    }
    if (wrappers == nullptr) {
      continue;
    }
    const auto wrapper = wrappers->find(tokens[i].text);
    if (wrapper == wrappers->end()) {
      continue;
    }
    if (const std::optional<std::string> key = literal(wrapper->second.key_index)) {
      const std::optional<TRange> default_range =
          wrapper->second.default_index ? range(*wrapper->second.default_index) : std::nullopt;
      AddCall(calls, tokens, constants, wrapper->second.section, *key, default_range, where);
    }
  }
}

}  // namespace

std::vector<TLangCall> FindLangCalls(const std::vector<TSourceText>& sources) {
  std::vector<TTokenizedSource> files;
  std::map<std::string, std::set<std::string>> definitions;
  for (const TSourceText& source : sources) {
    files.push_back({&source, Tokenize(source.text)});
    CollectConstants(files.back().tokens, definitions);
  }
  TConstants constants;
  for (const auto& [name, values] : definitions) {
    if (values.size() == 1) {
      constants.emplace(name, *values.begin());
    }
  }

  TWrappers wrappers;
  std::set<std::pair<std::string, std::string>> ambiguous;
  for (const TTokenizedSource& file : files) {
    CollectWrappers(file, constants, wrappers, ambiguous);
  }
  for (const auto& [folder, name] : ambiguous) {
    wrappers[folder].erase(name);
  }

  std::vector<TLangCall> calls;
  for (const TTokenizedSource& file : files) {
    const auto in_folder = wrappers.find(Folder(file.source->path));
    CollectCalls(file, constants, in_folder == wrappers.end() ? nullptr : &in_folder->second,
                 calls);
  }
  return calls;
}

std::vector<TSourceText> ReadSources(const std::filesystem::path& root) {
  std::vector<TSourceText> sources;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
    const std::string extension = entry.path().extension().string();
    if (!entry.is_regular_file() || (extension != ".cpp" && extension != ".h")) {
      continue;
    }
    std::ifstream in(entry.path(), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    sources.push_back({entry.path().generic_string(), text.str()});
  }
  std::sort(sources.begin(), sources.end(),
            [](const TSourceText& a, const TSourceText& b) { return a.path < b.path; });
  return sources;
}

}  // namespace dactyra::language_test
