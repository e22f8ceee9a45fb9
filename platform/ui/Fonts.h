#pragma once
// The program names the fonts of its Windows design ("MS Sans Serif",
// "Tahoma"); Linux has neither. Without a substitute the toolkit falls back to
// a much wider face and fixed-size labels cut their text.
namespace platform {

// Maps the design's font names to installed faces of similar width.
void InstallFontSubstitutes();

} // namespace platform
