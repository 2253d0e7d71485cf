#include "app/config_file.h"

#include <utility>

#include "base/error.h"
#include "base/file.h"
#include "base/strings.h"
#include "toml/document_io.h"
#include "toml/path_helpers.h"

namespace dactyra {
namespace {

// Moves the tables of `fingers` whose unit id was not listed to the end of `kept`.
void MoveUnlistedFingers(toml::TTOMLArray* fingers, const std::set<std::int64_t>& listed_units,
                         toml::TTOMLArray& kept) {
  if (fingers == nullptr) {
    return;
  }
  std::int32_t index = 0;
  while (index < fingers->Count()) {
    const toml::TTOMLValue* item = fingers->GetItem(index);
    if (item->ValueType() == toml::tvtTable &&
        !listed_units.contains(toml::GetInteger(item->AsTable(), u"unitid", 0))) {
      kept.Add(fingers->Remove(index));
    } else {
      ++index;
    }
  }
}

}  // namespace

TConfigDocument LoadConfig(std::u16string_view path) {
  TConfigDocument config;
  // Anything at the path counts, so that a folder or a file without access is never replaced.
  if (!PathExists(path)) {
    config.Document = toml::NewTable();
    return config;
  }
  config.Document = toml::LoadFromFile(path, false);
  config.State =
      config.Document ? TConfigDocument::TState::kLoaded : TConfigDocument::TState::kUnreadable;
  return config;
}

bool TDescriptionLookup::FindDescription(std::int32_t, toml::TTOMLTable& table) {
  if (toml::GetInteger(&table, u"unitid", 0) == UnitId &&
      toml::GetString(&table, u"fingerid", u"") == FingerId) {
    Description = toml::GetString(&table, u"description", u"");
    return false;
  }
  return true;
}

std::unique_ptr<toml::TTOMLTable> BuildConfigFromRows(const std::vector<TConfigRow>& rows,
                                                      toml::TTOMLTable* previous,
                                                      const std::set<std::int64_t>& listed_units) {
  auto root = toml::NewTable();
  root->Add(u"units", std::make_unique<toml::TTOMLTable>());
  toml::TTOMLTable* units = toml::FindTable(root.get(), u"units");
  for (const TConfigRow& row : rows) {
    toml::SetString(units, row.UnitId, row.DeviceName, true);
  }

  auto fingers = std::make_unique<toml::TTOMLArray>();
  for (const TConfigRow& row : rows) {
    const std::optional<std::int64_t> unit_id = TextToInt(row.UnitId);
    if (!unit_id) {
      throw Error(u"The device ID \"" + row.UnitId + u"\" is not a number.");
    }
    auto table = std::make_unique<toml::TTOMLTable>();
    toml::SetInteger(table.get(), u"unitid", *unit_id, true);
    toml::SetString(table.get(), u"fingerid", row.FingerId, true);
    toml::SetString(table.get(), u"description", row.Description, true);
    toml::AddTable(fingers.get(), std::move(table));
  }
  MoveUnlistedFingers(toml::GetArray(previous, u"finger"), listed_units, *fingers);
  toml::SetArray(root.get(), u"finger", std::move(fingers), true);
  return root;
}

}  // namespace dactyra
