// Finding a window record by key and label among test modules, and the errors when none is found.
#include <gtest/gtest.h>

#include <deque>

#include "resources/DefinitionWriter.h"
#include "resources/ProgramWindow.h"
#include "runtime/error/ErrorReport.h"
#include "runtime/window/WindowRecordFinder.h"
#include "tests/resources/RecordBytes.h"

namespace runtime {
namespace {

// One window labelled `label` with one string control whose text tells the
// records apart.
std::vector<std::byte> Definition(std::string key, std::string label, std::string tag) {
  windef::Control string;
  string.kind = windef::Kind::String;
  string.number = 1;
  string.text = std::move(tag);
  windef::Window window;
  window.label = std::move(label);
  window.controls = {string};
  return windef::WriteDefinition(windef::Definition{std::move(key), {window}});
}

std::string Tag(const windef::Window& window) { return window.controls.empty() ? "" : window.controls[0].text; }

// Test modules over resource arrays that the fixture keeps alive.
class WindowRecordFinderTest : public ::testing::Test {
 protected:
  void AddModule(std::string name, std::vector<std::pair<std::string, std::vector<std::byte>>> resources) {
    std::vector<Resource>& list = resource_lists_.emplace_back();
    for (auto& [resource_name, bytes] : resources) {
      const std::string& stored_name = strings_.emplace_back(std::move(resource_name));
      const std::vector<std::byte>& stored = bytes_.emplace_back(std::move(bytes));
      list.push_back({kDefinitionResourceType, stored_name, kLanguageEnglishUs, stored});
    }
    modules_.Add({strings_.emplace_back(std::move(name)), list});
  }

  std::optional<windef::Window> Find(std::string_view key, std::string_view label) {
    errors_.clear();
    return FindWindowRecord(modules_, key, label);
  }

  ModuleList modules_;
  std::vector<RuntimeError> errors_;
  ScopedErrorHook hook_{[this](const RuntimeError& error) { errors_.push_back(error); }};

