#pragma once

#include <filesystem>

namespace imagegen {

class Canvas;

// Writes the canvas as an 8-bit RGBA PNG file; throws std::runtime_error when it cannot be written.
void WritePng(const Canvas& canvas, const std::filesystem::path& file);
// Writes the canvas as a bottom-up 24-bit Windows bitmap file, alpha dropped; throws
// std::runtime_error when it cannot be written.
void WriteBmp(const Canvas& canvas, const std::filesystem::path& file);

} // namespace imagegen
