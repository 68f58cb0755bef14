// Laying a window description out as a window definition resource.
#include "resources/DefinitionWriter.h"

#include <cassert>
#include <cstdint>
#include <string_view>

#include "resources/RecordLayout.h"

namespace windef {
namespace {

namespace L = layout;

class Writer {
 public:
  std::vector<std::byte> Finish(const Definition& definition) {
    TextAlways(definition.key);
    data_start_ = bytes_.size();
    std::size_t link = Reserve(L::kDataHeaderSize);  // the data header links to the first window
    for (const Window& window : definition.windows) {
      std::int32_t offset = WriteWindow(window);
      Patch(link, offset);
      link = RecordPosition(offset) + L::window::kNext;
    }
    return std::move(bytes_);
  }

 private:
  std::int32_t WriteWindow(const Window& w) {
    namespace W = L::window;
    assert((w.kind == Kind::Window || w.kind == Kind::OtherTopLevel) && "a top-level record is kind 25 or 26");
    if (w.kind != Kind::Window) return WriteOtherTopLevel(w);
    std::int32_t text = Text(w.text);
    std::int32_t label = Text(w.label);
    std::int32_t font = Font(w.font);
    std::int32_t icon = Text(w.icon);
    std::int32_t message = Text(w.message);
    std::int32_t help = Text(w.help);
    std::int32_t cursor = Text(w.cursor);
    std::int32_t wallpaper = Text(w.wallpaper);
    std::int32_t colours = Colours(w.colours);
    std::int32_t alert_keys = List(w.alert_keys);
    std::int32_t drop_names = DropNames(w.drop_names);
    std::int32_t menu_bar = Opaque(w.has_menu_bar);
    std::int32_t tool_bar = Opaque(w.has_tool_bar);
    std::int32_t status_bar = Opaque(w.has_status_bar);

    std::int32_t offset = Offset();
    std::size_t r = Reserve(W::kSize);
    Set8(r + W::kKind, w.kind);
    Set32(r + W::kFlagsA, w.flags_a);
    Set32(r + W::kDropNames, drop_names);
    Set32(r + W::kX, w.position.x);
    Set32(r + W::kY, w.position.y);
    Set32(r + W::kWidth, w.position.width);
    Set32(r + W::kHeight, w.position.height);
    Set32(r + W::kLabel, label);
    Set32(r + W::kFont, font);
    Set32(r + W::kText, text);
    Set32(r + W::kColours, colours);
    Set8(r + W::kLayout, w.layout);
    Set32(r + W::kIcon, icon);
    Set32(r + W::kMessage, message);
    Set32(r + W::kHelp, help);
    Set32(r + W::kAlertKeys, alert_keys);
    Set32(r + W::kFlagsB, w.flags_b);
    Set32(r + W::kPalette, w.palette);
    Set32(r + W::kTimer, w.timer);
    Set32(r + W::kMenuBar, menu_bar);
    Set32(r + W::kToolBar, tool_bar);
    Set32(r + W::kCursor, cursor);
    Set32(r + W::kStatusBar, status_bar);
    Set8(r + W::kWallpaperMode, w.wallpaper_mode);
    Set32(r + W::kWallpaper, wallpaper);
    Set8(r + W::kDock, w.dock);
    Set8(r + W::kDocked, w.docked);

    std::size_t link = r + W::kFirstControl;
    for (const Control& control : w.controls) {
      std::int32_t control_offset = WriteControl(control);
      Patch(link, control_offset);
      link = RecordPosition(control_offset) + L::control::kNext;
    }
    return offset;
  }

  // Only the units bits and the label of such a record are kept.
  std::int32_t WriteOtherTopLevel(const Window& w) {
    namespace W = L::window;
    std::int32_t label = Text(w.label);
    std::int32_t offset = Offset();
    std::size_t r = Reserve(W::kSize);
    Set8(r + W::kKind, w.kind);
    Set32(r + W::kFlagsA, w.flags_a & WindowFlagsA::UnitsMask);
    Set32(r + W::kLabel, label);
    return offset;
  }

