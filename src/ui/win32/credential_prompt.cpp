// The system's credential prompt (from credui.dll, loaded at run time from the system directory)
// and the check of what the user entered there: a logon of the account it names, which must be
// the account the program runs as. Every buffer that held the password is zeroed before it is
// freed.

#include <windows.h>
// Separate include block: wincred.h needs the types of windows.h.
#include <wincred.h>

#include <cwchar>
#include <memory>
#include <type_traits>
#include <vector>

#include "platform/platform.h"

#include "ui/credential_prompt.h"
#include "ui/win32/internal.h"

namespace dactyra::ui {
namespace {

#ifndef CRED_PACK_PROTECTED_CREDENTIALS
constexpr DWORD CRED_PACK_PROTECTED_CREDENTIALS = 0x1;  // decrypt what the prompt protected
#endif

using PromptFunction = decltype(&CredUIPromptForWindowsCredentialsW);
using UnpackFunction = decltype(&CredUnPackAuthenticationBufferW);
using TaskMemFreeFunction = void(WINAPI*)(void* memory);

// The packed credentials the prompt hands out: zeroed, then freed with the allocator they came
// from.
class PackedCredentials {
 public:
  explicit PackedCredentials(TaskMemFreeFunction free) : free_(free) {}
  ~PackedCredentials() {
    if (data_ != nullptr) {
      SecureZeroMemory(data_, size_);
      free_(data_);
    }
  }
  PackedCredentials(const PackedCredentials&) = delete;
  PackedCredentials& operator=(const PackedCredentials&) = delete;

  void** Receive() { return &data_; }
  ULONG* ReceiveSize() { return &size_; }
  void* Data() const { return data_; }
  ULONG Size() const { return size_; }

 private:
  TaskMemFreeFunction free_;
  void* data_ = nullptr;
  ULONG size_ = 0;
};

// A text buffer for a part of the credentials, zeroed when it goes.
class SecretText {
 public:
  explicit SecretText(DWORD capacity) : text_(capacity + 1, L'\0'), capacity_(capacity + 1) {}
  ~SecretText() { SecureZeroMemory(text_.data(), text_.size() * sizeof(wchar_t)); }
  SecretText(const SecretText&) = delete;
  SecretText& operator=(const SecretText&) = delete;

  wchar_t* Data() { return text_.data(); }
  // The capacity in characters on the way in; what was written on the way out.
  DWORD* Capacity() { return &capacity_; }
  bool Empty() const { return text_.front() == L'\0'; }

 private:
  std::vector<wchar_t> text_;
  DWORD capacity_;
};

struct HandleCloser {
  void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using UniqueHandle = std::unique_ptr<std::remove_pointer_t<HANDLE>, HandleCloser>;

// The user of a token (TOKEN_USER, in a buffer aligned for its pointer); empty when it cannot be
// read.
std::vector<std::uintptr_t> UserOfToken(HANDLE token) {
  DWORD needed = 0;
  GetTokenInformation(token, TokenUser, nullptr, 0, &needed);
  std::vector<std::uintptr_t> buffer((needed + sizeof(std::uintptr_t) - 1) /
                                     sizeof(std::uintptr_t));
  if (needed == 0 || !GetTokenInformation(token, TokenUser, buffer.data(), needed, &needed)) {
    return {};
  }
  return buffer;
}

// Whether the logon token is of the account the program runs as.
bool IsProcessUser(HANDLE logon) {
  HANDLE raw_process_token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &raw_process_token)) {
    return false;
  }
  const UniqueHandle process_token(raw_process_token);
  const std::vector<std::uintptr_t> logged_on = UserOfToken(logon);
  const std::vector<std::uintptr_t> running = UserOfToken(process_token.get());
  return !logged_on.empty() && !running.empty() &&
         EqualSid(reinterpret_cast<const TOKEN_USER*>(logged_on.data())->User.Sid,
                  reinterpret_cast<const TOKEN_USER*>(running.data())->User.Sid);
}

}  // namespace

PasswordCheck ConfirmUserPassword(const Form* owner, std::u16string caption,
                                  std::u16string message) {
  const platform::Module credui(u"credui.dll");
  const platform::Module ole32(u"ole32.dll");
  const auto prompt = credui.Find<PromptFunction>("CredUIPromptForWindowsCredentialsW");
  const auto unpack = credui.Find<UnpackFunction>("CredUnPackAuthenticationBufferW");
  const auto task_free = ole32.Find<TaskMemFreeFunction>("CoTaskMemFree");
  if (prompt == nullptr || unpack == nullptr || task_free == nullptr) {
    return PasswordCheck::kUnavailable;
  }

  CREDUI_INFOW info{};
  info.cbSize = sizeof(info);
  info.hwndParent = owner != nullptr ? detail::WindowOf(*owner) : nullptr;
  info.pszMessageText = Wide(message);
  info.pszCaptionText = Wide(caption);
  ULONG package = 0;
  BOOL save = FALSE;
  PackedCredentials packed(task_free);
  const DWORD answered = prompt(&info, 0, &package, nullptr, 0, packed.Receive(),
                                packed.ReceiveSize(), &save, CREDUIWIN_ENUMERATE_CURRENT_USER);
  if (answered == ERROR_CANCELLED) {
    return PasswordCheck::kCancelled;
  }
  if (answered != ERROR_SUCCESS || packed.Data() == nullptr) {
    return PasswordCheck::kUnavailable;
  }

  SecretText user(CREDUI_MAX_USERNAME_LENGTH);
  SecretText domain(CREDUI_MAX_DOMAIN_TARGET_LENGTH);
  SecretText password(CREDUI_MAX_PASSWORD_LENGTH);
  // Anything but a user name and password (a smart card, say) cannot be checked here.
  if (!unpack(CRED_PACK_PROTECTED_CREDENTIALS, packed.Data(), packed.Size(), user.Data(),
              user.Capacity(), domain.Data(), domain.Capacity(), password.Data(),
              password.Capacity())) {
    return PasswordCheck::kUnavailable;
  }
  // "DOMAIN\user" names its domain in the user name; "user@domain" and a plain local name
  // go as they are, with no domain.
  const wchar_t* account = user.Data();
  const wchar_t* account_domain = domain.Empty() ? nullptr : domain.Data();
  if (account_domain == nullptr) {
    if (wchar_t* separator = std::wcschr(user.Data(), L'\\'); separator != nullptr) {
      *separator = L'\0';
      account_domain = user.Data();
      account = separator + 1;
    }
  }
  HANDLE raw_logon = nullptr;
  if (!LogonUserW(account, account_domain, password.Data(), LOGON32_LOGON_INTERACTIVE,
                  LOGON32_PROVIDER_DEFAULT, &raw_logon)) {
    return GetLastError() == ERROR_LOGON_FAILURE ? PasswordCheck::kWrong
                                                 : PasswordCheck::kUnavailable;
  }
  const UniqueHandle logon(raw_logon);
  // The right password of another account proves nothing about this one.
  return IsProcessUser(logon.get()) ? PasswordCheck::kConfirmed : PasswordCheck::kWrong;
}

}  // namespace dactyra::ui
