#pragma once

// Names for screen readers through the system's annotation service (oleacc's Dynamic
// Annotation), for controls whose window text does not name them (an edit box holds what the
// user typed). Looked up at run time: the program imports nothing for it.

#include <windows.h>

#include <memory>
#include <string_view>

#include "platform/platform.h"
#include "ui/win32/internal.h"

namespace dactyra::ui::detail {

class AccessibleNames {
 public:
  // Joins COM on this thread (the form's) and takes the annotation service; where either is
  // missing, names are not annotated (the window texts remain).
  AccessibleNames();
  ~AccessibleNames();
  AccessibleNames(const AccessibleNames&) = delete;
  AccessibleNames& operator=(const AccessibleNames&) = delete;

  // The name of the window's own accessible object; an empty one removes it.
  void Set(HWND window, std::u16string_view name);

 private:
  struct Service;

  platform::Module ole32_{u"ole32.dll"};
  bool com_joined_ = false;
  std::unique_ptr<Service> service_;
};

}  // namespace dactyra::ui::detail
