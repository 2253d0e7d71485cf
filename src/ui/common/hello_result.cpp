// What Windows Hello's answers mean for the program, and their words for the log.

#include "base/format.h"
#include "ui/hello_texts.h"
#include "ui/hello_verification.h"

namespace dactyra::ui {
namespace {

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

HelloResult HelloFingerprintOnly() {
  return Result(HelloOutcome::kUnavailable, HelloReason::kFingerprintOnly);
}

HelloResult HelloCancelled() {
  return HelloFromVerificationResult(kCanceled);
}

std::u16string HelloResultText(const HelloResult& result, const TextSource& texts) {
  switch (result.reason) {
    case HelloReason::kVerified:
      return texts.Get(kHelloVerified);
    case HelloReason::kCanceled:
      return texts.Get(kHelloCanceled);
    case HelloReason::kRetriesExhausted:
      return texts.Get(kHelloRetries);
    case HelloReason::kDeviceBusy:
      return texts.Get(kHelloBusy);
    case HelloReason::kDeviceNotPresent:
      return texts.Get(kHelloNoDevice);
    case HelloReason::kNotConfiguredForUser:
      return texts.Get(kHelloNotConfigured);
    case HelloReason::kDisabledByPolicy:
      return texts.Get(kHelloPolicy);
    case HelloReason::kFingerprintOnly:
      return texts.Get(kHelloFingerprintOnly);
    case HelloReason::kNotOffered:
      return Format(texts.Get(kHelloNotOffered), result.call, result.code);
    case HelloReason::kCallFailed:
      return Format(texts.Get(kHelloCallFailed), result.call, result.code);
    case HelloReason::kUnknownAnswer:
      return Format(texts.Get(kHelloUnknown), static_cast<std::int32_t>(result.code));
  }
  return {};
}

std::u16string HelloPinNeededText(const TextSource& texts) {
  return texts.Get(kHelloPinNeeded);
}

std::u16string HelloOwnWindowText(const TextSource& texts) {
  return texts.Get(kHelloOwnWindow);
}

}  // namespace dactyra::ui
