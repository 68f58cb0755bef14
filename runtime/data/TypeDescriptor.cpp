// Reading type descriptors into their list of fields.
#include "runtime/data/TypeDescriptor.h"

#include "runtime/data/CompactInteger.h"

namespace runtime {
namespace {

template <typename T>
using Result = std::expected<T, DescriptorError>;

// One entry as it stands in the bytes, before it is laid out.
struct Entry {
  std::size_t start = 0;
  std::uint8_t kind = 0;
  std::uint8_t flags = 0;
  std::int32_t size = 0;
  std::int32_t count = 0;   // groups only
  std::size_t end = 0;      // groups only: the byte after the group's stated length
  std::string name;
  std::int32_t gap = 0;
  std::vector<std::int32_t> dimensions;
  std::int32_t extent = 0;
};

bool HasSizeString(std::uint8_t kind) { return kind >= 18 && kind <= 21; }

// Reads entries front to back. `end_` is the stated end of the innermost
// group being read; nothing at or past it is ever touched.
class Reader {
 public:
  explicit Reader(std::span<const std::uint8_t> bytes) : bytes_(bytes), end_(bytes.size()) {}

  Result<TypeDescriptor> Read() {
    TypeDescriptor descriptor;
    if (bytes_.empty() || bytes_[0] != kGroupKind) return descriptor;
    auto header = ReadEntry();
    if (!header) return std::unexpected(header.error());
    descriptor.name = header->name;
    descriptor.size = header->size;
    descriptor.dimensions = header->dimensions;
    descriptor.record_size = header->extent;
    descriptor.length = static_cast<std::int32_t>(header->end);
    // The header's gap, if any, moves nothing: the described data starts at 0.
    if (auto fields = ReadFields(*header, 0, 0, 0, descriptor.fields); !fields) {
      return std::unexpected(fields.error());
    }
    return descriptor;
  }

 private:
  std::unexpected<DescriptorError> Fail(DescriptorFault fault, std::size_t at) const {
    return std::unexpected(DescriptorError{fault, at});
  }
  // Running out of bytes is Truncated while the header's own length is not yet
  // known, and past the stated length after.
  std::unexpected<DescriptorError> OutOfBytes() const {
    return Fail(length_known_ ? DescriptorFault::PastStatedLength : DescriptorFault::Truncated, pos_);
  }

  Result<std::uint8_t> Byte() {
    if (pos_ >= end_) return OutOfBytes();
    return bytes_[pos_++];
  }

  Result<std::int32_t> Word() {
    if (end_ - pos_ < 4) return OutOfBytes();
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) value = value << 8 | bytes_[pos_ + static_cast<std::size_t>(i)];
    pos_ += 4;
    return static_cast<std::int32_t>(value);
  }

  Result<std::int32_t> Compact() {
    auto value = ReadCompactInteger(bytes_.subspan(pos_, end_ - pos_));
    if (!value) return OutOfBytes();
    pos_ += value->length;
    return value->value;
  }

  Result<std::string> String() {
    std::string text;
    for (;;) {
      auto byte = Byte();
      if (!byte) return std::unexpected(byte.error());
      if (*byte == 0) return text;
      text.push_back(static_cast<char>(*byte));
    }
  }

  // A group's three words. Narrows end_ to the group's stated length, which
  // the caller restores once the group's fields are read.
  Result<void> GroupWords(Entry& entry) {
    auto size = Word();
    if (!size) return std::unexpected(size.error());
    auto count = Word();
    if (!count) return std::unexpected(count.error());
    auto length = Word();
    if (!length) return std::unexpected(length.error());
    if (*size < 0 || *size > kMaxDescribedSize) return Fail(DescriptorFault::BadSize, entry.start + 2);
    if (*count < 0) return Fail(DescriptorFault::BadCount, entry.start + 6);
    if (*length < 0 || static_cast<std::size_t>(*length) < kGroupEntrySize) {
      return Fail(DescriptorFault::BadLength, entry.start + 10);
    }
    const std::size_t group_end = entry.start + static_cast<std::size_t>(*length);
    if (group_end > end_) return length_known_ ? Fail(DescriptorFault::PastStatedLength, entry.start + 10)
                                               : Fail(DescriptorFault::Truncated, entry.start + 10);
    length_known_ = true;
    entry.size = *size;
    entry.count = *count;
    entry.end = group_end;
    end_ = group_end;
    return {};
  }

  Result<void> SizeData(Entry& entry) {
    if (entry.kind == kGroupKind) return GroupWords(entry);
    if (entry.kind == 10 || entry.kind == 11 || entry.kind == 31) {
      auto size = Byte();
      if (!size) return std::unexpected(size.error());
      entry.size = *size;
      if (entry.kind != 31) {
        if (auto parameter = Byte(); !parameter) return std::unexpected(parameter.error());
      }
      return {};
    }
    if (HasSizeString(entry.kind)) {
      const std::size_t at = pos_;
      auto size = Compact();
      if (!size) return std::unexpected(size.error());
      if (*size < 0 || *size > kMaxDescribedSize) return Fail(DescriptorFault::BadSize, at);
      entry.size = *size;
      if (entry.flags & kFlagSizeString) {
        if (auto text = String(); !text) return std::unexpected(text.error());
      }
      return {};
    }
    entry.size = DefaultFieldSize(entry.kind);
    return {};
  }

