// Resource lookup by type and name, and the order in which modules are searched.
#include <gtest/gtest.h>

#include "runtime/module/ModuleList.h"

namespace runtime {
namespace {

constexpr std::byte kA[] = {std::byte{1}};
constexpr std::byte kB[] = {std::byte{2}};

const Resource kFirst[] = {{"DABDUMP", "QUINDLE_RSC", kLanguageEnglishUs, kA}};
const Resource kSecond[] = {{"IMAGE", "SLIDER-ON_PNG", kLanguageEnglishUs, kB},
                            {"DABDUMP", "QUINDLE_RSC", kLanguageEnglishUs, kB}};

TEST(ModuleList, TypesAndNamesCompareWithoutCase) {
  ModuleDescription module{"program", kSecond};
  struct Case { std::string_view type, name; bool found; };
  for (Case c : {Case{"IMAGE", "SLIDER-ON_PNG", true}, Case{"image", "slider-on_png", true},
                 Case{"Image", "Slider-On_Png", true}, Case{"IMAGE", "SLIDER-OFF_PNG", false},
                 Case{"DABDUMP", "SLIDER-ON_PNG", false}, Case{"IMAG", "SLIDER-ON_PNG", false}}) {
    EXPECT_EQ(FindResource(module, c.type, c.name) != nullptr, c.found) << c.type << " " << c.name;
  }
}

TEST(ModuleList, SearchesTheResourceModuleFirstThenTheRestInOrder) {
  ModuleList modules;
  EXPECT_EQ(modules.Find("DABDUMP", "QUINDLE_RSC"), nullptr);
  modules.Add({"first", kFirst});
  modules.Add({"second", kSecond});
  EXPECT_EQ(modules.Find("DABDUMP", "QUINDLE_RSC")->bytes.data(), kA);
  EXPECT_EQ(modules.Find("IMAGE", "SLIDER-ON_PNG")->bytes.data(), kB);

  modules.SetResourceModule(1);
  ASSERT_EQ(modules.SearchOrder().size(), 2u);
  EXPECT_EQ(modules.SearchOrder()[0]->name, "second");
  EXPECT_EQ(modules.SearchOrder()[1]->name, "first");
  EXPECT_EQ(modules.Find("DABDUMP", "QUINDLE_RSC")->bytes.data(), kB);
}

}  // namespace
}  // namespace runtime
