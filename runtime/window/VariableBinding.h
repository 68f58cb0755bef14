// A program variable bound to a control: its address and how it is stored.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace runtime {

// Variable types of a use descriptor.
namespace VariableType {
inline constexpr int UnsignedByte = 1;
inline constexpr int Unsupported = 24;  // refused: no control can show it
}  // namespace VariableType

class VariableBinding {
 public:
  VariableBinding(void* address, int type, std::size_t size) : address_(address), type_(type), size_(size) {}

  // Whether the variable equals a value given as text, converted as the
  // variable's type converts text ("1" equals the number 1).
  bool Equals(std::string_view text) const;
  // Stores a value given as text, converted to the variable's type.
  void Store(std::string_view text) const;

 private:
  bool IsNumber() const { return type_ == VariableType::UnsignedByte; }

  void* address_;
  int type_;
  std::size_t size_;
};

}  // namespace runtime
