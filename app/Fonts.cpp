#include "app/Fonts.h"

#include "app/DialogFonts.h"

#include <QFont>
#include <QString>

namespace sk {

void InstallFontSubstitutions() {
    QFont::insertSubstitution(QString::fromUtf8(kGothicFamily), QStringLiteral("IPAPGothic"));
    QFont::insertSubstitution(QString::fromUtf8(kSystemFamily), QStringLiteral("DejaVu Sans"));
    QFont::insertSubstitution(QString::fromUtf8(kTimesFamily), QStringLiteral("Liberation Serif"));
}

}  // namespace sk
