#include "app/Identity.h"

#include <QGuiApplication>
#include <QString>

namespace sk {

QIcon ProgramIcon() {
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        icon.addFile(QStringLiteral(":/icons/%1.png").arg(size), QSize(size, size));
    }
    return icon;
}

void SetDesktopIdentity() {
    QGuiApplication::setDesktopFileName(QString::fromLatin1(kDesktopId));
    QGuiApplication::setWindowIcon(ProgramIcon());
}

}  // namespace sk
