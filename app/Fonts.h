// Maps the game's font names onto installed families: "ＭＳ Ｐゴシック" ->
// IPAPGothic, "System" -> DejaVu Sans, "Times New Roman" -> Liberation Serif.
// Call once before any window is built.
#pragma once

namespace sk {

void InstallFontSubstitutions();

}  // namespace sk
