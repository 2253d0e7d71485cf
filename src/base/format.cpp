#include "base/format.h"

#include "base/error.h"

namespace dactyra {
namespace {

struct Directive {
  bool left_align = false;
  size_t width = 0;
  bool has_precision = false;
  size_t precision = 0;
  char16_t type = 0;
};

[[noreturn]] void Invalid(std::u16string_view format) {
  throw FormatError(u"Format '" + std::u16string(format) +
                    u"' invalid or incompatible with argument");
}

[[noreturn]] void NoArgument(std::u16string_view format) {
  throw FormatError(u"No argument for format '" + std::u16string(format) + u"'");
}

// Reads a run of decimal digits; caps the value so that a hostile width cannot ask for gigabytes.
size_t ReadNumber(std::u16string_view format, size_t& i) {
  constexpr size_t kMaxWidth = 1024;
  size_t value = 0;
  while (i < format.size() && format[i] >= u'0' && format[i] <= u'9') {
    value = value * 10 + static_cast<size_t>(format[i] - u'0');
    if (value > kMaxWidth) {
      value = kMaxWidth;
    }
    ++i;
  }
  return value;
}

std::u16string Digits(std::uint64_t magnitude, unsigned base) {
  static constexpr char16_t kDigits[] = u"0123456789ABCDEF";
  std::u16string out;
  do {
    out.insert(out.begin(), kDigits[magnitude % base]);
    magnitude /= base;
  } while (magnitude != 0);
  return out;
}

std::u16string Convert(const Directive& d, const FormatArg& arg, std::u16string_view format) {
  switch (d.type) {
    case u's': {
      if (arg.kind() != FormatArg::Kind::kText) {
        Invalid(format);
      }
      std::u16string_view text = arg.text();
      if (d.has_precision && d.precision < text.size()) {
        text = text.substr(0, d.precision);
      }
      return std::u16string(text);
    }
    case u'd': {
      if (arg.kind() != FormatArg::Kind::kInteger) {
        Invalid(format);
      }
      const std::int64_t value = arg.integer();
      const std::uint64_t magnitude =
          value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
      std::u16string digits = Digits(magnitude, 10);
      if (d.has_precision && digits.size() < d.precision) {
        digits.insert(0, d.precision - digits.size(), u'0');
      }
      return value < 0 ? u"-" + digits : digits;
    }
    case u'x': {
      if (arg.kind() != FormatArg::Kind::kInteger) {
        Invalid(format);
      }
      // Negative values show their two's complement in the width of their own type.
      std::uint64_t bits = static_cast<std::uint64_t>(arg.integer());
      if (arg.bits() < 64) {
        bits &= (std::uint64_t{1} << arg.bits()) - 1;
      }
      std::u16string digits = Digits(bits, 16);
      if (d.has_precision && digits.size() < d.precision) {
        digits.insert(0, d.precision - digits.size(), u'0');
      }
      return digits;
    }
    default:
      Invalid(format);
  }
}

}  // namespace

std::u16string FormatWith(std::u16string_view format, std::span<const FormatArg> args) {
  std::u16string out;
  out.reserve(format.size() + 16);
  size_t next_arg = 0;
  size_t i = 0;
  while (i < format.size()) {
    const char16_t c = format[i++];
    if (c != u'%') {
      out.push_back(c);
      continue;
    }
    if (i < format.size() && format[i] == u'%') {
      out.push_back(u'%');
      ++i;
      continue;
    }
    Directive d;
    if (i < format.size() && format[i] == u'-') {
      d.left_align = true;
      ++i;
    }
    d.width = ReadNumber(format, i);
    if (i < format.size() && format[i] == u'.') {
      ++i;
      d.has_precision = true;
      d.precision = ReadNumber(format, i);
    }
    if (i == format.size()) {
      Invalid(format);
    }
    const char16_t type = format[i++];
    switch (type) {
      case u's':
      case u'S':
        d.type = u's';
        break;
      case u'd':
      case u'D':
        d.type = u'd';
        break;
      case u'x':
      case u'X':
        d.type = u'x';
        break;
      default:
        Invalid(format);
    }
    if (next_arg >= args.size()) {
      NoArgument(format);
    }
    std::u16string text = Convert(d, args[next_arg++], format);
    if (text.size() < d.width) {
      const size_t pad = d.width - text.size();
      if (d.left_align) {
        text.append(pad, u' ');
      } else {
        text.insert(0, pad, u' ');
      }
    }
    out += text;
  }
  return out;
}

}  // namespace dactyra
