// Every picture the program carries, drawn from the art directory, and the program's own copy of
// what the pictures are drawn from.
#pragma once

#include <string>
#include <vector>

#include "formats.h"

namespace picgen {

struct PictureFile {
  std::string name;  // file name inside the pictures directory
  Bytes bytes;
};

std::vector<PictureFile> MakePictures(const std::string& artDir);

// Names of the pictures in `picturesDir` that are missing or differ from a fresh drawing.
std::vector<std::string> OutdatedPictures(const std::string& artDir, const std::string& picturesDir);

// The generated C++ source that gives the program the glyphs and pixel art the pictures are
// drawn from (layouts/picture_sources.cpp).
Bytes MakeSourceFile(const std::string& artDir);
// Whether that file at `path` is missing or differs from a fresh one.
bool SourceFileOutdated(const std::string& artDir, const std::string& path);

// Every character the pictures' texts use: what the glyph file has to hold.
std::u32string CharactersUsed();

}  // namespace picgen
