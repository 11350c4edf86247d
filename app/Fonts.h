// Maps the game's font names onto installed families: "ＭＳ Ｐゴシック" ->
// IPAPGothic, "System" -> IPAGothic (bold), "Times New Roman" -> Liberation
// Serif, each at the layout's pixel sizes.
// Call once before any window is built.
#pragma once

namespace sk {

void InstallFontSubstitutions();

}  // namespace sk
