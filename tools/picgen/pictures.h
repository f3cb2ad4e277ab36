// Every picture the program carries, drawn from the art directory.
#pragma once

#include <string>
#include <vector>

#include "formats.h"

namespace picgen {

struct PictureFile {
    std::string name; // file name inside the pictures directory
    Bytes bytes;
};

std::vector<PictureFile> makePictures(const std::string& artDir);

// Every character the pictures' texts use: what the glyph file has to hold.
std::u32string charactersUsed();

} // namespace picgen
