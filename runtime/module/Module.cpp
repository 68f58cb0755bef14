// Looking up a module's resources.
#include "runtime/module/Module.h"

#include "runtime/module/Ascii.h"

namespace runtime {

const Resource* FindResource(const ModuleDescription& module, std::string_view type,
                             std::string_view name) {
  for (const Resource& resource : module.resources) {
    if (EqualsIgnoringCase(resource.type, type) && EqualsIgnoringCase(resource.name, name)) {
      return &resource;
    }
  }
  return nullptr;
}

}  // namespace runtime
