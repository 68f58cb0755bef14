// Prints a window definition resource readably: one field per line, in record order, for reading and diffing.
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "resources/DefinitionReader.h"

namespace {

using namespace windef;

// Texts are quoted, with bytes outside printable ASCII as \xNN, so every
// field stays on one line.
std::string Quote(const std::string& text) {
  std::string quoted = "\"";
  for (char c : text) {
    auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      quoted += '\\';
      quoted += c;
    } else if (byte < 0x20 || byte >= 0x7F) {
      char escape[5];
      std::snprintf(escape, sizeof escape, "\\x%02X", byte);
      quoted += escape;
    } else {
      quoted += c;
    }
  }
  return quoted + "\"";
}

std::string Hex(std::uint32_t value) {
  char text[11];
  std::snprintf(text, sizeof text, "0x%X", value);
  return text;
}

std::string Number(std::int32_t value) { return IsGiven(value) ? std::to_string(value) : "not given"; }

void Field(int indent, const char* name, const std::string& value) {
  std::printf("%*s%s: %s\n", indent, "", name, value.c_str());
}

const char* KindName(std::uint8_t kind) {
  switch (kind) {
    case Kind::String: return "string";
    case Kind::Button: return "button";
    case Kind::CheckBox: return "check box";
    case Kind::Window: return "window";
    case Kind::OtherTopLevel: return "other top-level record";
    default: return "unknown";
  }
}

void PrintKind(int indent, std::uint8_t kind) {
  Field(indent, "kind", std::to_string(kind) + " (" + KindName(kind) + ")");
}

void PrintPosition(int indent, const Position& p) {
  Field(indent, "x", Number(p.x));
  Field(indent, "y", Number(p.y));
  Field(indent, "width", Number(p.width));
  Field(indent, "height", Number(p.height));
}

void PrintFont(int indent, const std::optional<FontRecord>& font) {
  if (!font) return Field(indent, "font", "none");
  Field(indent, "font.face", Quote(font->face));
  Field(indent, "font.size", std::to_string(font->size));
  Field(indent, "font.charset", std::to_string(font->charset));
  Field(indent, "font.colour", Hex(font->colour));
  Field(indent, "font.style", Hex(font->style));
}

void PrintColours(int indent, const std::optional<ColourTriple>& colours) {
  if (!colours) return Field(indent, "colours", "none");
  Field(indent, "colours.colour", Hex(colours->colour));
  Field(indent, "colours.selected", Hex(colours->selected_colour));
  Field(indent, "colours.selected_fill", Hex(colours->selected_fill_colour));
}

void PrintKeys(int indent, const char* name, const std::vector<std::uint32_t>& keys) {
  std::string list;
  for (std::uint32_t key : keys) list += (list.empty() ? "" : ", ") + Hex(key);
  Field(indent, name, list.empty() ? "none" : list);
}

void PrintNames(int indent, const char* name, const std::vector<std::string>& names) {
  std::string list;
  for (const std::string& n : names) list += (list.empty() ? "" : ", ") + Quote(n);
  Field(indent, name, list.empty() ? "none" : list);
}

void PrintOptionalText(int indent, const char* name, const std::optional<std::string>& text) {
  Field(indent, name, text ? Quote(*text) : "none");
}

