// Texts of the reasons for refusing a type descriptor.
#include "runtime/data/DescriptorError.h"

#include <string_view>

namespace runtime {
namespace {

std::string_view Reason(DescriptorFault fault) {
  switch (fault) {
    case DescriptorFault::Truncated: return "it runs past the bytes given";
    case DescriptorFault::BadLength: return "a group states a length shorter than its own entry";
    case DescriptorFault::PastStatedLength: return "an entry runs past the length that its group states";
    case DescriptorFault::LengthMismatch: return "a group's entries end before the length that it states";
    case DescriptorFault::BadCount: return "a group states a negative number of fields";
    case DescriptorFault::BadSize: return "a size is negative or too large";
    case DescriptorFault::BadGap: return "a gap is negative";
    case DescriptorFault::BadDimension: return "a dimension is below 1 or too large";
    case DescriptorFault::FieldOverrunsSize: return "a field lies past the size that its group states";
    case DescriptorFault::TooDeep: return "groups are nested too deeply";
  }
  return "unknown fault";
}

}  // namespace

std::string DescriptorError::Message() const {
  return "type descriptor refused at byte " + std::to_string(offset) + ": " + std::string(Reason(fault));
}

}  // namespace runtime
