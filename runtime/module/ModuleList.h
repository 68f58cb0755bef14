// The runtime's list of program modules and which of them holds resources.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

#include "runtime/module/Module.h"

namespace runtime {

class ModuleList {
 public:
  // Appends a module; the first one added is the program's executable.
  void Add(const ModuleDescription& module) { modules_.push_back(module); }
  void SetResourceModule(std::size_t index) { resource_module_ = index; }

  const std::vector<ModuleDescription>& Modules() const { return modules_; }

  // Modules in the order a resource is searched for: the resource module
  // (the first module when none is set), then every other module in order.
  std::vector<const ModuleDescription*> SearchOrder() const;

  // The first resource of this type and name in search order, or nullptr.
  const Resource* Find(std::string_view type, std::string_view name) const;

 private:
  std::vector<ModuleDescription> modules_;
  std::optional<std::size_t> resource_module_;
};

}  // namespace runtime
