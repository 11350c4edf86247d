#include "app/ReplayListBox.h"

#include "app/DialogFonts.h"
#include "app/WidgetKit.h"
#include "game/Replay.h"
#include "scores/ReplayIndex.h"

#include <QDateTime>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr int kFramesPerSecond = 50;  // 20 ms a frame

QString Length(std::uint32_t frames) {
    const std::uint32_t seconds = frames / kFramesPerSecond;
    return QStringLiteral("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

}  // namespace

TReplayListBox::TReplayListBox(const sk::Game& game, QWidget* parent) : QDialog(parent), game_(game) {
    setObjectName(QStringLiteral("ReplayListBox"));
    setFont(sk::GothicFont(12));
    auto* layout = new QVBoxLayout(this);
    list_ = new QTreeWidget(this);
    list_->setObjectName(QStringLiteral("ReplayList"));
    list_->setRootIsDecorated(false);
    list_->setMinimumSize(520, 260);
    layout->addWidget(list_);
    auto* buttons = new QDialogButtonBox(this);
    play_ = buttons->addButton(QString(), QDialogButtonBox::AcceptRole);
    play_->setObjectName(QStringLiteral("PlayB"));
    play_->setDefault(true);
    close_ = buttons->addButton(QString(), QDialogButtonBox::RejectRole);
    close_->setObjectName(QStringLiteral("CloseB"));
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(list_, &QTreeWidget::itemDoubleClicked, this, &QDialog::accept);
    connect(list_, &QTreeWidget::currentItemChanged, this, [this] { play_->setEnabled(list_->currentItem() != nullptr); });
}

void TReplayListBox::AddRow(const QString& rank, const QString& name, const std::vector<std::uint8_t>& file) {
    sk::ReplayHeader h;
    if (sk::DecodeReplayHeader(file, h) != sk::ReplayFault::None) return;
    const QString stage = h.Lap > 1 ? tr("%1 (%2周目)").arg(h.Stage).arg(h.Lap) : QString::number(h.Stage);
    const QString date = QDateTime::fromSecsSinceEpoch(h.Date).toString(QStringLiteral("yyyy-MM-dd hh:mm"));
    auto* row = new QTreeWidgetItem(list_, {rank, name, QString::number(h.Score), stage, date, Length(h.Frames)});
    for (int column : {0, 2, 3, 5}) row->setTextAlignment(column, Qt::AlignRight | Qt::AlignVCenter);
    files_.push_back(file);
}

// The texts are set at every opening, in the language of the moment.
void TReplayListBox::Fill() {
    setWindowTitle(tr("リプレイ"));
    list_->setHeaderLabels({tr("順位"), tr("名前"), tr("得点"), tr("ステージ"), tr("日付"), tr("長さ")});
    play_->setText(tr("再生(&P)"));
    close_->setText(tr("閉じる"));
    list_->clear();
    files_.clear();
    for (int rank = 1; rank <= sk::kRanks; ++rank) {
        std::vector<std::uint8_t> file;
        if (!sk::LoadKeptReplay(game_.Replays, rank, file)) continue;
        AddRow(QString::number(rank), QString::fromStdString(sk::Cp932ToUtf8(game_.HighScores.HiName[rank - 1])), file);
    }
    std::vector<std::uint8_t> last;
    bool tooLarge = false;
    if (sk::ReadWholeFile(sk::kLastReplayFile, sk::kMaxReplayFileBytes, last, tooLarge) && !tooLarge) {
        AddRow(tr("前回"), tr("(最後のゲーム)"), last);
    }
    for (int column = 0; column < list_->columnCount(); ++column) list_->resizeColumnToContents(column);
    list_->setCurrentItem(list_->topLevelItem(0));
    play_->setEnabled(list_->topLevelItemCount() > 0);
}

bool TReplayListBox::Choose(std::vector<std::uint8_t>& file) {
    Fill();
    adjustSize();
    sk::CentreOnScreen(this);
    if (exec() != QDialog::Accepted || !list_->currentItem()) return false;
    file = files_[static_cast<std::size_t>(list_->indexOfTopLevelItem(list_->currentItem()))];
    return true;
}
