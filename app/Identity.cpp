#include "app/Identity.h"

#include <QGuiApplication>
#include <QImageReader>
#include <QPixmap>
#include <QString>

namespace sk {

// Made once and shared by the application and its windows. Read as PNG
// without guessing: a guess loads every image format plugin to ask it.
QIcon ProgramIcon() {
    static const QIcon icon = [] {
        QIcon made;
        for (int size : {16, 24, 32, 48, 64, 128, 256}) {
            QImageReader reader(QStringLiteral(":/icons/%1.png").arg(size), "png");
            reader.setAutoDetectImageFormat(false);
            made.addPixmap(QPixmap::fromImage(reader.read()));
        }
        return made;
    }();
    return icon;
}

void SetDesktopIdentity() {
    QGuiApplication::setDesktopFileName(QString::fromLatin1(kDesktopId));
    QGuiApplication::setWindowIcon(ProgramIcon());
}

}  // namespace sk
