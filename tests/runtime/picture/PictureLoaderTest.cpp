// Resolving image names: the resource name, the decoder by extension, and
// the order in which the window's module, the executable and files are tried.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <list>
#include <string>

#include "runtime/error/ErrorReport.h"
#include "runtime/module/Ascii.h"
#include "runtime/picture/PictureLoader.h"
#include "tests/runtime/picture/PngFixtures.h"

namespace runtime {
namespace {

constexpr Rgba kFromExecutable{200, 0, 0, 255};
constexpr Rgba kFromFile{0, 200, 0, 255};
constexpr Rgba kFromWindowModule{0, 0, 200, 255};
constexpr Rgba kFromLibrary{90, 90, 0, 255};

std::vector<std::byte> OnePixelPng(Rgba color) { return testing::EncodeRgbaPng(Bitmap(1, 1, color)); }

std::optional<Rgba> ColorOf(const std::optional<Bitmap>& picture) {
  if (!picture) return std::nullopt;
  EXPECT_EQ(picture->GetSize(), (Size{1, 1}));
  return picture->At(0, 0);
}

const std::string kLongest = "~" + std::string(kMaxPictureName - 5, 'a') + ".png";
const std::string kTooLong = "~" + std::string(kMaxPictureName - 4, 'a') + ".png";

// Runs in a fresh working directory, with modules whose resources are one
// pixel of a colour that tells where a picture came from.
class PictureLoaderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    previous_directory_ = std::filesystem::current_path();
    directory_ = std::filesystem::temp_directory_path() / ("picture_loader_test_" + std::to_string(getpid()));
    std::filesystem::create_directories(directory_);
    std::filesystem::current_path(directory_);

    const std::vector<std::byte>& executable = Keep(OnePixelPng(kFromExecutable));
    const std::vector<std::byte>& not_png = Keep({std::byte{'B'}, std::byte{'M'}, std::byte{0}});
    Bitmap noise(16, 16);
    for (std::size_t i = 0; i < noise.Pixels().size(); ++i) noise.Pixels()[i] = {static_cast<std::uint8_t>(i * 37), 9, 9, 255};
    std::vector<std::byte> whole = testing::EncodeRgbaPng(noise);
    const std::vector<std::byte>& truncated = Keep({whole.begin(), whole.begin() + 100});  // inside the image data
    executable_resources_ = {
        {"IMAGE", "SLIDER-ON_PNG", kLanguageEnglishUs, executable},
        {"IMAGE", "NOT-A-PICTURE_PNG", kLanguageEnglishUs, not_png},
        {"IMAGE", "TRUNCATED_PNG", kLanguageEnglishUs, truncated},
        {"IMAGE", "SLIDER-ON_BMP", kLanguageEnglishUs, executable},
        {"IMAGE", "SLIDER-ON", kLanguageEnglishUs, executable},
        {"IMAGE", "A_PNG_TXT", kLanguageEnglishUs, executable},
        {"IMAGE", KeepName(ToUpperAscii(kLongest.substr(1, kLongest.size() - 5)) + "_PNG"), kLanguageEnglishUs, executable},
        {"IMAGE", KeepName(ToUpperAscii(kTooLong.substr(1, kTooLong.size() - 5)) + "_PNG"), kLanguageEnglishUs, executable},
        {"DABDUMP", "ONLY-OTHER-TYPE_PNG", kLanguageEnglishUs, executable},
    };
    window_resources_ = {{"IMAGE", "SLIDER-ON_PNG", kLanguageEnglishUs, Keep(OnePixelPng(kFromWindowModule))}};
    library_resources_ = {{"IMAGE", "LIBRARY_PNG", kLanguageEnglishUs, Keep(OnePixelPng(kFromLibrary))}};
    modules_.Add({"program", executable_resources_});
    modules_.Add({"library", library_resources_});
    window_module_ = {"dialogs", window_resources_};
  }

  void TearDown() override {
    std::filesystem::current_path(previous_directory_);
    std::filesystem::remove_all(directory_);
    EXPECT_EQ(reports_, 0) << "a picture that is not found is no error";
  }

  const std::vector<std::byte>& Keep(std::vector<std::byte> bytes) { return kept_.emplace_back(std::move(bytes)); }
  std::string_view KeepName(std::string name) { return kept_names_.emplace_back(std::move(name)); }