 private:
  // Deques, so that the spans and views handed out stay valid as they grow.
  std::deque<std::string> strings_;
  std::deque<std::vector<std::byte>> bytes_;
  std::deque<std::vector<Resource>> resource_lists_;
};

TEST_F(WindowRecordFinderTest, FindsByResourceNameExactKeyAndExactLabel) {
  const std::string fits(95, 'k');  // 95 + "_RSC" + terminator = 100 bytes
  const std::string too_long(96, 'k');
  AddModule("program", {{"QUINDLE_RSC", windef::WriteDefinition(windef::ProgramWindowDefinition())},
                        {"PLAIN_RSC", Definition("Plain", "W", "plain")},
                        {"SECOND$THIRD_RSC", Definition("First$Second$Third", "W", "second")},
                        {fits + "_RSC", Definition("$" + fits, "W", "fits")},
                        {too_long + "_RSC", Definition("$" + too_long, "W", "too long")}});
  struct Case {
    std::string key, label;
    std::optional<std::string> found;  // the tag, or nothing for error 502
  };
  const Case cases[] = {
      {"Plain", "W", "plain"},                         // no "$": the whole key names the resource
      {"First$Second$Third", "W", "second"},           // the name starts after the first "$"
      {"$" + fits, "W", "fits"},                       // the longest name that fits
      {"$" + too_long, "W", std::nullopt},             // one more: found nowhere
      {"Quindle$quindle", "P2$WINDOW", std::nullopt},  // resource found, key differs in case
      {"Quindle$Quindle", "P2$OTHER", std::nullopt},   // no record with the label
      {"Quindle$Quindle", "p2$window", std::nullopt},  // labels compare exactly
      {"Quindle$Quindle", "P2$WINDO", std::nullopt},
      {"Missing$Key", "W", std::nullopt},              // no resource at all
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.key + " / " + c.label);
    std::optional<windef::Window> window = Find(c.key, c.label);
    if (c.found) {
      ASSERT_TRUE(window);
      EXPECT_EQ(Tag(*window), *c.found);
      EXPECT_TRUE(errors_.empty());
    } else {
      EXPECT_FALSE(window);
      ASSERT_EQ(errors_.size(), 1u);
      EXPECT_EQ(errors_[0].number, ErrorNumber::WindowRecordNotFound);
      EXPECT_EQ(errors_[0].text, "Internal error 02 : WSLDIAL");
    }
  }
}

TEST_F(WindowRecordFinderTest, FindsTheProgramWindow) {
  AddModule("program", {{"QUINDLE_RSC", windef::WriteDefinition(windef::ProgramWindowDefinition())}});
  std::optional<windef::Window> window = Find("Quindle$Quindle", "P2$WINDOW");
  ASSERT_TRUE(window);
  EXPECT_TRUE(errors_.empty());
  EXPECT_EQ(window->text, "Caption");
  ASSERT_EQ(window->controls.size(), 4u);
  EXPECT_EQ(window->controls[2].text, "") << "check box 3's text is offset 0";
  EXPECT_EQ(window->controls[3].text, " Variable Number 2");
}

TEST_F(WindowRecordFinderTest, PassesOverAControlOfAnUnknownKind) {
  // The string record (offset 309) given a kind the runtime does not build.
  windef::testing::RecordBytes bytes(windef::WriteDefinition(windef::ProgramWindowDefinition()), 15);
  AddModule("program", {{"QUINDLE_RSC", bytes.U8(309, 77).Bytes()}});
  std::optional<windef::Window> window = Find("Quindle$Quindle", "P2$WINDOW");
  ASSERT_TRUE(window);
  ASSERT_EQ(window->controls.size(), 3u);
  EXPECT_EQ(window->controls[0].number, 1);
  EXPECT_EQ(window->controls[1].number, 3);
  EXPECT_EQ(window->controls[2].number, 4);
}

TEST_F(WindowRecordFinderTest, GoesOnToTheNextModuleInSearchOrder) {
  AddModule("first", {{"QUINDLE_RSC", Definition("Quindle$Quindle", "OTHER", "first")}});
  AddModule("second", {{"QUINDLE_RSC", Definition("QUINDLE$QUINDLE", "P2$WINDOW", "wrong key")}});
  AddModule("third", {{"QUINDLE_RSC", Definition("Quindle$Quindle", "P2$WINDOW", "third")}});
  AddModule("fourth", {{"QUINDLE_RSC", Definition("Quindle$Quindle", "P2$WINDOW", "fourth")}});
  std::optional<windef::Window> window = Find("Quindle$Quindle", "P2$WINDOW");
  ASSERT_TRUE(window);
  EXPECT_EQ(Tag(*window), "third");

  // The resource module is searched first.
  modules_.SetResourceModule(3);
  window = Find("Quindle$Quindle", "P2$WINDOW");
  ASSERT_TRUE(window);
  EXPECT_EQ(Tag(*window), "fourth");
  window = Find("Quindle$Quindle", "OTHER");
  ASSERT_TRUE(window);
  EXPECT_EQ(Tag(*window), "first");
}

TEST_F(WindowRecordFinderTest, ReportsABrokenDefinitionUnderTheKey) {
  windef::testing::RecordBytes looping(windef::WriteDefinition(windef::ProgramWindowDefinition()), 15);
  AddModule("program", {{"QUINDLE_RSC", looping.I32(542 + 1, 186).Bytes()}});
  AddModule("spare", {{"QUINDLE_RSC", windef::WriteDefinition(windef::ProgramWindowDefinition())}});
  EXPECT_FALSE(Find("Quindle$Quindle", "P2$WINDOW"));
  ASSERT_EQ(errors_.size(), 1u);
  EXPECT_EQ(errors_[0].number, ErrorNumber::InvalidWindowDefinition);
  EXPECT_EQ(errors_[0].text, "Invalid window definition : WSLDIAL");
  EXPECT_NE(errors_[0].detail.find("control chain loops back to offset 186"), std::string::npos) << errors_[0].detail;
}

}  // namespace
}  // namespace runtime
