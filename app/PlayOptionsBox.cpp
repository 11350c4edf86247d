#include "app/PlayOptionsBox.h"

#include "app/DialogFonts.h"
#include "app/KeyBindingsBox.h"
#include "app/WidgetKit.h"
#include "game/Game.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>

namespace {

constexpr const char* kZoomCaptions[4] = {"1倍", "2倍", "3倍", "全画面"};

QSlider* AddVolume(QWidget* group, const char* name, const char* caption, int y, QLabel*& value) {
    sk::AddLabel(group, "", QString::fromUtf8(caption), QRect(16, y + 2, 48, 12), sk::GothicFont(12), Qt::AlignLeft);
    auto* slider = new QSlider(Qt::Horizontal, group);
    slider->setObjectName(QString::fromLatin1(name));
    slider->setRange(0, 100);
    slider->setPageStep(10);
    slider->setGeometry(64, y, 136, 17);
    value = sk::AddLabel(group, "", QStringLiteral("100%"), QRect(204, y + 2, 36, 12), sk::GothicFont(12),
                         Qt::AlignRight);
    return slider;
}

}  // namespace

TPlayOptionsBox::TPlayOptionsBox(sk::Game& game, QWidget* parent) : QDialog(parent), game_(game) {
    setObjectName(QStringLiteral("PlayOptionsBox"));
    setWindowTitle(QStringLiteral("操作と表示"));
    sk::SetDialogFrame(this, true);
    setFont(sk::GothicFont(12));
    setFixedSize(266, 344);

    AddControlGroup();
    AddViewGroup();

    auto* volume = sk::AddGroup(this, "VolumeGroup", "音量", QRect(8, 178, 249, 69));
    MusicVolumeB = AddVolume(volume, "MusicVolumeB", "BGM", 18, musicValue_);
    EffectVolumeB = AddVolume(volume, "EffectVolumeB", "効果音", 42, effectValue_);
    for (QSlider* slider : {MusicVolumeB, EffectVolumeB}) {
        connect(slider, &QSlider::valueChanged, this, &TPlayOptionsBox::VolumeMoved);
    }

    auto* other = sk::AddGroup(this, "OtherGroup", "その他", QRect(8, 254, 249, 41));
    FocusPauseB = sk::AddCheckBox(other, "FocusPauseB", "非アクティブになったら一時停止する", QRect(16, 16, 225, 17),
                              "ほかのウィンドウに切り替えると、F3と同じく一時停止します");

    auto* ok = sk::AddButton(this, "OkButton", "設定完了", QRect(16, 310, 113, 25));
    ok->setDefault(true);
    auto* cancel = sk::AddButton(this, "CancelButton", "キャンセル", QRect(136, 310, 113, 25));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    ok->setFocus(Qt::OtherFocusReason);
    sk::UseClassicLook(this);
}

void TPlayOptionsBox::AddControlGroup() {
    auto* control = sk::AddGroup(this, "ControlGroup", "操作", QRect(8, 8, 249, 89));
    KeyControlB = sk::AddCheckBox(control, "KeyControlB", "キーボードで操作する", QRect(16, 18, 225, 17), nullptr);
    //: Keys by their place: W A S D or the arrows steer, Z or Space single shot, X fan, Enter continue
    KeyControlB->setToolTip(tr("キーは位置で決まります。初期値はW・A・S・Dと矢印キーで移動、"
                               "Z・スペースで単発、Xで拡散、Enterでコンティニュー"));
    PadControlB = sk::AddCheckBox(control, "PadControlB", "ゲームパッドで操作する", QRect(16, 40, 225, 17), nullptr);
    //: Stick or d-pad steer, A single shot, B or X fan, Start start and pause, Back the menus
    PadControlB->setToolTip(tr("スティック・十字キーで移動、Aで単発、B・Xで拡散、Startで開始・一時停止、"
                               "Backでメニュー"));
    //: Keys and pad...
    auto* keys = new QPushButton(tr("キーとパッド..."), control);
    keys->setObjectName(QStringLiteral("KeyBindingsB"));
    keys->setGeometry(16, 62, 140, 21);
    keys->setFont(sk::GothicFont(13));
    connect(keys, &QPushButton::clicked, this, &TPlayOptionsBox::ChooseKeys);
}