  static void WriteFile(const std::string& name, std::span<const std::byte> bytes) {
    std::ofstream file(name, std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }

  std::optional<Rgba> Load(std::string_view name, const ModuleDescription* window_module = nullptr) {
    return ColorOf(LoadPicture(name, modules_, window_module));
  }

  std::filesystem::path previous_directory_, directory_;
  // Lists: the resources' spans and names must not move.
  std::list<std::vector<std::byte>> kept_;
  std::list<std::string> kept_names_;
  std::vector<Resource> executable_resources_, window_resources_, library_resources_;
  ModuleList modules_;
  ModuleDescription window_module_;
  int reports_ = 0;
  ScopedErrorHook hook_{[this](const RuntimeError&) { ++reports_; }};
};

TEST_F(PictureLoaderTest, FormsTheResourceNameAndPicksTheDecoderByExtension) {
  struct Case {
    std::string name;
    std::optional<Rgba> color;
  };
  const Case cases[] = {
      {"~Slider-On.png", kFromExecutable},
      {"~slider-on.png", kFromExecutable},
      {"~SLIDER-ON.PNG", kFromExecutable},
      {"~sLiDeR-oN.pNg", kFromExecutable},
      {"Slider-On.png", kFromExecutable},  // no file, so the resource
      {"~Library.png", kFromLibrary},      // the other modules in search order
      {"", std::nullopt},
      {"~", std::nullopt},
      {"~Slider-On.bmp", std::nullopt},    // no decoder, though the resource is a PNG
      {"~Slider-On", std::nullopt},        // no extension
      {"~a.png.txt", std::nullopt},        // the extension is the last one
      {"~Slider-On.pn", std::nullopt},
      {"~Missing.png", std::nullopt},
      {"~Only-Other-Type.png", std::nullopt},
      {"~Not-A-Picture.png", std::nullopt},
      {"~Truncated.png", std::nullopt},
      {kLongest, kFromExecutable},
      {kTooLong, std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(Load(c.name), c.color) << '"' << c.name << "\" " << c.name.size();
  EXPECT_EQ(kLongest.size(), kMaxPictureName);
}

TEST_F(PictureLoaderTest, AFileDoesNotReplaceAResourceNameButWinsForTheNameWithout) {
  WriteFile("Slider-On.png", OnePixelPng(kFromFile));
  EXPECT_EQ(Load("~Slider-On.png"), kFromExecutable);
  EXPECT_EQ(Load("Slider-On.png"), kFromFile);
  EXPECT_EQ(Load("slider-on.png"), kFromExecutable) << "file names keep their case";
}

TEST_F(PictureLoaderTest, FallsBackToTheFileWhenTheResourceIsNoPicture) {
  for (const char* name : {"Not-A-Picture.png", "Truncated.png", "Missing.png"}) {
    WriteFile(name, OnePixelPng(kFromFile));
    EXPECT_EQ(Load(std::string("~") + name), kFromFile) << name;
  }
  WriteFile("Broken.png", std::vector<std::byte>(100, std::byte{'x'}));
  EXPECT_EQ(Load("~Broken.png"), std::nullopt);
  std::filesystem::create_directory("Folder.png");
  EXPECT_EQ(Load("Folder.png"), std::nullopt);
}

TEST_F(PictureLoaderTest, SearchesTheWindowsModuleFirstUnlessItIsTheExecutable) {
  EXPECT_EQ(Load("~Slider-On.png", &window_module_), kFromWindowModule);
  EXPECT_EQ(Load("~Slider-On.png", &modules_.Modules().front()), kFromExecutable);
  ModuleDescription executable_copy = modules_.Modules().front();
  EXPECT_EQ(Load("~Slider-On.png", &executable_copy), kFromExecutable);

  // A look-up that finds nothing in the window's module tries the file next,
  // before the executable.
  ModuleDescription empty{"empty", {}};
  EXPECT_EQ(Load("~Slider-On.png", &empty), kFromExecutable);
  WriteFile("Slider-On.png", OnePixelPng(kFromFile));
  EXPECT_EQ(Load("~Slider-On.png", &empty), kFromFile);
  EXPECT_EQ(Load("~Slider-On.png", &window_module_), kFromWindowModule);
  EXPECT_EQ(Load("Slider-On.png", &window_module_), kFromFile);
}

}  // namespace
}  // namespace runtime
