#include "app/password_check.h"

#include <utility>

#include "platform/credential_logon.h"
#include "platform/platform.h"
#include "ui/credential_prompt.h"

namespace dactyra {

TPasswordCheck CheckWindowsPassword(const ui::Form* owner, std::u16string caption,
                                    std::u16string message) {
  // Only the password tiles: a PIN or a smart card is nothing a logon here can check.
  const std::optional<std::uint32_t> package = platform::NegotiatePackage();
  if (!package) {
    return TPasswordCheck::kUnavailable;
  }
  const ui::PromptedCredential entered =
      ui::PromptForCredential(owner, std::move(caption), std::move(message), *package);
  switch (entered.outcome) {
    case ui::PromptOutcome::kEntered:
      break;
    case ui::PromptOutcome::kCancelled:
      return TPasswordCheck::kCancelled;
    case ui::PromptOutcome::kUnavailable:
      return TPasswordCheck::kUnavailable;
  }
  const platform::CredentialLogon logon =
      platform::LogOnWithPackedCredential(entered.packed.Bytes(), entered.package);
  switch (logon.outcome) {
    case platform::LogonOutcome::kLoggedOn:
      break;
    case platform::LogonOutcome::kRefused:
      return TPasswordCheck::kWrong;
    case platform::LogonOutcome::kUnavailable:
      return TPasswordCheck::kUnavailable;
  }
  // The right password of another account proves nothing about this one.
  const std::optional<std::vector<std::uint8_t>> running = platform::CurrentUserSid();
  return running && platform::EqualSids(logon.user_sid, *running) ? TPasswordCheck::kConfirmed
                                                                  : TPasswordCheck::kWrong;
}

}  // namespace dactyra
