// Why a window definition resource is not a valid definition, and where.
#pragma once

#include <cstdint>
#include <string>

namespace windef {

struct FormatError {
  std::string message;  // for example "control record at offset 399 runs past the data area"
  std::int32_t offset = 0;  // record offset of the faulty record or text; 0 for the key
};

}  // namespace windef
