// Feeds arbitrary bytes to the window definition reader; what it accepts must survive writing and reading again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "resources/DefinitionReader.h"
#include "resources/DefinitionWriter.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::span<const std::byte> bytes(reinterpret_cast<const std::byte*>(data), size);
  std::expected<windef::Definition, windef::FormatError> read = windef::ReadDefinition(bytes);
  if (!read) return 0;
  std::vector<std::byte> written = windef::WriteDefinition(*read);
  std::expected<windef::Definition, windef::FormatError> again = windef::ReadDefinition(written);
  // The writer's layout of an accepted definition is itself valid and means the same.
  if (!again || *again != *read) std::abort();
  return 0;
}
