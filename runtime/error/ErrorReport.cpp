// The run-time error report: texts, the test hook and the default report.
#include "runtime/error/ErrorReport.h"

#include <cstdio>
#include <cstdlib>
#include <utility>

namespace runtime {
namespace {

ErrorHook& Hook() {
  static ErrorHook hook;
  return hook;
}

ErrorPresenter& Presenter() {
  static ErrorPresenter presenter;
  return presenter;
}

}  // namespace

std::string_view ErrorMessage(ErrorNumber number) {
  switch (number) {
    case ErrorNumber::None: return "No error";
    case ErrorNumber::EntryNotFound: return "Entry Not Found";
    case ErrorNumber::InvalidFieldTypeDescriptor: return "Invalid Field Type Descriptor";
    case ErrorNumber::VariableListExhausted: return "Internal error 01";
    case ErrorNumber::WindowRecordNotFound: return "Internal error 02";
    case ErrorNumber::InvalidWindowDefinition: return "Invalid window definition";
    case ErrorNumber::WindowAlreadyOpen: return "Window is already open";
    case ErrorNumber::SystemResourcesExceeded: return "System resources exceeded";
    case ErrorNumber::InvalidReference: return "Invalid reference";
    case ErrorNumber::InvalidTypeDescriptor: return "Invalid type descriptor";
    case ErrorNumber::InvalidQueue: return "Invalid queue";
  }
  return "Unknown error";
}

std::string ErrorText(ErrorNumber number, std::string_view module) {
  std::string text(ErrorMessage(number));
  if (!module.empty()) {
    text += " : ";
    text += module;
  }
  return text;
}

void ReportError(ErrorNumber number, std::string_view module, std::string_view detail) {
  RuntimeError error{number, ErrorText(number, module), std::string(detail)};
  if (Hook()) {
    Hook()(error);
    return;
  }
  std::fprintf(stderr, "Run-time error %d: %s\n", static_cast<int>(number), error.text.c_str());
  if (!error.detail.empty()) std::fprintf(stderr, "  %s\n", error.detail.c_str());
  std::fflush(stderr);
  if (Presenter()) {
    // The presenter runs a modal box; a failure inside it must not recurse.
    ErrorPresenter presenter = std::exchange(Presenter(), nullptr);
    presenter(error.text);
  }
  std::exit(kErrorExitStatus);
}

ScopedErrorHook::ScopedErrorHook(ErrorHook hook) : previous_(std::exchange(Hook(), std::move(hook))) {}

ScopedErrorHook::~ScopedErrorHook() { Hook() = std::move(previous_); }

void SetErrorPresenter(ErrorPresenter presenter) { Presenter() = std::move(presenter); }

}  // namespace runtime
