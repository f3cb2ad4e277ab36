#include "pictures.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "art.h"
#include "font.h"
#include "icons.h"
#include "sources.h"

namespace picgen {

namespace {

struct FaceFile {
  const char* file;
  int id;  // the pressed face is the next one
};
const FaceFile kFaces[] = {
    {"FaceAbout", IDB_FACE_ABOUT},   {"FaceSettings", IDB_FACE_SETTINGS}, {"FaceSave", IDB_FACE_SAVE},
    {"FaceHide", IDB_FACE_HIDE},     {"FaceExit", IDB_FACE_EXIT},         {"FaceOk", IDB_FACE_OK},
    {"FaceCancel", IDB_FACE_CANCEL},
};

const std::vector<Rgb> kSkinColours{kBlack, kWhite, kLightGrey, kDarkGrey};

// The glyphs and pixel art the drawing takes, from the art directory's text files.
OwnedSources LoadSources(const std::string& artDir) {
  auto glyphFile = OpenArt(artDir, "glyphs.txt");
  const Font font = Font::ParseGlyphFile(glyphFile);
  for (char32_t c : CharactersUsed()) {
    font.glyph(c);  // throws for a character the glyph file lacks
  }
  return MakeSources(font, LoadArt(artDir, "QuestionSymbol.txt").image,
                     LoadArt(artDir, "WarningSymbol.txt").image, LoadArt(artDir, "BrowseIcon.txt").image);
}

bool HasBytes(const std::string& path, const Bytes& bytes) {
  std::ifstream in(path, std::ios::binary);
  const Bytes existing{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  return in.is_open() && existing == bytes;
}

}  // namespace

std::u32string CharactersUsed() {
  std::u32string all;
  for (const char32_t* const* text = tarvolin::PictureTexts(); *text; ++text) all += *text;
  return all;
}

std::vector<PictureFile> MakePictures(const std::string& artDir) {
  const OwnedSources sources = LoadSources(artDir);

  const auto background = [&](int id) { return EncodeRle8Bitmap(DrawAt96(id, sources), kSkinColours); };
  std::vector<PictureFile> files;
  files.push_back({"MainBackground.bmp", background(IDB_MAIN_BACKGROUND)});
  files.push_back({"EditBackground.bmp", background(IDB_EDIT_BACKGROUND)});
  files.push_back({"AboutBackground.bmp", background(IDB_ABOUT_BACKGROUND)});
  files.push_back({"InforBackground.bmp", background(IDB_INFOR_BACKGROUND)});
  files.push_back({"Infor2Background.bmp", background(IDB_INFOR2_BACKGROUND)});

  for (const FaceFile& face : kFaces) {
    for (bool pressed : {false, true}) {
      files.push_back(
          {std::string(face.file) + (pressed ? "Down" : "") + ".bmp",
           EncodeRle4Bitmap(DrawAt96(face.id + (pressed ? 1 : 0), sources), StandardPalette16())});
    }
  }

  const std::vector<PictureFile> icons = MakeIcons(artDir);
  files.insert(files.end(), icons.begin(), icons.end());
  files.push_back(
      {"BrowseIcon.ico", EncodeIcon4(LoadArt(artDir, "BrowseIcon.txt").image, StandardPalette16())});
  const Art hand = LoadArt(artDir, "HandCursor.txt");
  files.push_back({"HandCursor.cur", EncodeCursor(hand.image, hand.hotX, hand.hotY)});
  return files;
}

Bytes MakeSourceFile(const std::string& artDir) {
  const std::string text = SourceFileText(LoadSources(artDir));
  return Bytes(text.begin(), text.end());
}

std::vector<std::string> OutdatedPictures(const std::string& artDir, const std::string& picturesDir) {
  std::vector<std::string> outdated;
  for (const auto& file : MakePictures(artDir)) {
    if (!HasBytes(picturesDir + "/" + file.name, file.bytes)) {
      outdated.push_back(file.name);
    }
  }
  return outdated;
}

bool SourceFileOutdated(const std::string& artDir, const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::string existing{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  // A checkout with Windows line ends reads the same.
  existing.erase(std::remove(existing.begin(), existing.end(), '\r'), existing.end());
  return !in.is_open() || existing != SourceFileText(LoadSources(artDir));
}

}  // namespace picgen