void TPlayOptionsBox::AddViewGroup() {
    auto* view = sk::AddGroup(this, "ZoomGroup", "表示", QRect(8, 104, 249, 67));
    view->setToolTip(QStringLiteral("F11で全画面と切り替え"));
    zoomButtons_ = new QButtonGroup(this);
    for (int i = 0; i < 4; ++i) {
        auto* item = new QRadioButton(QString::fromUtf8(kZoomCaptions[i]), view);
        item->setObjectName(QStringLiteral("ZoomItem%1").arg(i + 1));
        item->setGeometry(16 + 52 * i, 18, i == 3 ? 70 : 50, 17);
        zoomButtons_->addButton(item, i + 1);
    }
    //: Full screen:
    auto* label = new QLabel(tr("全画面："), view);
    label->setGeometry(16, 44, 52, 14);
    //: Whole multiples / Fit the screen
    const QString captions[2] = {tr("整数倍"), tr("画面に合わせる")};
    scalingButtons_ = new QButtonGroup(this);
    for (int i = 0; i < 2; ++i) {
        auto* item = new QRadioButton(captions[i], view);
        item->setObjectName(QStringLiteral("ScalingItem%1").arg(i + 1));
        item->setGeometry(i == 0 ? 68 : 136, 42, i == 0 ? 64 : 105, 17);
        scalingButtons_->addButton(item, i + 1);
    }
    //: Whole multiples keep every pixel square; fit fills the screen with the aspect kept
    scalingButtons_->button(2)->setToolTip(
        tr("整数倍は画素を均等に保ち、画面に合わせるは縦横比を保って画面いっぱいに広げます"));
}

void TPlayOptionsBox::ChooseKeys() {
    TKeyBindingsBox box(this);
    sk::CentreOnScreen(&box);
    box.Load(keys_);
    if (box.exec() == QDialog::Accepted) keys_ = box.Chosen();
}

void TPlayOptionsBox::Load(const sk::ExtraSettings& settings, std::function<void(int, int)> preview) {
    preview_ = nullptr;  // loading the sliders is not a change
    loaded_ = settings;
    KeyControlB->setChecked(settings.KeyControl);
    PadControlB->setChecked(settings.PadControl);
    keys_ = settings.Keys;
    zoomButtons_->button(static_cast<int>(settings.ZoomMode))->setChecked(true);
    scalingButtons_->button(static_cast<int>(settings.Scaling))->setChecked(true);
    MusicVolumeB->setValue(settings.MusicVolume);
    EffectVolumeB->setValue(settings.EffectVolume);
    FocusPauseB->setChecked(settings.FocusPause);
    VolumeMoved();
    preview_ = std::move(preview);
}

sk::ExtraSettings TPlayOptionsBox::Chosen() const {
    sk::ExtraSettings chosen;
    chosen.KeyControl = KeyControlB->isChecked();
    chosen.PadControl = PadControlB->isChecked();
    chosen.ZoomMode = static_cast<sk::Zoom>(zoomButtons_->checkedId());
    chosen.Scaling = static_cast<sk::FullScreenScaling>(scalingButtons_->checkedId());
    chosen.Keys = keys_;
    chosen.MusicVolume = MusicVolumeB->value();
    chosen.EffectVolume = EffectVolumeB->value();
    chosen.FocusPause = FocusPauseB->isChecked();
    return chosen;
}

void TPlayOptionsBox::VolumeMoved() {
    musicValue_->setText(QStringLiteral("%1%").arg(MusicVolumeB->value()));
    effectValue_->setText(QStringLiteral("%1%").arg(EffectVolumeB->value()));
    if (preview_) preview_(MusicVolumeB->value(), EffectVolumeB->value());
}

// Cancel puts back the volumes heard before; any close runs the game again,
// as the settings dialog's does.
void TPlayOptionsBox::done(int result) {
    if (result != QDialog::Accepted && preview_) preview_(loaded_.MusicVolume, loaded_.EffectVolume);
    preview_ = nullptr;
    QDialog::done(result);
    if (game_.S.Shell.StopB.Checked) game_.StopBClick();
}
