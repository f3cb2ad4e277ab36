// Pixel-art text files: the readable sources of the icons, the cursor and the message symbols.
#pragma once

#include <fstream>
#include <istream>
#include <string>

#include "image.h"

namespace picgen {

struct Art {
  Image image;  // kNone where the art is transparent
  int hotX = 0;
  int hotY = 0;
};

// Format, one directive a line ('#' starts a comment line):
//   size W H
//   colour C RRGGBB     (or "colour C none" for a transparent pixel; C is one character)
//   hotspot X Y         (cursors only)
//   pixels              followed by H rows of W characters
Art ParseArt(std::istream& in, const std::string& name);

// A file of the art directory, opened; and one parsed as pixel art. Both throw if it is missing.
std::ifstream OpenArt(const std::string& artDir, const std::string& file);
Art LoadArt(const std::string& artDir, const std::string& file);

// One line of a text source, without a Windows line end.
bool GetLine(std::istream& in, std::string& line);

}  // namespace picgen