void PrintControl(const Control& c) {
  constexpr int kIndent = 4;
  std::printf("  control %d\n", c.number);
  PrintKind(kIndent, c.kind);
  Field(kIndent, "label", Quote(c.label));
  Field(kIndent, "flags", Hex(c.flags));
  PrintNames(kIndent, "drop_names", c.drop_names);
  PrintPosition(kIndent, c.position);
  Field(kIndent, "text", Quote(c.text));
  PrintFont(kIndent, c.font);
  Field(kIndent, "cursor", Quote(c.cursor));
  PrintColours(kIndent, c.colours);
  Field(kIndent, "layout", std::to_string(c.layout));
  if (c.kind == Kind::String) {
    Field(kIndent, "justification_offset", std::to_string(c.justification_offset));
    Field(kIndent, "angle", std::to_string(c.angle));
  }
  if (c.kind != Kind::String) {
    Field(kIndent, "help.message", Quote(c.help.message));
    Field(kIndent, "help.tooltip", Quote(c.help.tooltip));
    Field(kIndent, "help.help", Quote(c.help.help));
    Field(kIndent, "help.key", Hex(c.help.key));
    PrintKeys(kIndent, "help.alert_keys", c.help.alert_keys);
    Field(kIndent, "icon", Quote(c.icon));
  }
  if (c.kind == Kind::Button) {
    Field(kIndent, "standard_action", std::to_string(c.standard_action));
    Field(kIndent, "button_flags", Hex(c.button_flags));
    Field(kIndent, "delay", std::to_string(c.delay));
    Field(kIndent, "repeat", std::to_string(c.repeat));
  }
  if (c.kind == Kind::CheckBox) {
    if (c.use) {
      Field(kIndent, "use.type", std::to_string(c.use->type));
      Field(kIndent, "use.size", std::to_string(c.use->size));
      Field(kIndent, "use.extra", Hex(c.use->extra));
    } else {
      Field(kIndent, "use", "none");
    }
    PrintOptionalText(kIndent, "true_value", c.true_value);
    PrintOptionalText(kIndent, "false_value", c.false_value);
  }
  if (c.kind != Kind::Button) Field(kIndent, "extension_text", Quote(c.extension_text));
}

void PrintWindow(const Window& w) {
  constexpr int kIndent = 2;
  std::printf("window %s\n", Quote(w.label).c_str());
  PrintKind(kIndent, w.kind);
  Field(kIndent, "flags_a", Hex(w.flags_a));
  if (w.kind != Kind::Window) return;
  Field(kIndent, "flags_b", Hex(w.flags_b));
  Field(kIndent, "text", Quote(w.text));
  PrintPosition(kIndent, w.position);
  PrintFont(kIndent, w.font);
  PrintColours(kIndent, w.colours);
  Field(kIndent, "layout", std::to_string(w.layout));
  Field(kIndent, "icon", Quote(w.icon));
  Field(kIndent, "message", Quote(w.message));
  Field(kIndent, "help", Quote(w.help));
  Field(kIndent, "cursor", Quote(w.cursor));
  PrintKeys(kIndent, "alert_keys", w.alert_keys);
  PrintNames(kIndent, "drop_names", w.drop_names);
  Field(kIndent, "palette", Hex(w.palette));
  Field(kIndent, "timer", std::to_string(w.timer));
  Field(kIndent, "menu_bar", w.has_menu_bar ? "yes" : "no");
  Field(kIndent, "tool_bar", w.has_tool_bar ? "yes" : "no");
  Field(kIndent, "status_bar", w.has_status_bar ? "yes" : "no");
  Field(kIndent, "wallpaper_mode", std::to_string(w.wallpaper_mode));
  Field(kIndent, "wallpaper", Quote(w.wallpaper));
  Field(kIndent, "dock", std::to_string(w.dock));
  Field(kIndent, "docked", std::to_string(w.docked));
  Field(kIndent, "controls", std::to_string(w.controls.size()));
  for (const Control& control : w.controls) PrintControl(control);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s FILE\n", argv[0]);
    return 2;
  }
  std::ifstream file(argv[1], std::ios::binary);
  if (!file) {
    std::fprintf(stderr, "%s: cannot open\n", argv[1]);
    return 1;
  }
  std::vector<char> chars{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  std::expected<Definition, FormatError> definition = ReadDefinition(std::as_bytes(std::span(chars)));
  if (!definition) {
    std::fprintf(stderr, "%s: %s\n", argv[1], definition.error().message.c_str());
    return 1;
  }
  std::printf("key: %s\n", Quote(definition->key).c_str());
  std::printf("windows: %zu\n", definition->windows.size());
  for (const Window& window : definition->windows) PrintWindow(window);
  return 0;
}
