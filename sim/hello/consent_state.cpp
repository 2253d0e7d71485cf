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

// true or false; false when it is anything else.
bool ReadFlag(const toml::TTOMLTable& table, std::u16string_view key, bool& flag) {
  const toml::TTOMLValue* value = Lookup(table, key);
  if (value == nullptr) {
    return true;
  }
  const auto* boolean = value->As<toml::TTOMLBoolean>();
  if (boolean == nullptr) {
    return false;
  }
  flag = boolean->Value();
  return true;
}

// A time in milliseconds, not negative; false when it is anything else.
bool ReadMilliseconds(const toml::TTOMLTable& table, std::u16string_view key,
                      std::int64_t& milliseconds) {
  const toml::TTOMLValue* value = Lookup(table, key);
  if (value == nullptr) {
    return true;
  }
  const auto* integer = value->As<toml::TTOMLInteger>();
  if (integer == nullptr || integer->Value() < 0) {
    return false;
  }
  milliseconds = integer->Value();
  return true;
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
  if (!ReadFlag(*document, u"interop", state.interop) ||
      !ReadFlag(*document, u"prompt", state.prompt)) {
    return std::nullopt;
  }
  if (const toml::TTOMLValue* error = Lookup(*document, u"error")) {
    const auto* code = error->As<toml::TTOMLInteger>();
    if (code == nullptr) {
      return std::nullopt;
    }
    state.error = static_cast<std::uint32_t>(code->Value());
  }
  if (!ReadMilliseconds(*document, u"delay", state.delay_ms)) {
    return std::nullopt;
  }
  state.verification_delay_ms = state.delay_ms;
  if (!ReadMilliseconds(*document, u"verification_delay", state.verification_delay_ms)) {
    return std::nullopt;
  }
  return state;
}

}  // namespace dactyra::sim