  std::int32_t WriteControl(const Control& c) {
    assert((c.kind == Kind::String || c.kind == Kind::Button || c.kind == Kind::CheckBox) &&
           "only string, button and check box records have a layout");
    std::int32_t text = Text(c.text);
    std::int32_t label = Text(c.label);
    std::int32_t use = c.kind == Kind::CheckBox ? Use(c.use) : L::kNoRecord;
    std::int32_t true_value = c.kind == Kind::CheckBox ? OptionalText(c.true_value) : L::kNoRecord;
    std::int32_t false_value = c.kind == Kind::CheckBox ? OptionalText(c.false_value) : L::kNoRecord;
    std::int32_t font = Font(c.font);
    std::int32_t cursor = Text(c.cursor);
    std::int32_t icon = c.kind == Kind::String ? L::kNoRecord : Text(c.icon);
    std::int32_t extension = c.kind == Kind::Button ? L::kNoRecord : Text(c.extension_text);
    std::int32_t colours = Colours(c.colours);
    std::int32_t drop_names = DropNames(c.drop_names);
    HelpOffsets help = c.kind == Kind::String ? HelpOffsets{} : Help(c.help);

    std::int32_t offset = Offset();
    std::size_t size = c.kind == Kind::String   ? L::string::kSize
                       : c.kind == Kind::Button ? L::button::kSize
                                                : L::check_box::kSize;
    std::size_t r = Reserve(size);
    Set8(r + L::control::kKind, c.kind);
    Set32(r + L::control::kFlags, c.flags);
    Set32(r + L::control::kDropNames, drop_names);
    Set32(r + L::control::kNumber, c.number);
    Set32(r + L::control::kLabel, label);
    if (c.kind == Kind::String) {
      namespace S = L::string;
      SetPosition(r + S::kPosition, c.position);
      Set32(r + S::kJustification, c.justification_offset);
      Set32(r + S::kText, text);
      Set32(r + S::kFont, font);
      Set32(r + S::kCursor, cursor);
      Set32(r + S::kColours, colours);
      Set16(r + S::kAngle, static_cast<std::uint16_t>(c.angle));
      Set32(r + S::kExtensionText, extension);
      Set8(r + S::kLayout, c.layout);
    } else if (c.kind == Kind::Button) {
      namespace B = L::button;
      SetPosition(r + B::kPosition, c.position);
      SetHelp(r + B::kHelp, help);
      Set32(r + B::kFont, font);
      Set32(r + B::kCursor, cursor);
      Set32(r + B::kColours, colours);
      Set32(r + B::kText, text);
      Set32(r + B::kIcon, icon);
      Set8(r + B::kLayout, c.layout);
      Set32(r + B::kStandardAction, c.standard_action);
      Set8(r + B::kButtonFlags, c.button_flags);
      Set16(r + B::kDelay, c.delay);
      Set16(r + B::kRepeat, c.repeat);
    } else {
      namespace X = L::check_box;
      Set32(r + X::kUse, use);
      SetPosition(r + X::kPosition, c.position);
      SetHelp(r + X::kHelp, help);
      Set32(r + X::kFont, font);
      Set32(r + X::kCursor, cursor);
      Set32(r + X::kColours, colours);
      Set32(r + X::kText, text);
      Set32(r + X::kIcon, icon);
      Set32(r + X::kTrueValue, true_value);
      Set32(r + X::kFalseValue, false_value);
      Set32(r + X::kExtensionText, extension);
      Set8(r + X::kLayout, c.layout);
    }
    return offset;
  }

  struct HelpOffsets {
    std::int32_t message = 0, tooltip = 0, help = 0, alert_keys = 0;
    std::uint32_t key = 0;
  };

  HelpOffsets Help(const HelpBlock& h) {
    HelpOffsets o;
    o.message = Text(h.message);
    o.tooltip = Text(h.tooltip);
    o.help = Text(h.help);
    o.alert_keys = List(h.alert_keys);
    o.key = h.key;
    return o;
  }

  void SetHelp(std::size_t at, const HelpOffsets& o) {
    namespace H = L::help;
    Set32(at + H::kMessage, o.message);
    Set32(at + H::kTooltip, o.tooltip);
    Set32(at + H::kHelp, o.help);
    Set32(at + H::kKey, o.key);
    Set32(at + H::kAlertKeys, o.alert_keys);
  }

  void SetPosition(std::size_t at, const Position& p) {
    namespace P = L::position;
    Set32(at + P::kX, p.x);
    Set32(at + P::kY, p.y);
    Set32(at + P::kWidth, p.width);
    Set32(at + P::kHeight, p.height);
  }

