#include "app/Fonts.h"

#include "app/DialogFonts.h"

#include <QFont>
#include <QString>

namespace sk {

void InstallFontSubstitutions() {
    QFont::insertSubstitution(QString::fromUtf8(kGothicFamily), QStringLiteral("IPAPGothic"));
    // A fixed-pitch Gothic: its Latin letters take half the width of its
    // full-width characters, so eight of any letter fit where four full-width
    // ones do, in the 91-pixel name box and before the points column alike.
    QFont::insertSubstitution(QString::fromUtf8(kSystemFamily), QStringLiteral("IPAGothic"));
    QFont::insertSubstitution(QString::fromUtf8(kTimesFamily), QStringLiteral("Liberation Serif"));
}

}  // namespace sk
