#include "sim/hello/consent_state.h"

#include <limits>
#include <memory>
#include <utility>

#include "toml/document_io.h"

namespace dactyra::sim {
namespace {

using NamedValue = std::pair<std::u16string_view, std::int32_t>;

// UserConsentVerifierAvailability and UserConsentVerificationResult by name.
constexpr NamedValue kAvailabilities[] = {{u"Available", 0},
                                          {u"DeviceNotPresent", 1},
                                          {u"NotConfiguredForUser", 2},
                                          {u"DisabledByPolicy", 3},
                                          {u"DeviceBusy", 4}};
constexpr NamedValue kResults[] = {
    {u"Verified", 0},         {u"DeviceNotPresent", 1}, {u"NotConfiguredForUser", 2},
    {u"DisabledByPolicy", 3}, {u"DeviceBusy", 4},       {u"RetriesExhausted", 5},
    {u"Canceled", 6}};

const toml::TTOMLValue* Lookup(const toml::TTOMLTable& table, std::u16string_view key) {
  const toml::TTOMLValue* value = nullptr;
  table.TryGetValue(key, value);
  return value;
}

// An enumeration value given by name or as an integer; false when it is neither.
template <std::size_t N>
bool ReadEnum(const toml::TTOMLTable& table, std::u16string_view key, const NamedValue (&names)[N],
              std::int32_t& result) {
  const toml::TTOMLValue* value = Lookup(table, key);
  if (value == nullptr) {
    return true;
  }
  if (const auto* integer = value->As<toml::TTOMLInteger>()) {
    result = static_cast<std::int32_t>(integer->Value());
    return integer->Value() >= std::numeric_limits<std::int32_t>::min() &&
           integer->Value() <= std::numeric_limits<std::int32_t>::max();
  }
  if (const auto* text = value->As<toml::TTOMLString>()) {
    for (const auto& [name, number] : names) {
      if (name == text->Value()) {
        result = number;
        return true;
      }
    }
  }
  return false;
}

}  // namespace

std::optional<ConsentState> LoadConsentState(std::u16string_view path) {
  std::unique_ptr<toml::TTOMLTable> document;
  try {
    document = toml::ParseFile(path, false);
  } catch (const toml::ETOMLFileOpenError&) {
    return ConsentState{};
  }
  if (document == nullptr) {
    return std::nullopt;
  }
  ConsentState state;
  if (!ReadEnum(*document, u"availability", kAvailabilities, state.availability) ||
      !ReadEnum(*document, u"result", kResults, state.result)) {
    return std::nullopt;
  }
  if (const toml::TTOMLValue* interop = Lookup(*document, u"interop")) {
    const auto* flag = interop->As<toml::TTOMLBoolean>();
    if (flag == nullptr) {
      return std::nullopt;
    }
    state.interop = flag->Value();
  }
  if (const toml::TTOMLValue* error = Lookup(*document, u"error")) {
    const auto* code = error->As<toml::TTOMLInteger>();
    if (code == nullptr) {
      return std::nullopt;
    }
    state.error = static_cast<std::uint32_t>(code->Value());
  }
  if (const toml::TTOMLValue* delay = Lookup(*document, u"delay")) {
    const auto* milliseconds = delay->As<toml::TTOMLInteger>();
    if (milliseconds == nullptr || milliseconds->Value() < 0) {
      return std::nullopt;
    }
    state.delay_ms = milliseconds->Value();
  }
  return state;
}

}  // namespace dactyra::sim
