#pragma once

// The prompt of a verification asked through the statics: hello-prompt.exe beside the DLL, in a
// process of its own as Windows 10's (prompt_protocol.h), open from the request to its end.

#include <string>

#include "sim/hello/unique_handle.h"

namespace dactyra::sim {

class ConsentPrompt {
 public:
  // Starts the prompt program; without it beside the DLL there is no prompt.
  ConsentPrompt();
  // Closes the prompt if Close was not called.
  ~ConsentPrompt();
  ConsentPrompt(const ConsentPrompt&) = delete;
  ConsentPrompt& operator=(const ConsentPrompt&) = delete;

  // Closes the prompt and says, for the request log, when it first was the foreground window:
  // "foreground=<milliseconds after it was shown>" or "foreground=never"; "foreground=no-prompt"
  // when none could be started (as for a request without a prompt).
  std::u16string Close();

 private:
  UniqueHandle close_event_;
  UniqueHandle process_;
};

}  // namespace dactyra::sim
