// The three font families the windows are laid out with, at pixel sizes.
// The family names are mapped to installed fonts by substitution at start-up.
#pragma once

#include <QFont>

namespace sk {

inline constexpr const char* kGothicFamily = "ＭＳ Ｐゴシック";
inline constexpr const char* kSystemFamily = "System";
inline constexpr const char* kTimesFamily = "Times New Roman";

QFont GothicFont(int pixels);
// "System" is a bold face in every size.
QFont SystemFont(int pixels);
QFont TimesFont(int pixels, bool bold = false, bool italic = false);

}  // namespace sk
