// Reading a window definition resource into its records.
//
// Unlike the format's original reader, which trusted its data, this one checks
// every record offset, every text's terminator, every record's length and
// every chain against the data area, and notices chains that loop. Whatever
// the bytes, it reads nothing outside them.
#pragma once

#include <cstddef>
#include <expected>
#include <span>
#include <string>

#include "resources/Definition.h"
#include "resources/FormatError.h"

namespace windef {

// The key at the head of a resource (the bytes up to the first zero byte).
std::expected<std::string, FormatError> ReadKey(std::span<const std::byte> resource);

// The key and every window record with its controls. Control records of a
// kind other than string, button and check box are passed over by their chain
// link and left out of the result.
std::expected<Definition, FormatError> ReadDefinition(std::span<const std::byte> resource);

}  // namespace windef
