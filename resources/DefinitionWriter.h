// Laying a window description out as a window definition resource.
//
// The layout is the one the program's resource shows: the key, the data
// header, then for each window its caption, label, font record and face name
// before the window record, followed by its controls; for each control its
// text, label, use descriptor, true and false values just before its record.
// Every text is written where it is used, never shared; an empty text is
// record offset 0 and takes no bytes. Control kinds other than string, button
// and check box have no record layout and must not be passed.
#pragma once

#include <cstddef>
#include <vector>

#include "resources/Definition.h"

namespace windef {

std::vector<std::byte> WriteDefinition(const Definition& definition);

}  // namespace windef
