// What Windows Hello's answers mean for the program, and their words for the log.

#include "base/format.h"
#include "ui/hello_verification.h"

namespace dactyra::ui {
namespace {

constexpr std::u16string_view kHelloSection = u"hello";
constexpr std::u16string_view kHelloVerifiedKey = u"verified";
constexpr std::u16string_view kHelloVerifiedText = u"Windows Hello confirmed the user.";
constexpr std::u16string_view kHelloCanceledKey = u"canceled";
constexpr std::u16string_view kHelloCanceledText = u"Windows Hello was cancelled.";
constexpr std::u16string_view kHelloRetriesKey = u"retries_exhausted";
constexpr std::u16string_view kHelloRetriesText =
    u"Windows Hello did not confirm the user: too many attempts failed.";
constexpr std::u16string_view kHelloBusyKey = u"device_busy";
constexpr std::u16string_view kHelloBusyText =
    u"Windows Hello did not confirm the user: the device is busy.";
constexpr std::u16string_view kHelloNoDeviceKey = u"device_not_present";
constexpr std::u16string_view kHelloNoDeviceText =
    u"Windows Hello is not used: this computer has no Windows Hello device.";
constexpr std::u16string_view kHelloNotConfiguredKey = u"not_configured";
constexpr std::u16string_view kHelloNotConfiguredText =
    u"Windows Hello is not used: this account has no Windows Hello PIN.";
constexpr std::u16string_view kHelloPolicyKey = u"disabled_by_policy";
constexpr std::u16string_view kHelloPolicyText =
    u"Windows Hello is not used: a policy of this computer turns it off.";
constexpr std::u16string_view kHelloNotOfferedKey = u"not_offered";
constexpr std::u16string_view kHelloNotOfferedText =
    u"Windows Hello is not used: this Windows does not offer it (%s, 0x%.8X).";
constexpr std::u16string_view kHelloCallFailedKey = u"call_failed";
constexpr std::u16string_view kHelloCallFailedText =
    u"Windows Hello is not used: %s failed (0x%.8X).";
constexpr std::u16string_view kHelloUnknownKey = u"unknown_answer";
constexpr std::u16string_view kHelloUnknownText =
    u"Windows Hello is not used: it gave the unknown answer %d.";
constexpr std::u16string_view kHelloPinNeededKey = u"pin_needed";
constexpr std::u16string_view kHelloPinNeededText =
    u"A new fingerprint signs in to Windows only once a Windows Hello PIN is set up for this "
    u"account (Settings \u203A Accounts \u203A Sign-in options).";

// UserConsentVerificationResult and UserConsentVerifierAvailability share their first values.
constexpr std::int32_t kVerifiedOrAvailable = 0;
constexpr std::int32_t kDeviceNotPresent = 1;
constexpr std::int32_t kNotConfiguredForUser = 2;
constexpr std::int32_t kDisabledByPolicy = 3;
constexpr std::int32_t kDeviceBusy = 4;
constexpr std::int32_t kRetriesExhausted = 5;
constexpr std::int32_t kCanceled = 6;

HelloResult Result(HelloOutcome outcome, HelloReason reason) {
  return {.outcome = outcome, .reason = reason};
}

HelloResult UnknownAnswer(std::int32_t value) {
  return {.outcome = HelloOutcome::kUnavailable,
          .reason = HelloReason::kUnknownAnswer,
          .code = static_cast<std::uint32_t>(value)};
}

// The answers that verification and availability share.
std::optional<HelloResult> FromSharedValue(std::int32_t value) {
  switch (value) {
    case kDeviceNotPresent:
      return Result(HelloOutcome::kUnavailable, HelloReason::kDeviceNotPresent);
    case kNotConfiguredForUser:
      return Result(HelloOutcome::kUnavailable, HelloReason::kNotConfiguredForUser);
    case kDisabledByPolicy:
      return Result(HelloOutcome::kUnavailable, HelloReason::kDisabledByPolicy);
    case kDeviceBusy:
      return Result(HelloOutcome::kNotConfirmed, HelloReason::kDeviceBusy);
    default:
      return std::nullopt;
  }
}

}  // namespace

HelloResult HelloFromVerificationResult(std::int32_t result) {
  switch (result) {
    case kVerifiedOrAvailable:
      return Result(HelloOutcome::kVerified, HelloReason::kVerified);
    case kRetriesExhausted:
      return Result(HelloOutcome::kNotConfirmed, HelloReason::kRetriesExhausted);
    case kCanceled:
      return Result(HelloOutcome::kCancelled, HelloReason::kCanceled);
    default:
      return FromSharedValue(result).value_or(UnknownAnswer(result));
  }
}

std::optional<HelloResult> HelloFromAvailability(std::int32_t availability) {
  if (availability == kVerifiedOrAvailable) {
    return std::nullopt;
  }
  return FromSharedValue(availability).value_or(UnknownAnswer(availability));
}

HelloResult HelloNotOffered(std::u16string_view call, std::uint32_t code) {
  return {HelloOutcome::kUnavailable, HelloReason::kNotOffered, code, call};
}

HelloResult HelloCallFailed(std::u16string_view call, std::uint32_t code) {
  return {HelloOutcome::kUnavailable, HelloReason::kCallFailed, code, call};
}

std::u16string HelloResultText(const HelloResult& result, const TextSource& texts) {
  switch (result.reason) {
    case HelloReason::kVerified:
      return texts.GetLangStr(kHelloSection, kHelloVerifiedKey, kHelloVerifiedText);
    case HelloReason::kCanceled:
      return texts.GetLangStr(kHelloSection, kHelloCanceledKey, kHelloCanceledText);
    case HelloReason::kRetriesExhausted:
      return texts.GetLangStr(kHelloSection, kHelloRetriesKey, kHelloRetriesText);
    case HelloReason::kDeviceBusy:
      return texts.GetLangStr(kHelloSection, kHelloBusyKey, kHelloBusyText);
    case HelloReason::kDeviceNotPresent:
      return texts.GetLangStr(kHelloSection, kHelloNoDeviceKey, kHelloNoDeviceText);
    case HelloReason::kNotConfiguredForUser:
      return texts.GetLangStr(kHelloSection, kHelloNotConfiguredKey, kHelloNotConfiguredText);
    case HelloReason::kDisabledByPolicy:
      return texts.GetLangStr(kHelloSection, kHelloPolicyKey, kHelloPolicyText);
    case HelloReason::kNotOffered:
      return Format(texts.GetLangStr(kHelloSection, kHelloNotOfferedKey, kHelloNotOfferedText),
                    result.call, result.code);
    case HelloReason::kCallFailed:
      return Format(texts.GetLangStr(kHelloSection, kHelloCallFailedKey, kHelloCallFailedText),
                    result.call, result.code);
    case HelloReason::kUnknownAnswer:
      return Format(texts.GetLangStr(kHelloSection, kHelloUnknownKey, kHelloUnknownText),
                    static_cast<std::int32_t>(result.code));
  }
  return {};
}

std::u16string HelloPinNeededText(const TextSource& texts) {
  return texts.GetLangStr(kHelloSection, kHelloPinNeededKey, kHelloPinNeededText);
}

}  // namespace dactyra::ui
