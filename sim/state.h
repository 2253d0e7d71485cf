#pragma once

// The simulated service's state: its sensors, the enrolled templates, how many good samples an
// enrollment takes, where touches arrive, and failures to inject. It lives in a TOML file that
// is read at each call and written back (in one step, comments and order kept) whenever
// templates or failure counts change:
//
//   samples = 4                      # good captures an enrollment needs (default 4)
//   spool = 'touches'                # folder of touches (default: "touches" beside the file)
//   service = "running"              # "stopped": every call fails as with the service gone
//   biometrics = true                # the sign-in settings (default on, as Windows leaves
//   biometrics_source = "default"    # them), each with who decided it: "default", "policy",
//   sign_in = true                   # "local" or "invalid"
//   sign_in_source = "default"
//   domain_sign_in = true
//   domain_sign_in_source = "default"
//   ess_capable = false              # Enhanced Sign-in Security (default false)
//   enrolled_factors = 8             # default: 8 when the account has a template, else 0
//   [[unit]]                         # id (1 or more) and description; the rest is optional
//   id = 1
//   description = "Integrated Fingerprint Sensor"
//   manufacturer = "Dactyra Labs"
//   model = "FS-100"
//   serial = "0001"
//   firmware = "1.0"                 # major.minor (default 1.0)
//   type = "touch"                   # "touch" (default), "swipe" or "unknown"
//   capabilities = 0x10F             # WINBIO_CAPABILITY_* bits (default 0xF)
//   pool = "system"                  # "system" (default), "private" or "unassigned"
//   unusable = true                  # optional: commits succeed, their templates never match
//   [[template]]
//   unit = 1
//   identity = "current"             # the account: "current" or a SID text
//   subfactor = 0xF5
//   finger = 0xF7                    # the finger it was made from, as touches name it, and
//   person = "S-1-5-21-7-8-9-1002"   # whose; by default the sub-factor and the account
//   usable = false                   # written by a commit on an unusable unit
//   [[fail]]                         # the next `count` calls of `function` fail with `code`
//   function = "WinBioOpenSession"
//   code = 0x80098034
//   count = 1                        # default 1
//
// and `focus = false` at the top to give touches to every process, not only to the one in
// front.

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/file.h"
#include "biometric/winbio_types.h"
#include "toml/value.h"

namespace dactyra::sim {

struct UnitInfo {
  WINBIO_UNIT_ID id = 0;
  std::u16string description;
  std::u16string manufacturer;
  std::u16string model;
  std::u16string serial;
  WINBIO_VERSION firmware{1, 0};
  std::uint32_t sensor_type = WINBIO_FP_SENSOR_SUBTYPE_TOUCH;
  WINBIO_CAPABILITIES capabilities = WINBIO_CAPABILITY_SENSOR | WINBIO_CAPABILITY_MATCHING |
                                     WINBIO_CAPABILITY_DATABASE | WINBIO_CAPABILITY_PROCESSING;
  WINBIO_POOL_TYPE pool = WINBIO_POOL_SYSTEM;
  // A secure sensor as a third-party program meets it: commits succeed, but the templates they
  // make never match.
  bool unusable = false;
};

// The three sign-in settings the service reports.
enum class Setting { kBiometrics, kSignIn, kDomainSignIn };

struct SettingValue {
  bool on = true;
  WINBIO_SETTING_SOURCE_TYPE source = WINBIO_SETTING_SOURCE_DEFAULT;
};

// A finger as a sensor sees it: whose it is ("current" or a SID text) and which one (a
// sub-factor value, as touches name it).
struct Finger {
  std::u16string person;
  WINBIO_BIOMETRIC_SUBTYPE position = 0;

  bool operator==(const Finger&) const = default;
};

struct TemplateEntry {
  WINBIO_UNIT_ID unit = 0;
  std::u16string identity;  // the account: "current" or a SID text
  WINBIO_BIOMETRIC_SUBTYPE subfactor = 0;
  Finger finger;       // the finger it was made from
  bool usable = true;  // false: committed on an unusable unit, it never matches

  bool operator==(const TemplateEntry&) const = default;
};

class SimState {
 public:
  static constexpr std::int64_t kDefaultSamples = 4;

  // The state held in a TOML text; none when a value has the wrong kind or range (a unit id of
  // 0 or twice, an identity that is neither "current" nor a SID text, a sub-factor above 0xFF,
  // samples below 1, ...).
  static std::optional<SimState> FromDocument(std::unique_ptr<toml::TTOMLTable> document);
  // The state of a file; none when it cannot be read, does not parse, or is not valid.
  static std::optional<SimState> Load(std::u16string_view path);
  FileWriteResult Save(std::u16string_view path) const;

  std::int64_t Samples() const { return samples_; }
  // As written; empty when the file names none.
  const std::u16string& Spool() const { return spool_; }
  // Whether touches go only to the process in front (the default).
  bool Focus() const { return focus_; }
  const std::vector<UnitInfo>& Units() const { return units_; }
  const UnitInfo* FindUnit(WINBIO_UNIT_ID id) const;
  const std::vector<TemplateEntry>& Templates() const { return templates_; }
  // Whether the service is stopped.
  bool Stopped() const { return stopped_; }
  SettingValue SettingOf(Setting setting) const {
    return settings_[static_cast<std::size_t>(setting)];
  }
  bool EssCapable() const { return ess_capable_; }
  // As written; none when the file leaves them to the templates.
  std::optional<WINBIO_BIOMETRIC_TYPE> EnrolledFactors() const { return enrolled_factors_; }

  void AddTemplate(const TemplateEntry& entry);
  // Replaces the template at `index` (of Templates()) in place.
  void ReplaceTemplate(std::size_t index, const TemplateEntry& entry);
  // Removes every template for which `matches` is true; how many went.
  int RemoveTemplates(const std::function<bool(const TemplateEntry&)>& matches);

  // When a failure is due for `function`, lowers its count (dropping the rule at 0) and gives
  // its code.
  std::optional<HRESULT> TakeFailure(std::u16string_view function);

 private:
  explicit SimState(std::unique_ptr<toml::TTOMLTable> document) : document_(std::move(document)) {}
  bool ReadDocument();

  std::unique_ptr<toml::TTOMLTable> document_;
  std::int64_t samples_ = kDefaultSamples;
  std::u16string spool_;
  bool focus_ = true;
  bool stopped_ = false;
  std::array<SettingValue, 3> settings_{};
  bool ess_capable_ = false;
  std::optional<WINBIO_BIOMETRIC_TYPE> enrolled_factors_;
  std::vector<UnitInfo> units_;
  std::vector<TemplateEntry> templates_;  // in the order of the document's "template" array
};

}  // namespace dactyra::sim
