#include "sim/touch.h"

#include <algorithm>
#include <limits>
#include <system_error>
#include <vector>

#include "base/hex.h"
#include "base/strings.h"
#include "sim/identity.h"
#include "toml/document_io.h"

namespace dactyra::sim {
namespace {

using toml::TTOMLInteger;
using toml::TTOMLString;
using toml::TTOMLTable;
using toml::TTOMLValue;

const TTOMLValue* Lookup(const TTOMLTable& table, std::u16string_view key) {
  const TTOMLValue* value = nullptr;
  table.TryGetValue(key, value);
  return value;
}

// An integer within [min, max]; none when absent or out of kind or range (`valid` then tells
// which).
std::optional<std::int64_t> Integer(const TTOMLTable& table, std::u16string_view key,
                                    std::int64_t min, std::int64_t max, bool& valid) {
  const TTOMLValue* value = Lookup(table, key);
  if (value == nullptr) {
    return std::nullopt;
  }
  const auto* integer = value->As<TTOMLInteger>();
  if (integer == nullptr || integer->Value() < min || integer->Value() > max) {
    valid = false;
    return std::nullopt;
  }
  return integer->Value();
}

bool HasTouchExtension(const std::filesystem::path& file) {
  std::u16string extension = file.extension().u16string();
  std::ranges::transform(extension, extension.begin(), [](char16_t c) {
    return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
  });
  return extension == u".toml";
}

// The touch files of the folder, in name order.
std::vector<std::filesystem::path> TouchFiles(const std::filesystem::path& spool) {
  std::vector<std::filesystem::path> files;
  std::error_code error;
  for (std::filesystem::directory_iterator it(spool, error), end; !error && it != end;
       it.increment(error)) {
    if (it->is_regular_file(error) && HasTouchExtension(it->path())) {
      files.push_back(it->path());
    }
  }
  std::ranges::sort(files, [](const auto& a, const auto& b) {
    return a.filename().u16string() < b.filename().u16string();
  });
  return files;
}

}  // namespace

std::optional<Touch> TouchFromDocument(const TTOMLTable& document) {
  bool valid = true;
  Touch touch;
  const auto unit =
      Integer(document, u"unit", 1, std::numeric_limits<WINBIO_UNIT_ID>::max(), valid);
  const auto subfactor = Integer(document, u"subfactor", 0, 0xFF, valid);
  const auto bad =
      Integer(document, u"bad", 0, std::numeric_limits<WINBIO_REJECT_DETAIL>::max(), valid);
  const auto fail = Integer(document, u"fail", std::numeric_limits<std::int32_t>::min(),
                            std::numeric_limits<std::uint32_t>::max(), valid);
  touch.identity = std::u16string(kCurrentIdentity);
  if (const TTOMLValue* identity = Lookup(document, u"identity")) {
    const auto* text = identity->As<TTOMLString>();
    valid = valid && text != nullptr &&
            (text->Value() == kCurrentIdentity || SidFromText(text->Value()));
    if (text != nullptr) {
      touch.identity = text->Value();
    }
  }
  const int kinds = (subfactor ? 1 : 0) + (bad ? 1 : 0) + (fail ? 1 : 0);
  if (!valid || !unit || kinds != 1) {
    return std::nullopt;
  }
  touch.unit = static_cast<WINBIO_UNIT_ID>(*unit);
  if (subfactor) {
    touch.kind = Touch::Kind::kFinger;
    touch.subfactor = static_cast<WINBIO_BIOMETRIC_SUBTYPE>(*subfactor);
  } else if (bad) {
    touch.kind = Touch::Kind::kBad;
    touch.reject_detail = static_cast<WINBIO_REJECT_DETAIL>(*bad);
  } else {
    touch.kind = Touch::Kind::kFail;
    touch.code = static_cast<HRESULT>(static_cast<std::uint32_t>(*fail));
  }
  return touch;
}

std::u16string TouchText(const Touch& touch) {
  std::u16string text = u"unit = " + IntToText(touch.unit) + u"\n";
  switch (touch.kind) {
    case Touch::Kind::kFinger:
      text += u"identity = \"" + touch.identity + u"\"\n";
      text += u"subfactor = " + FingerIdText(touch.subfactor) + u"\n";
      break;
    case Touch::Kind::kBad:
      text += u"bad = " + IntToText(touch.reject_detail) + u"\n";
      break;
    case Touch::Kind::kFail:
      text += u"fail = 0x" + Hex8(static_cast<std::uint32_t>(touch.code)) + u"\n";
      break;
  }
  return text;
}

std::optional<TakenTouch> TakeNextTouch(const std::filesystem::path& spool) {
  for (const std::filesystem::path& file : TouchFiles(spool)) {
    auto document = toml::LoadFromFile(file.u16string(), false);
    std::error_code error;
    if (!std::filesystem::remove(file, error)) {
      continue;  // gone meanwhile: someone else took it
    }
    TakenTouch taken{.touch = std::nullopt, .file = file};
    if (document != nullptr) {
      taken.touch = TouchFromDocument(*document);
    }
    return taken;
  }
  return std::nullopt;
}

}  // namespace dactyra::sim
