#pragma once
// Writing the demo art's files: text with CRLF line ends, two-colour masks,
// JPEG, BMP and PNG pictures. Each throws when the file cannot be written.
#include "tools/Canvas.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

// Writes `lines` with every '\n' turned into CRLF, as Windows tools expect.
void WriteText(const std::filesystem::path& path, const std::string& lines);
void WriteMask(const std::filesystem::path& path, int w, int h, const std::function<bool(int, int)>& inside);
void WriteJpeg(const std::filesystem::path& path, const Canvas& c);
// Pixels as red, green, blue bytes, rows from the top.
void WriteJpeg(const std::filesystem::path& path, int w, int h, const std::vector<std::uint8_t>& rgb);
void WriteBmp(const std::filesystem::path& path, const Canvas& c);
void WritePng(const std::filesystem::path& path, int w, int h, int channels, const std::vector<std::uint8_t>& pixels);
