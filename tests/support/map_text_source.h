#pragma once

#include <map>
#include <string>
#include <utility>

#include "base/text_source.h"

namespace dactyra::testing {

// A TextSource over a plain map, standing in for a language document in tests. Set() stores a
// text, SetInt() an integer; a lookup of the other kind, or of a missing key, gives the default.
class MapTextSource final : public TextSource {
 public:
  void Set(std::u16string module, std::u16string id, std::u16string text) {
    texts_[{std::move(module), std::move(id)}] = std::move(text);
  }
  void SetInt(std::u16string module, std::u16string id, std::int32_t value) {
    integers_[{std::move(module), std::move(id)}] = value;
  }

  std::u16string GetLangStr(std::u16string_view module, std::u16string_view id,
                            std::u16string_view default_text) const override {
    const auto it = texts_.find({std::u16string(module), std::u16string(id)});
    return it == texts_.end() ? std::u16string(default_text) : it->second;
  }
  std::int32_t GetLangInt(std::u16string_view module, std::u16string_view id,
                          std::int32_t default_value) const override {
    const auto it = integers_.find({std::u16string(module), std::u16string(id)});
    return it == integers_.end() ? default_value : it->second;
  }

 private:
  std::map<std::pair<std::u16string, std::u16string>, std::u16string> texts_;
  std::map<std::pair<std::u16string, std::u16string>, std::int32_t> integers_;
};

}  // namespace dactyra::testing
