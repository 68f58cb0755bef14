// Finding a window's definition record among the program's modules by key and label.
#include "runtime/window/WindowRecordFinder.h"

#include <expected>
#include <utility>

#include "resources/DefinitionReader.h"
#include "runtime/error/ErrorReport.h"

namespace runtime {

std::optional<std::string> DefinitionResourceName(std::string_view key) {
  std::size_t dollar = key.find('$');
  std::string_view base = dollar == std::string_view::npos ? key : key.substr(dollar + 1);
  if (base.size() + kDefinitionResourceSuffix.size() + 1 > kMaxResourceName) return std::nullopt;
  return std::string(base) + std::string(kDefinitionResourceSuffix);
}

std::optional<windef::Window> FindWindowRecord(const ModuleList& modules, std::string_view key,
                                               std::string_view label) {
  std::optional<std::string> name = DefinitionResourceName(key);
  std::string not_found = "no window record \"" + std::string(label) + "\" under the key \"" + std::string(key) + "\"";
  if (!name) {
    ReportError(ErrorNumber::WindowRecordNotFound, kWindowErrorModule,
                not_found + ": the resource name is longer than " + std::to_string(kMaxResourceName - 1) +
                    " characters");
    return std::nullopt;
  }
  for (const ModuleDescription* module : modules.SearchOrder()) {
    const Resource* resource = FindResource(*module, kDefinitionResourceType, *name);
    if (!resource) continue;
    // The key is compared exactly, case included, before the rest is read:
    // a resource stored under another key is no concern of this window.
    std::expected<std::string, windef::FormatError> stored_key = windef::ReadKey(resource->bytes);
    if (stored_key && *stored_key != key) continue;
    std::expected<windef::Definition, windef::FormatError> definition =
        stored_key ? windef::ReadDefinition(resource->bytes) : std::unexpected(stored_key.error());
    if (!definition) {
      ReportError(ErrorNumber::InvalidWindowDefinition, kWindowErrorModule,
                  std::string(module->name) + " " + *name + ": " + definition.error().message);
      return std::nullopt;
    }
    for (windef::Window& window : definition->windows) {
      if (window.label == label) return std::move(window);
    }
  }
  ReportError(ErrorNumber::WindowRecordNotFound, kWindowErrorModule, not_found);
  return std::nullopt;
}

}  // namespace runtime
