// The module search order.
#include "runtime/module/ModuleList.h"

namespace runtime {

std::vector<const ModuleDescription*> ModuleList::SearchOrder() const {
  std::vector<const ModuleDescription*> order;
  order.reserve(modules_.size());
  std::size_t first = resource_module_.value_or(0);
  if (first < modules_.size()) order.push_back(&modules_[first]);
  for (std::size_t i = 0; i < modules_.size(); ++i) {
    if (i != first) order.push_back(&modules_[i]);
  }
  return order;
}

const Resource* ModuleList::Find(std::string_view type, std::string_view name) const {
  for (const ModuleDescription* module : SearchOrder()) {
    if (const Resource* resource = FindResource(*module, type, name)) return resource;
  }
  return nullptr;
}

}  // namespace runtime