  Result<void> Dimensions(Entry& entry) {
    auto count = Byte();
    if (!count) return std::unexpected(count.error());
    std::int64_t elements = 1;
    for (int i = 0; i < *count; ++i) {
      const std::size_t at = pos_;
      auto dimension = Compact();
      if (!dimension) return std::unexpected(dimension.error());
      elements *= *dimension;
      if (*dimension < 1 || elements > kMaxDescribedSize) return Fail(DescriptorFault::BadDimension, at);
      entry.dimensions.push_back(*dimension);
    }
    if (elements * entry.size > kMaxDescribedSize) return Fail(DescriptorFault::BadDimension, entry.start);
    return {};
  }

  Result<Entry> ReadEntry() {
    Entry entry;
    entry.start = pos_;
    auto kind = Byte();
    if (!kind) return std::unexpected(kind.error());
    auto flags = Byte();
    if (!flags) return std::unexpected(flags.error());
    entry.kind = *kind;
    entry.flags = *flags;
    if (auto size = SizeData(entry); !size) return std::unexpected(size.error());
    if (entry.flags & kFlagName) {
      auto name = String();
      if (!name) return std::unexpected(name.error());
      entry.name = std::move(*name);
    }
    if (entry.flags & kFlagSecondString) {
      if (auto text = String(); !text) return std::unexpected(text.error());
    }
    if (entry.flags & kFlagGap) {
      const std::size_t at = pos_;
      auto gap = Compact();
      if (!gap) return std::unexpected(gap.error());
      if (*gap < 0) return Fail(DescriptorFault::BadGap, at);
      entry.gap = *gap;
    }
    if (entry.flags & kFlagDimensions) {
      if (auto dimensions = Dimensions(entry); !dimensions) return std::unexpected(dimensions.error());
    }
    std::int64_t elements = 1;
    for (std::int32_t dimension : entry.dimensions) elements *= dimension;
    entry.extent = static_cast<std::int32_t>(elements * entry.size);
    return entry;
  }

  // Reads the field entries of `group`, laid out from `group_offset`, then
  // checks that they end exactly where the group's stated length does.
  Result<void> ReadFields(const Entry& group, std::int32_t group_offset, std::int32_t group_number, int depth,
                          std::vector<FieldDescriptor>& fields) {
    if (depth > kMaxGroupDepth) return Fail(DescriptorFault::TooDeep, group.start);
    std::int64_t cursor = 0;  // from the group's start
    for (std::int32_t i = 0; i < group.count; ++i) {
      const std::size_t parent_end = end_;
      auto entry = ReadEntry();
      if (!entry) return std::unexpected(entry.error());
      const std::int64_t offset = cursor + entry->gap;
      if (offset + entry->extent > group.size) return Fail(DescriptorFault::FieldOverrunsSize, entry->start);
      FieldDescriptor field;
      field.number = static_cast<std::int32_t>(fields.size() + 1);
      field.kind = entry->kind;
      field.flags = entry->flags;
      field.name = entry->name;
      field.offset = group_offset + static_cast<std::int32_t>(offset);
      field.size = entry->size;
      field.dimensions = entry->dimensions;
      field.extent = entry->extent;
      field.group = group_number;
      if (entry->kind == kGroupKind) field.field_count = entry->count;
      fields.push_back(std::move(field));
      if (entry->kind == kGroupKind) {
        const FieldDescriptor& nested = fields.back();
        if (auto inner = ReadFields(*entry, nested.offset, nested.number, depth + 1, fields); !inner) {
          return std::unexpected(inner.error());
        }
        end_ = parent_end;
      }
      cursor = offset + entry->extent;
    }
    if (pos_ != end_) return Fail(DescriptorFault::LengthMismatch, pos_);
    return {};
  }

  std::span<const std::uint8_t> bytes_;
  std::size_t pos_ = 0;
  std::size_t end_;
  bool length_known_ = false;
};

}  // namespace

std::int32_t DefaultFieldSize(std::uint8_t kind) {
  switch (kind) {
    case 1: return 1;
    case 2: case 3: return 2;
    case 4: case 5: case 6: case 7: case 8: case 13: case 15: case 16:
    case 31: case 32: case 33: case 34: case 35: case 36: case 37: case 39: case 40:
    case 42: case 43: case 44: case 46: case 47: return 4;
    case 38: return 6;
    case 9: case 14: return 8;
    case 45: return 16;
    default: return 0;
  }
}

std::expected<TypeDescriptor, DescriptorError> ReadTypeDescriptor(std::span<const std::uint8_t> bytes) {
  return Reader(bytes).Read();
}

}  // namespace runtime
