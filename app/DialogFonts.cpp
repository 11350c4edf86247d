#include "app/DialogFonts.h"

namespace sk {
namespace {

QFont FontOf(const char* family, int pixels) {
    QFont font(QString::fromUtf8(family));
    font.setPixelSize(pixels);
    // Set every style explicitly so that nothing is inherited from the window.
    font.setBold(false);
    font.setItalic(false);
    font.setUnderline(false);
    return font;
}

}  // namespace

QFont GothicFont(int pixels) { return FontOf(kGothicFamily, pixels); }

QFont SystemFont(int pixels) {
    QFont font = FontOf(kSystemFamily, pixels);
    font.setBold(true);
    return font;
}

QFont TimesFont(int pixels, bool bold, bool italic) {
    QFont font = FontOf(kTimesFamily, pixels);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

}  // namespace sk
