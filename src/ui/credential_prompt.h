#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace dactyra::ui {

class Form;

// A credential as the system's prompt packed it (an account name and its password, serialized
// for an authentication package). Its bytes are zeroed before their memory is freed; it is
// moved, never copied.
class PackedCredential {
 public:
  PackedCredential() = default;
  explicit PackedCredential(std::span<const std::uint8_t> bytes)
      : bytes_(bytes.begin(), bytes.end()) {}
  ~PackedCredential() {
    volatile std::uint8_t* const bytes = bytes_.data();
    for (std::size_t i = 0; i < bytes_.size(); ++i) {
      bytes[i] = 0;
    }
  }
  PackedCredential(PackedCredential&&) noexcept = default;  // leaves the source empty
  PackedCredential& operator=(PackedCredential&&) = delete;
  PackedCredential(const PackedCredential&) = delete;
  PackedCredential& operator=(const PackedCredential&) = delete;

  std::span<const std::uint8_t> Bytes() const { return bytes_; }

 private:
  std::vector<std::uint8_t> bytes_;
};

enum class PromptOutcome {
  kEntered,
  kCancelled,
  kUnavailable,  // no prompt on this system
};

struct PromptedCredential {
  PromptOutcome outcome = PromptOutcome::kUnavailable;
  std::uint32_t package = 0;  // the authentication package `packed` is serialized for
  PackedCredential packed;    // empty unless entered
};

// The answer of a prompt where nothing was entered: kCancelled or kUnavailable.
inline PromptedCredential NothingEntered(PromptOutcome outcome) {
  return {.outcome = outcome, .package = 0, .packed = {}};
}

// Asks the signed-in user for the credential of his own account with the system's credential
// prompt, owned by `owner` (null: no owner), with `caption` and `message`. It offers only the
// credentials of the authentication `package` (a password, no PIN or smart card). Cancelled at
// once, without a prompt, when the owner's waits have ended (Form::EndWaits).
PromptedCredential PromptForCredential(const Form* owner, std::u16string caption,
                                       std::u16string message, std::uint32_t package);

}  // namespace dactyra::ui
