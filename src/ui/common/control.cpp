#include <algorithm>
#include <exception>
#include <string>

#include "base/error.h"
#include "ui/detail/backend.h"
#include "ui/detail/focus.h"
#include "ui/form.h"
#include "ui/form_texts.h"
#include "ui/layout.h"
#include "ui/message_box.h"

namespace dactyra::ui {

Control::Control(Control* parent, ControlKind kind, const Placement& placement, std::u16string text)
    : form_(parent != nullptr ? parent->form_ : nullptr),
      parent_(parent),
      kind_(kind),
      text_(std::move(text)),
      placement_(placement) {
  if (parent_ != nullptr) {
    parent_->children_.push_back(this);
  }
}

Control::~Control() {
  DestroyOwnedChildren();
  // Children still alive lose their native windows with ours.
  for (Control* child : children_) {
    detail::OrphanNative(*child);
    child->parent_ = nullptr;
    child->form_ = nullptr;
  }
  detail::DestroyNative(*this);
  if (kind_ != ControlKind::kForm && form_ != nullptr && form_->focused_ == this) {
    form_->focused_ = nullptr;
  }
  if (parent_ != nullptr) {
    std::erase(parent_->children_, this);
  }
}

void Control::DestroyOwnedChildren() {
  while (!owned_children_.empty()) {
    owned_children_.pop_back();
  }
}

void Control::Realize() {
  detail::CreateNative(*this);
  RelayoutInParent();
}

void Control::SetText(std::u16string_view text) {
  if (text_ == text) {
    return;
  }
  text_ = text;
  detail::UpdateText(*this);
  if (placement_.width == 0 || placement_.height == 0) {
    RelayoutInParent();
  }
}

void Control::SetAccessibleName(std::u16string_view name) {
  if (accessible_name_ != name) {
    accessible_name_ = name;
    detail::UpdateAccessibleName(*this);
  }
}

// A disabled control loses the focus; the focus goes on rather than nowhere, where no key would
// reach the form any more.
void Control::SetEnabled(bool enabled) {
  const bool loses_focus = !enabled && enabled_ && kind_ != ControlKind::kForm &&
                           form_ != nullptr && detail::HoldsFocus(*this);
  enabled_ = enabled;
  detail::UpdateEnabled(*this);
  if (loses_focus) {
    detail::MoveFocusOnFrom(*this);
  }
}

void Control::SetVisible(bool visible) {
  visible_ = visible;
  detail::UpdateVisible(*this);
  RelayoutInParent();
}

void Control::SetPlacement(const Placement& placement) {
  placement_ = placement;
  RelayoutInParent();
}

int Control::Width() const {
  return UnscaleForDpi(bounds_.width, form_->Dpi());
}

int Control::Height() const {
  return UnscaleForDpi(bounds_.height, form_->Dpi());
}

void Control::SetFocus() {
  detail::SetFocus(*this);
}

void Control::MoveToTabFront() {
  if (parent_ == nullptr) {
    return;
  }
  std::erase(parent_->children_, this);
  parent_->children_.insert(parent_->children_.begin(), this);
  detail::MoveToTabFront(*this);
}

bool Control::Focused() const {
  return detail::HasFocus(*this);
}

bool Control::KeyDown(Key key) {
  if (HandleKey(key)) {
    return true;
  }
  return form_ != this && !UsesKey(key) && form_->HandleKey(key);
}

int Control::Scale(int value) const {
  return ScaleForDpi(value, form_->Dpi());
}

void Control::RelayoutInParent() {
  if (parent_ != nullptr) {
    parent_->LayoutChildrenNow();
  } else {
    LayoutChildrenNow();
  }
}

void Control::LayoutChildrenNow() {
  std::vector<LayoutItem> items;
  items.reserve(children_.size());
  for (const Control* child : children_) {
    const Placement& p = child->placement_;
    const Size natural =
        (p.width == 0 || p.height == 0) ? child->NaturalSize() : Size{p.width, p.height};
    LayoutItem item;
    item.dock = p.dock;
    item.visible = child->visible_;
    item.rect = {Scale(p.left), Scale(p.top), p.width != 0 ? Scale(p.width) : natural.width,
                 p.height != 0 ? Scale(p.height) : natural.height};
    items.push_back(item);
  }
  const Padding inner = ChildPadding();
  const Padding scaled{Scale(inner.left), Scale(inner.top), Scale(inner.right),
                       Scale(inner.bottom)};
  const std::vector<Rect> placed = LayoutChildren(items, ClientSize(), scaled);
  for (std::size_t i = 0; i < children_.size(); ++i) {
    Control& child = *children_[i];
    child.bounds_ = placed[i];
    detail::UpdateBounds(child);
    child.LayoutChildrenNow();
  }
}

namespace detail {

void ReportHandlerError(const Form& form) {
  std::u16string message = form.Texts().Get(kUnexpectedError);
  try {
    throw;
  } catch (const std::exception& error) {
    message = ErrorText(error);
  } catch (...) {
    // not one of ours or the library's: the general text
  }
  ShowError(&form, form.Caption(), message);
}

}  // namespace detail

}  // namespace dactyra::ui
