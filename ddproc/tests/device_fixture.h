// Hand-made device option lists and device option records for the device
// library's rules.
#pragma once

#include <cstring>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "common/qxd/model_info.h"
#include "common/records/settings_records.h"

namespace ddtest {

// A device option list: each option with its value keywords and the index
// of the value the record selects.
class DeviceOptions {
 public:
  // Adds an option whose selected value is `values[selected]`.
  DeviceOptions& Add(const char* keyword, std::vector<std::string> values, uint32_t selected) {
    auto list = std::make_unique<std::vector<OptionItem>>(values.size() + 1);
    for (size_t i = 0; i < values.size(); ++i) {
      OptionItem& v = (*list)[i];
      v = OptionItem{};
      v.size = sizeof(OptionItem);
      std::strncpy(v.keyword, values[i].c_str(), sizeof v.keyword - 1);
    }
    (*list)[values.size()] = OptionItem{};
    DeviceOptionItem row{};
    row.size = sizeof(DeviceOptionItem);
    std::strncpy(row.keyword, keyword, sizeof row.keyword - 1);
    row.optionIndex = static_cast<uint32_t>(rows_.size());
    row.values = list->data();
    option_.optionValues[row.optionIndex] = selected;
    option_.optionCount = row.optionIndex + 1;
    values_.push_back(std::move(list));
    rows_.push_back(row);
    return *this;
  }
  // Shorthand: an option with the values "Dis<key>" and "Ena<key>" style pair.
  const DeviceOptionItem* list() {
    end_ = rows_;
    end_.push_back(DeviceOptionItem{});
    return end_.data();
  }
  DevOption* option() { return &option_; }

 private:
  std::vector<std::unique_ptr<std::vector<OptionItem>>> values_;
  std::vector<DeviceOptionItem> rows_, end_;
  DevOption option_{};
};

// A model record with the given input trays (keyword, bin, name).
struct Tray {
  const char* keyword;
  uint32_t bin;
  const char16_t* name;
};
class Model {
 public:
  explicit Model(std::vector<Tray> trays) : model_(new ModelInfo{}), trays_(trays.size() + 1) {
    for (size_t i = 0; i < trays.size(); ++i) {
      InTrayEntry& t = trays_[i];
      t = InTrayEntry{};
      t.size = sizeof(InTrayEntry);
      std::strncpy(t.keyword, trays[i].keyword, sizeof t.keyword - 1);
      t.binId = trays[i].bin;
      for (size_t k = 0; k < 31 && trays[i].name[k] != u'\0'; ++k) t.name[k] = trays[i].name[k];
    }
    trays_.back() = InTrayEntry{};
    model_->inTrays = trays_.data();
  }
  const ModelInfo* get() const { return model_.get(); }

 private:
  std::unique_ptr<ModelInfo> model_;
  std::vector<InTrayEntry> trays_;
};

}  // namespace ddtest
