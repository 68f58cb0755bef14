// The run-time error numbers and the runtime's message for each.
#pragma once

#include <string_view>

namespace runtime {

// Error codes of the last queue operation (see ErrorCode()) and the numbers of
// run-time errors that the one error report shows. docs/ARCHITECTURE.md lists
// them with their texts.
enum class ErrorNumber : int {
  None = 0,
  EntryNotFound = 30,
  InvalidFieldTypeDescriptor = 75,
  VariableListExhausted = 501,
  WindowRecordNotFound = 502,
  InvalidWindowDefinition = 503,
  WindowAlreadyOpen = 535,
  SystemResourcesExceeded = 536,
  InvalidReference = 801,
  InvalidTypeDescriptor = 802,
  InvalidQueue = 803,
};

// The runtime's message for an error number, for example "Internal error 02".
std::string_view ErrorMessage(ErrorNumber number);

}  // namespace runtime
