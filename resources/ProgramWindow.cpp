// The description of the program's one window, from which its resource is made.
#include "resources/ProgramWindow.h"

#include <utility>

namespace windef {
namespace {

Control CheckBox(std::int32_t number, std::string label, Position position, std::string text) {
  Control c;
  c.kind = Kind::CheckBox;
  c.number = number;
  c.label = std::move(label);
  c.position = position;
  c.text = std::move(text);
  c.use = UseDescriptor{kUseTypeUnsigned8, 1, 0};
  c.true_value.emplace("1");
  c.false_value.emplace("0");
  return c;
}

}  // namespace

Definition ProgramWindowDefinition() {
  Window w;
  w.kind = Kind::Window;
  w.label = kProgramWindowLabel;
  w.text = "Caption";
  w.font = FontRecord{"Segoe UI", 10, kCharsetDefault, kColourNotGiven, kStyleNotGiven};
  // Centred on the screen, in dialog units; a fixed dialog frame without a system menu.
  w.flags_a = WindowFlagsA::Center | WindowFlagsA::UnitsDialog;
  w.flags_b = WindowFlagsB::FrameDouble;
  w.position = {kNotGiven, kNotGiven, 276, 140};

  Control close;
  close.kind = Kind::Button;
  close.number = 1;
  close.label = "?CANCELBUTTON";
  close.position = {223, 118, 42, 14};
  close.text = "Close";
  close.standard_action = kStandardActionClose;
  w.controls.push_back(close);

  Control string;
  string.kind = Kind::String;
  string.number = 2;
  string.label = "?STRING1";
  string.position = {13, 18, kNotGiven, kNotGiven};
  string.text = "Variable Number 1";
  w.controls.push_back(string);

  // Check box 3 has no text: the slider switch takes its place at run time.
  w.controls.push_back(CheckBox(3, "?BYVARIABLE1", {86, 18, kNotGiven, kNotGiven}, ""));
  w.controls.push_back(CheckBox(4, "?BYVARIABLE2", {13, 38, kNotGiven, kNotGiven}, " Variable Number 2"));

  return Definition{std::string(kProgramWindowKey), {w}};
}

}  // namespace windef
