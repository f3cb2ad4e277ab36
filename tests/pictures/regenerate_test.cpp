// The committed pictures are exactly what the generator makes from layouts/art.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "pictures.h"

namespace {

namespace fs = std::filesystem;

TEST(Regenerate, DrawingTwiceGivesTheSameBytes) {
  const auto first = picgen::MakePictures("layouts/art");
  const auto second = picgen::MakePictures("layouts/art");
  ASSERT_EQ(first.size(), 23u);
  for (std::size_t i = 0; i < first.size(); ++i) {
    EXPECT_EQ(first[i].name, second[i].name);
    EXPECT_TRUE(first[i].bytes == second[i].bytes) << first[i].name;
  }
}

TEST(Regenerate, CommittedPicturesMatchTheirSources) {
  EXPECT_EQ(picgen::OutdatedPictures("layouts/art", "layouts/pictures"), std::vector<std::string>{});
}

TEST(Regenerate, ACheckNamesEveryChangedOrMissingPicture) {
  const fs::path copy = fs::temp_directory_path() / "tarvolin-pictures-check";
  fs::remove_all(copy);
  fs::copy("layouts/pictures", copy);
  {
    std::fstream face(copy / "FaceOk.bmp", std::ios::in | std::ios::out | std::ios::binary);
    face.seekg(200);
    const int byte = face.get();
    face.seekp(200);
    face.put(static_cast<char>(~byte));
  }
  fs::remove(copy / "HandCursor.cur");
  const auto outdated = picgen::OutdatedPictures("layouts/art", copy.string());
  fs::remove_all(copy);
  EXPECT_EQ(outdated, (std::vector<std::string>{"FaceOk.bmp", "HandCursor.cur"}));
}

// The glyphs and pixel art compiled into the program are those of layouts/art, and a check finds
// a copy that differs by one byte or is gone.
TEST(Regenerate, TheProgramsGeneratedSourceMatchesTheArt) {
  EXPECT_FALSE(picgen::SourceFileOutdated("layouts/art", "layouts/picture_sources.cpp"));
  const fs::path copy = fs::temp_directory_path() / "tarvolin-picture-sources.cpp";
  fs::copy_file("layouts/picture_sources.cpp", copy, fs::copy_options::overwrite_existing);
  {
    std::fstream file(copy, std::ios::in | std::ios::out | std::ios::binary);
    file.seekg(1000);
    const int byte = file.get();
    file.seekp(1000);
    file.put(static_cast<char>(byte == '0' ? '1' : '0'));
  }
  EXPECT_TRUE(picgen::SourceFileOutdated("layouts/art", copy.string()));
  fs::remove(copy);
  EXPECT_TRUE(picgen::SourceFileOutdated("layouts/art", copy.string()));
}

}  // namespace
