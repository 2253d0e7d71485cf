#pragma once

#include <concepts>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "ui/types.h"

namespace dactyra::ui {

class Form;

namespace detail {
struct Access;  // each backend defines it; it reaches the native side of the controls
}

enum class ControlKind {
  kForm,
  kPanel,
  kLabel,
  kButton,
  kRadioButton,
  kLabeledEdit,
  kMemo,
  kListView,
  kProgressBar,
  kShape,
  kSplitter,
};

// The common part of every window and control: its place in the tree (a form at the root),
// its text, enabled and visible state, its placement in 96-DPI pixels and the rectangle it got
// from the last layout in device pixels. A control is created on its parent and lives as long
// as the object; its native window goes with it. Children are laid out in creation order,
// which is also the Tab order.
class Control {
 public:
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;
  virtual ~Control();

  ControlKind Kind() const { return kind_; }
  Form& OwnerForm() const { return *form_; }
  Control* Parent() const { return parent_; }
  const std::vector<Control*>& Children() const { return children_; }

  // The caption of a form, button, label or radio button; the contents of an edit box.
  const std::u16string& Text() const { return text_; }
  void SetText(std::u16string_view text);

  // The name a screen reader announces for a control that has no text of its own to say what
  // it is (an edit box, a progress bar, a state light).
  const std::u16string& AccessibleName() const { return accessible_name_; }
  void SetAccessibleName(std::u16string_view name);

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);

  const Placement& GetPlacement() const { return placement_; }
  void SetPlacement(const Placement& placement);

  // Where the last layout put the control: device pixels, relative to the parent's client area.
  const Rect& Bounds() const { return bounds_; }
  // The laid-out size in 96-DPI pixels (natural sizes resolved).
  int Width() const;
  int Height() const;

  void SetFocus();
  bool Focused() const;

  // Puts the control first in its parent's Tab order, as if it had been made before its
  // siblings. Also first in the layout order: for controls placed at fixed positions only.
  void MoveToTabFront();

  // A key pressed while the control has the keyboard focus, as the user makes it: the
  // control's own key handler sees it first (a list's OnKeyDown), then, unless the control uses
  // the key itself (an edit box its Delete), the form's OnKeyDown. True when a handler took the
  // key: it does nothing else then.
  bool KeyDown(Key key);

  // Device pixels for a length in 96-DPI pixels at the form's current DPI.
  int Scale(int value) const;

  // Makes a child control that this control owns, for controls made at run time in any number:
  // it goes with this control. The arguments are those of T's constructor after the parent.
  template <std::derived_from<Control> T, typename... Args>
  T& Add(Args&&... args) {
    auto child = std::make_unique<T>(*this, std::forward<Args>(args)...);
    T& added = *child;
    owned_children_.push_back(std::move(child));
    return added;
  }

 protected:
  Control(Control* parent, ControlKind kind, const Placement& placement, std::u16string text);

  // Called by each concrete class at the end of its constructor: makes the native window and
  // lays the control out in its parent.
  void Realize();

  // The size the control takes when its placement gives none, in device pixels.
  virtual Size NaturalSize() const { return {}; }

  // The inner spacing for docked children (panels only).
  virtual Padding ChildPadding() const { return {}; }

  // The control's own handler of a key; true when it took the key.
  virtual bool HandleKey(Key) { return false; }
  // Whether the control does something with the key itself.
  virtual bool UsesKey(Key) const { return false; }

  // The client area in device pixels.
  virtual Size ClientSize() const { return {bounds_.width, bounds_.height}; }

  // Destroys the children that this control owns, the last made first.
  void DestroyOwnedChildren();

  // Lays out the children of this control and, recursively, theirs.
  void LayoutChildrenNow();

  // Lays the control out again in its parent (after a change of size or text).
  void RelayoutInParent();

  // Runs an event handler; an error escaping it is shown in an error box owned by the form
  // instead of ending the program.
  void RunHandler(const auto& handler, const auto&... args) const;

  // Runs a handler that answers whether it handled the event: false without one, and when an
  // error escaped it (shown as by RunHandler).
  bool HandledBy(const auto& handler, const auto&... args) const {
    bool handled = false;
    if (handler) {
      RunHandler([&] { handled = handler(args...); });
    }
    return handled;
  }

 private:
  friend struct detail::Access;
  friend class Form;

  Form* form_;
  Control* parent_;
  std::vector<Control*> children_;
  std::vector<std::unique_ptr<Control>> owned_children_;  // made by Add
  ControlKind kind_;
  std::u16string text_;
  std::u16string accessible_name_;
  Placement placement_;
  Rect bounds_;
  bool enabled_ = true;
  bool visible_ = true;
  void* native_ = nullptr;  // HWND with the Win32 backend; unused by the headless one
};

namespace detail {
// Shows the error being handled in an error box owned by `form`.
void ReportHandlerError(const Form& form);
}  // namespace detail

void Control::RunHandler(const auto& handler, const auto&... args) const {
  if constexpr (requires { static_cast<bool>(handler); }) {
    if (!static_cast<bool>(handler)) {
      return;
    }
  }
  try {
    handler(args...);
  } catch (...) {
    detail::ReportHandlerError(*form_);
  }
}

}  // namespace dactyra::ui
