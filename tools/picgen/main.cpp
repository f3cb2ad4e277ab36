// picgen: draws every picture of the program from the sources in layouts/art.
//
//   picgen ART_DIR OUT_DIR [SOURCE]        write the pictures into OUT_DIR, and the program's
//                                          generated source of glyphs and pixel art to SOURCE
//   picgen --check ART_DIR PICTURES_DIR [SOURCE]
//                                          exit 1, naming each file that differs from a fresh one
//   picgen --extract-glyphs BDF OUT_FILE   write the glyph file: the pictures' characters from a BDF font
#include <filesystem>
#include <fstream>
#include <iostream>
#include <stdexcept>
#include <string>

#include "font.h"
#include "pictures.h"

namespace {

int Usage() {
  std::cerr << "usage: picgen ART_DIR OUT_DIR [SOURCE_FILE]\n"
               "       picgen --check ART_DIR PICTURES_DIR [SOURCE_FILE]\n"
               "       picgen --extract-glyphs BDF_FILE GLYPH_FILE\n";
  return 2;
}

void WriteFile(const std::string& path, const picgen::Bytes& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!out) {
    throw std::runtime_error("cannot write " + path);
  }
}

int WritePictures(const std::string& artDir, const std::string& outDir, const std::string& sourceFile) {
  std::filesystem::create_directories(outDir);
  for (const auto& file : picgen::MakePictures(artDir)) {
    WriteFile(outDir + "/" + file.name, file.bytes);
  }
  if (!sourceFile.empty()) {
    WriteFile(sourceFile, picgen::MakeSourceFile(artDir));
  }
  return 0;
}

int CheckPictures(const std::string& artDir, const std::string& picturesDir, const std::string& sourceFile) {
  auto outdated = picgen::OutdatedPictures(artDir, picturesDir);
  for (const auto& name : outdated) {
    std::cout << name << ": missing or different from what " << artDir << " makes\n";
  }
  if (!sourceFile.empty() && picgen::SourceFileOutdated(artDir, sourceFile)) {
    std::cout << sourceFile << ": missing or different from what " << artDir << " makes\n";
    outdated.push_back(sourceFile);
  }
  if (!outdated.empty()) {
    std::cout << outdated.size() << " file(s) out of date; run picgen " << artDir << ' ' << picturesDir
              << (sourceFile.empty() ? "" : " ") << sourceFile << '\n';
    return 1;
  }
  return 0;
}

int ExtractGlyphs(const std::string& bdfPath, const std::string& glyphPath) {
  std::ifstream in(bdfPath, std::ios::binary);
  if (!in) {
    throw std::runtime_error("cannot open " + bdfPath);
  }
  const picgen::Font font = picgen::Font::FromBdf(in, picgen::CharactersUsed());
  std::ofstream out(glyphPath, std::ios::binary | std::ios::trunc);
  font.WriteGlyphFile(
      out,
      "# Glyphs of WenQuanYi Bitmap Song, 12 pixels (wenquanyi_9pt.pcf of Debian's xfonts-wqy),\n"
      "# only those the pictures use. Licence: see FONT-LICENSE.md.\n"
      "# Made by tools/picgen/extract-glyphs.sh; '#' is ink. Box: width, height and the\n"
      "# offset of its lower-left corner from the pen position on the baseline.\n");
  if (!out) {
    throw std::runtime_error("cannot write " + glyphPath);
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    if ((argc == 4 || argc == 5) && std::string(argv[1]) == "--check") {
      return CheckPictures(argv[2], argv[3], argc == 5 ? argv[4] : "");
    }
    if (argc == 4 && std::string(argv[1]) == "--extract-glyphs") {
      return ExtractGlyphs(argv[2], argv[3]);
    }
    if ((argc == 3 || argc == 4) && argv[1][0] != '-') {
      return WritePictures(argv[1], argv[2], argc == 4 ? argv[3] : "");
    }
    return Usage();
  } catch (const std::exception& e) {
    std::cerr << "picgen: " << e.what() << '\n';
    return 1;
  }
}
