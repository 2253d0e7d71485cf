#pragma once

#include <exception>
#include <string>

namespace dactyra {

// The program's own error: carries a UTF-16 message that can be shown to the user as it is.
// what() gives the same text in UTF-8 for logs and test failures.
class Error : public std::exception {
 public:
  explicit Error(std::u16string message);

  const std::u16string& Message() const noexcept { return message_; }
  const char* what() const noexcept override { return utf8_.c_str(); }

 private:
  std::u16string message_;
  std::string utf8_;
};

// The text of an error as the user is shown it: the message of the program's own Error, or
// what() read as UTF-8 ("Unexpected error." when it is not valid UTF-8).
std::u16string ErrorText(const std::exception& error);

// Raised by Format when a format does not fit its arguments.
class FormatError : public Error {
 public:
  using Error::Error;
};

}  // namespace dactyra
