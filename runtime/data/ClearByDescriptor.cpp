// Clearing by descriptor, mode 0.
#include "runtime/data/ClearByDescriptor.h"

#include <cassert>
#include <cstring>

#include "runtime/error/ErrorReport.h"

namespace runtime {

ClearPlan::ClearPlan(const TypeDescriptor& descriptor) {
  for (std::size_t index = 0; index < descriptor.fields.size();) index = Build(descriptor.fields, index, roots_);
}

// Adds the node of field `index` to `out` unless it clears nothing, and
// returns the index past the field and, for a group, all its descendants
// (they follow it in descriptor order).
std::size_t ClearPlan::Build(const std::vector<FieldDescriptor>& fields, std::size_t index, std::vector<Node>& out) {
  const FieldDescriptor& field = fields[index];
  std::size_t next = index + 1;
  if (field.kind != kGroupKind) {
    if (field.extent > 0) out.push_back(Node{field.offset, field.extent, 0, 0, {}});
    return next;
  }
  Node group{field.offset, 0, field.size, 1, {}};
  for (std::int32_t dimension : field.dimensions) group.elements *= dimension;
  for (std::int32_t i = 0; i < field.field_count && next < fields.size(); ++i) {
    next = Build(fields, next, group.children);
  }
  if (group.size > 0 && !group.children.empty()) out.push_back(std::move(group));
  return next;
}

// The fields of a group are disjoint and each clears at least one byte, so one
// element of a group visits no more nodes than the element has bytes.
void ClearPlan::ClearNodes(std::uint8_t* block, const std::vector<Node>& nodes, std::int64_t shift) {
  for (const Node& node : nodes) {
    if (node.children.empty()) {
      std::memset(block + shift + node.offset, 0, static_cast<std::size_t>(node.extent));
      continue;
    }
    for (std::int64_t element = 0; element < node.elements; ++element) {
      ClearNodes(block, node.children, shift + element * node.size);
    }
  }
}

void ClearPlan::Clear(void* block, int mode) const {
  assert(mode == kClearToZero && "only clearing mode 0 is known");
  (void)mode;
  if (roots_.empty()) return;
  assert(block && "clearing a null block");
  ClearNodes(static_cast<std::uint8_t*>(block), roots_, 0);
}

void ClearByDescriptor(void* block, std::span<const std::uint8_t> descriptor, int mode) {
  auto read = ReadTypeDescriptor(descriptor);
  if (!read) {
    ReportError(ErrorNumber::InvalidTypeDescriptor, {}, read.error().Message());
    return;
  }
  ClearPlan(*read).Clear(block, mode);
}

}  // namespace runtime