  // The font record comes first, its face name right after it.
  std::int32_t Font(const std::optional<FontRecord>& font) {
    if (!font) return L::kNoRecord;
    namespace F = L::font;
    std::int32_t offset = Offset();
    std::size_t r = Reserve(F::kSize);
    Set32(r + F::kFace, Text(font->face));
    Set8(r + F::kPoints, font->size);
    Set8(r + F::kCharset, font->charset);
    Set32(r + F::kColour, font->colour);
    Set32(r + F::kStyle, font->style);
    return offset;
  }

  std::int32_t Colours(const std::optional<ColourTriple>& colours) {
    if (!colours) return L::kNoRecord;
    namespace K = L::colours;
    std::int32_t offset = Offset();
    std::size_t r = Reserve(K::kSize);
    Set32(r + K::kColour, colours->colour);
    Set32(r + K::kSelected, colours->selected_colour);
    Set32(r + K::kSelectedFill, colours->selected_fill_colour);
    return offset;
  }

  std::int32_t Use(const std::optional<UseDescriptor>& use) {
    if (!use) return L::kNoRecord;
    namespace U = L::use;
    std::int32_t offset = Offset();
    std::size_t r = Reserve(U::kSize);
    Set8(r + U::kType, use->type);
    Set32(r + U::kVariableSize, use->size);
    Set32(r + U::kExtra, use->extra);
    return offset;
  }

  // Nodes one after the other, each linking to the next.
  std::int32_t List(const std::vector<std::uint32_t>& values) {
    if (values.empty()) return L::kNoRecord;
    namespace N = L::list_node;
    std::int32_t first = Offset();
    for (std::size_t i = 0; i < values.size(); ++i) {
      std::size_t r = Reserve(N::kSize);
      Set32(r + N::kValue, values[i]);
      Set32(r + N::kNext, i + 1 < values.size() ? Offset() : L::kNoRecord);
    }
    return first;
  }

  // The names first, then the list whose values are their offsets.
  std::int32_t DropNames(const std::vector<std::string>& names) {
    std::vector<std::uint32_t> offsets;
    for (const std::string& name : names) offsets.push_back(static_cast<std::uint32_t>(Text(name)));
    return List(offsets);
  }

  // FIXME: stands in for a menu bar, tool bar or status bar record, whose
  // layouts are not defined yet: one zero byte, so the window keeps having one.
  std::int32_t Opaque(bool present) {
    if (!present) return L::kNoRecord;
    std::int32_t offset = Offset();
    Put(0);
    return offset;
  }

  std::int32_t Text(std::string_view text) {
    if (text.empty()) return L::kNoRecord;
    return TextAlways(text);
  }

  // A value that is there even when empty: written as a lone terminator.
  std::int32_t OptionalText(const std::optional<std::string>& text) {
    if (!text) return L::kNoRecord;
    return TextAlways(*text);
  }

  std::int32_t TextAlways(std::string_view text) {
    assert(text.find('\0') == std::string_view::npos && "a text cannot hold a zero byte");
    std::int32_t offset = Offset();
    for (char c : text) Put(static_cast<std::uint8_t>(c));
    Put(0);
    return offset;
  }

  // The record offset of the next byte written.
  std::int32_t Offset() const {
    return static_cast<std::int32_t>(bytes_.size() - data_start_) + L::kOffsetBase;
  }
  std::size_t RecordPosition(std::int32_t offset) const {
    return data_start_ + static_cast<std::size_t>(offset - L::kOffsetBase);
  }

  std::size_t Reserve(std::size_t size) {
    std::size_t at = bytes_.size();
    bytes_.resize(at + size);
    return at;
  }
  void Put(std::uint8_t value) { bytes_.push_back(std::byte{value}); }
  void Set8(std::size_t at, std::uint8_t value) { bytes_[at] = std::byte{value}; }
  void Set16(std::size_t at, std::uint16_t value) {
    Set8(at, static_cast<std::uint8_t>(value));
    Set8(at + 1, static_cast<std::uint8_t>(value >> 8));
  }
  void Set32(std::size_t at, std::uint32_t value) {
    for (std::size_t i = 0; i < 4; ++i) Set8(at + i, static_cast<std::uint8_t>(value >> (8 * i)));
  }
  void Set32(std::size_t at, std::int32_t value) { Set32(at, static_cast<std::uint32_t>(value)); }
  void Patch(std::size_t at, std::int32_t offset) { Set32(at, offset); }

  std::vector<std::byte> bytes_;
  std::size_t data_start_ = 0;
};

}  // namespace

std::vector<std::byte> WriteDefinition(const Definition& definition) { return Writer().Finish(definition); }

}  // namespace windef
