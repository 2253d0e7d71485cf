#include "toml/string_text.h"

#include <algorithm>

namespace dactyra::toml {
namespace {

constexpr std::u16string_view kLineBreak = u"\r\n";

bool IsBareKeyChar(char16_t c) {
  return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9') ||
         c == u'_' || c == u'-';
}

bool IsBlank(char16_t c) {
  return c == u' ' || c == u'\t';
}

void AppendUnicodeEscape(std::u16string& out, char16_t c) {
  static constexpr char16_t kDigits[] = u"0123456789ABCDEF";
  out += u"\\u";
  for (int shift = 12; shift >= 0; shift -= 4) {
    out.push_back(kDigits[(c >> shift) & 0xF]);
  }
}

// The escape of one character in a single-line basic string; empty when it stands for itself.
std::u16string_view SingleLineEscape(char16_t c) {
  switch (c) {
    case u'\b':
      return u"\\b";
    case u'\t':
      return u"\\t";
    case u'\n':
      return u"\\n";
    case u'\f':
      return u"\\f";
    case u'\r':
      return u"\\r";
    case u'"':
      return u"\\\"";
    case u'\\':
      return u"\\\\";
    default:
      return {};
  }
}

bool NeedsUnicodeEscape(char16_t c) {
  return c < 0x20 || c == 0x7F;
}

bool IsDigit(char16_t c) {
  return c >= u'0' && c <= u'9';
}

// A reader takes a key that starts like a number or a date as one (1_000, 0979-05-20, 1e5),
// and in a dotted header a number may swallow the next part (-200.0979-05-20). Of the keys that
// start with a digit or '-', only a plain integer reads back as the same bare key everywhere.
bool ReadsBackAsBareKey(std::u16string_view key) {
  if (!IsDigit(key.front()) && key.front() != u'-') {
    return true;
  }
  const std::u16string_view digits = key.front() == u'-' ? key.substr(1) : key;
  return !digits.empty() && std::all_of(digits.begin(), digits.end(), IsDigit);
}

bool IsBareKey(std::u16string_view key) {
  return !key.empty() && std::all_of(key.begin(), key.end(), IsBareKeyChar) &&
         ReadsBackAsBareKey(key);
}

// Lines of a multi-line string's text, split at LF only: a CR stays in its line and is written
// as an escape, because a reader turns every line break of a multi-line string into a bare LF.
std::vector<std::u16string_view> SplitAtLineFeeds(std::u16string_view text) {
  std::vector<std::u16string_view> lines;
  std::size_t start = 0;
  for (std::size_t end = text.find(u'\n'); end != std::u16string_view::npos;
       end = text.find(u'\n', start)) {
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  if (start < text.size() || lines.empty()) {
    lines.push_back(text.substr(start));
  }
  return lines;
}

// One run of a multi-line string's line: blanks only, or no blanks; already escaped.
struct Run {
  bool blank = false;
  std::u16string text;
};

std::vector<Run> EscapedRuns(std::u16string_view line) {
  std::vector<Run> runs;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char16_t c = line[i];
    if (runs.empty() || runs.back().blank != IsBlank(c)) {
      runs.push_back({IsBlank(c), {}});
    }
    std::u16string& out = runs.back().text;
    if (c == u'\b') {
      out += u"\\b";
    } else if (c == u'\t') {
      out += u"\\t";
    } else if (c == u'\f') {
      out += u"\\f";
    } else if (c == u'\r') {
      out += u"\\r";
    } else if (c == u'\\') {
      out += u"\\\\";
    } else if (NeedsUnicodeEscape(c)) {
      AppendUnicodeEscape(out, c);
    } else if (c == u'"' && i + 1 < line.size() && line[i + 1] == u'"') {
      out += u"\\\"";  // so that three quotes never meet
    } else {
      out.push_back(c);
    }
  }
  return runs;
}

}  // namespace

void AppendBasicString(std::u16string& out, std::u16string_view text) {
  out.push_back(u'"');
  // Runs of characters that stand for themselves go in whole.
  std::size_t run = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (c >= 0x20 && c != u'"' && c != u'\\' && c != 0x7F) {
      continue;
    }
    out.append(text.data() + run, i - run);
    run = i + 1;
    const std::u16string_view escape = SingleLineEscape(c);
    if (!escape.empty()) {
      out += escape;
    } else {
      AppendUnicodeEscape(out, c);
    }
  }
  out.append(text.data() + run, text.size() - run);
  out.push_back(u'"');
}

std::size_t BasicStringLength(std::u16string_view text) {
  std::size_t length = 2;
  for (const char16_t c : text) {
    length += !SingleLineEscape(c).empty() ? 2 : NeedsUnicodeEscape(c) ? 6 : 1;
  }
  return length;
}

void AppendKey(std::u16string& out, std::u16string_view key) {
  if (IsBareKey(key)) {
    out += key;
  } else {
    AppendBasicString(out, key);
  }
}

std::size_t KeyLength(std::u16string_view key) {
  return IsBareKey(key) ? key.size() : BasicStringLength(key);
}

std::vector<std::u16string_view> SplitLines(std::u16string_view text) {
  std::vector<std::u16string_view> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u'\r' || text[i] == u'\n') {
      lines.push_back(text.substr(start, i - start));
      if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
        ++i;
      }
      start = i + 1;
    }
  }
  if (start < text.size() || lines.empty()) {
    lines.push_back(text.substr(start));
  }
  return lines;
}

void AppendMultilineString(std::u16string& out, std::u16string_view text, std::size_t width,
                           std::size_t closing_indent) {
  const std::u16string_view continuation = u"\\\r\n";
  out += u"\"\"\"";
  out += kLineBreak;
  const std::vector<std::u16string_view> lines = SplitAtLineFeeds(text);
  for (std::size_t l = 0; l < lines.size(); ++l) {
    const std::vector<Run> runs = EscapedRuns(lines[l]);
    std::size_t column = 0;
    for (std::size_t r = 0; r < runs.size(); ++r) {
      const std::u16string& run = runs[r].text;
      if (runs[r].blank) {
        out += run;
        if (r + 1 < runs.size() && width < column + run.size() + runs[r + 1].text.size()) {
          out += continuation;
          column = 0;
        } else {
          column += run.size();
        }
      } else {
        if (column > 0 && width < column + run.size()) {
          out += continuation;
          column = 0;
        }
        out += run;
        column += run.size();
      }
    }
    if (l + 1 < lines.size()) {
      out += kLineBreak;
    }
  }
  const bool ends_with_break = !text.empty() && text.back() == u'\n';
  if (ends_with_break) {
    // Blanks before the closing quotes would become part of the value here.
    out += kLineBreak;
  } else {
    out += continuation;
    out.append(closing_indent, u' ');
  }
  out += u"\"\"\"";
}

}  // namespace dactyra::toml
