#include "app/StatusBar.h"

#include "app/GaugeBar.h"

#include <QImage>
#include <QLabel>
#include <QPixmap>

#include <algorithm>

namespace {

constexpr int kStatusTop = sk::kFieldHeight;  // 404
constexpr int kGaugeLeft = 168;
constexpr int kGaugeTop = 416;
constexpr int kGaugeHeight = 6;

QLabel* NumberLabel(QWidget* parent, const char* name, const QRect& rect, const QString& text, Qt::GlobalColor color) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setGeometry(rect);
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, color);
    label->setPalette(palette);
    return label;
}

QPixmap PictureOf(const sk::Bitmap& bitmap) {
    if (bitmap.Pixels.empty()) return {};
    const QImage image(reinterpret_cast<const uchar*>(bitmap.Pixels.data()), bitmap.Width, bitmap.Height,
                       bitmap.Width * 4, QImage::Format_RGB32);
    return QPixmap::fromImage(image);
}

QRegion SetVisible(QWidget* widget, bool visible) {
    if (widget->isVisibleTo(widget->parentWidget()) == visible) return {};
    widget->setVisible(visible);
    return widget->geometry();
}

}  // namespace

StatusBar::StatusBar(const sk::Bitmap& picture, QWidget* parent) {
    StatusPicture = new QLabel(parent);
    StatusPicture->setObjectName(QStringLiteral("StatusPicture"));
    StatusPicture->setGeometry(0, kStatusTop, sk::kFieldWidth, sk::kClientHeight - kStatusTop);
    StatusPicture->setPixmap(PictureOf(picture));
    StatusPicture->setAttribute(Qt::WA_TransparentForMouseEvents);
    // Black copies first, so the white labels lie on top of them.
    ScoreLabelB = NumberLabel(parent, "ScoreLabelB", {552, 413, 64, 18}, QStringLiteral("0000000"), Qt::black);
    ScoreLabelW = NumberLabel(parent, "ScoreLabelW", {551, 412, 64, 18}, QStringLiteral("0000000"), Qt::white);
    BulletLeftBar = new GaugeBar(parent);
    BulletLeftBar->setObjectName(QStringLiteral("BulletLeftBar"));
    BulletLeftBar->setGeometry(kGaugeLeft, kGaugeTop, sk::kGaugeFull, kGaugeHeight);
    StageLabelB = NumberLabel(parent, "StageLabelB", {93, 413, 19, 18}, QStringLiteral("01"), Qt::black);
    StageLabelW = NumberLabel(parent, "StageLabelW", {92, 411, 19, 18}, QStringLiteral("01"), Qt::white);
    ReplayLabel = NumberLabel(parent, "ReplayLabel", {2, kStatusTop + 2, 52, 26}, QString(), Qt::white);
    ReplayLabel->setAlignment(Qt::AlignCenter);
    QFont small = ReplayLabel->font();
    small.setPixelSize(10);
    small.setBold(true);
    ReplayLabel->setFont(small);
    ReplayLabel->hide();
    stageShown_ = StageLabelW->text().toStdString();
    scoreShown_ = ScoreLabelW->text().toStdString();
}

QRegion StatusBar::SetReplayCaption(const QString& caption) {
    QRegion changed;
    if (ReplayLabel->text() != caption) {
        ReplayLabel->setText(caption);
        changed += ReplayLabel->geometry();
    }
    changed += SetVisible(ReplayLabel, !caption.isEmpty());
    if (!caption.isEmpty()) ReplayLabel->raise();
    return changed;
}

QRegion StatusBar::SetCaption(QLabel* black, QLabel* white, const std::string& caption, std::string& shown) {
    if (caption == shown) return {};
    shown = caption;
    const QString text = QString::fromStdString(caption);
    black->setText(text);
    white->setText(text);
    return QRegion(black->geometry()) + white->geometry();
}

QRegion StatusBar::Mirror(const sk::ShellState& shell) {
    QRegion changed = SetCaption(StageLabelB, StageLabelW, shell.StageCaption, stageShown_);
    changed += SetCaption(ScoreLabelB, ScoreLabelW, shell.ScoreCaption, scoreShown_);
    changed += SetVisible(StatusPicture, shell.StatusPictureVisible);
    for (QLabel* label : {StageLabelB, StageLabelW, ScoreLabelB, ScoreLabelW}) {
        changed += SetVisible(label, shell.LabelsVisible);
    }
    const int width = std::clamp(shell.GaugeWidth, 0, sk::kGaugeFull);
    if (BulletLeftBar->width() != width) {
        BulletLeftBar->resize(width, kGaugeHeight);
        changed += QRect(kGaugeLeft, kGaugeTop, sk::kGaugeFull, kGaugeHeight);
    }
    changed += SetVisible(BulletLeftBar, shell.GaugeVisible && width > 0);
    return changed;
}
