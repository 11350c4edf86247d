#include "app/PlayOptionsBox.h"

#include "app/DialogFonts.h"
#include "app/KeyBindingsBox.h"
#include "app/Language.h"
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

constexpr const char* kZoomCaptions[4] = {
    QT_TRANSLATE_NOOP("TPlayOptionsBox", "1倍"),
    QT_TRANSLATE_NOOP("TPlayOptionsBox", "2倍"),
    QT_TRANSLATE_NOOP("TPlayOptionsBox", "3倍"),
    QT_TRANSLATE_NOOP("TPlayOptionsBox", "全画面"),
};
constexpr const char* kScalingCaptions[2] = {
    QT_TRANSLATE_NOOP("TPlayOptionsBox", "整数倍"),
    QT_TRANSLATE_NOOP("TPlayOptionsBox", "画面に合わせる"),
};

// Each language by its own name; "自動" follows the player's languages.
struct LanguageItem {
    sk::Language Choice;
    const char* Caption;
    int X, Width;
};
constexpr LanguageItem kLanguageItems[] = {
    {sk::Language::Automatic, QT_TRANSLATE_NOOP("TPlayOptionsBox", "自動"), 16, 86},
    {sk::Language::Japanese, "日本語", 104, 66},
    {sk::Language::English, "English", 172, 70},
};

QSlider* AddVolume(QWidget* group, const char* name, const char* caption, int y, QLabel*& value) {
    QLabel* label = sk::AddLabel(group, "", QString(), QRect(16, y + 2, 48, 12), sk::GothicFont(12), Qt::AlignLeft);
    sk::SetText(label, caption);
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
    sk::SetText(this, QT_TR_NOOP("操作と表示"));
    sk::SetDialogFrame(this, true);
    setFont(sk::GothicFont(12));
    setFixedSize(266, 392);

    AddControlGroup();
    AddViewGroup();

    auto* volume = sk::AddGroup(this, "VolumeGroup", QT_TR_NOOP("音量"), QRect(8, 178, 249, 69));
    MusicVolumeB = AddVolume(volume, "MusicVolumeB", QT_TR_NOOP("BGM"), 18, musicValue_);
    EffectVolumeB = AddVolume(volume, "EffectVolumeB", QT_TR_NOOP("効果音"), 42, effectValue_);
    for (QSlider* slider : {MusicVolumeB, EffectVolumeB}) {
        connect(slider, &QSlider::valueChanged, this, &TPlayOptionsBox::VolumeMoved);
    }

    auto* other = sk::AddGroup(this, "OtherGroup", QT_TR_NOOP("その他"), QRect(8, 254, 249, 41));
    FocusPauseB = sk::AddCheckBox(other, "FocusPauseB", QT_TR_NOOP("非アクティブになったら一時停止する"),
                                  QRect(16, 16, 225, 17),
                                  QT_TR_NOOP("ほかのウィンドウに切り替えると、F3と同じく一時停止します"));

    AddLanguageGroup();

    auto* ok = sk::AddButton(this, "OkButton", QT_TR_NOOP("設定完了"), QRect(16, 358, 113, 25));
    ok->setDefault(true);
    auto* cancel = sk::AddButton(this, "CancelButton", QT_TR_NOOP("キャンセル"), QRect(136, 358, 113, 25));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    ok->setFocus(Qt::OtherFocusReason);
    sk::UseClassicLook(this);
    sk::FollowLanguage(this);
}

void TPlayOptionsBox::AddControlGroup() {
    auto* control = sk::AddGroup(this, "ControlGroup", QT_TR_NOOP("操作"), QRect(8, 8, 249, 89));
    KeyControlB = sk::AddCheckBox(control, "KeyControlB", QT_TR_NOOP("キーボードで操作する"), QRect(16, 18, 225, 17),
                                  QT_TR_NOOP("キーは位置で決まります。初期値はW・A・S・Dと矢印キーで移動、"
                                             "Z・スペースで単発、Xで拡散、Enterでコンティニュー"));
    PadControlB = sk::AddCheckBox(control, "PadControlB", QT_TR_NOOP("ゲームパッドで操作する"),
                                  QRect(16, 40, 225, 17),
                                  QT_TR_NOOP("スティック・十字キーで移動、Aで単発、B・Xで拡散、"
                                             "Startで開始・一時停止、Backでメニュー"));
    auto* keys = sk::AddButton(control, "KeyBindingsB", QT_TR_NOOP("キーとパッド..."), QRect(16, 62, 140, 21));
    connect(keys, &QPushButton::clicked, this, &TPlayOptionsBox::ChooseKeys);
}

void TPlayOptionsBox::AddViewGroup() {
    auto* view = sk::AddGroup(this, "ZoomGroup", QT_TR_NOOP("表示"), QRect(8, 104, 249, 67));
    sk::SetHint(view, QT_TR_NOOP("F11で全画面と切り替え"));
    zoomButtons_ = new QButtonGroup(this);
    for (int i = 0; i < 4; ++i) {
        auto* item = new QRadioButton(view);
        item->setObjectName(QStringLiteral("ZoomItem%1").arg(i + 1));
        sk::SetText(item, kZoomCaptions[i]);
        item->setGeometry(16 + 52 * i, 18, i == 3 ? 70 : 50, 17);
        zoomButtons_->addButton(item, i + 1);
    }
    QLabel* label = sk::AddLabel(view, "ScalingLabel", QString(), QRect(16, 44, 52, 12), sk::GothicFont(12),
                                 Qt::AlignLeft);
    sk::SetText(label, QT_TR_NOOP("全画面："));
    scalingButtons_ = new QButtonGroup(this);
    for (int i = 0; i < 2; ++i) {
        auto* item = new QRadioButton(view);
        item->setObjectName(QStringLiteral("ScalingItem%1").arg(i + 1));
        sk::SetText(item, kScalingCaptions[i]);
        item->setGeometry(i == 0 ? 68 : 136, 42, i == 0 ? 64 : 105, 17);
        scalingButtons_->addButton(item, i + 1);
    }
    sk::SetHint(scalingButtons_->button(2),
                QT_TR_NOOP("整数倍は画素を均等に保ち、画面に合わせるは縦横比を保って画面いっぱいに広げます"));
}

void TPlayOptionsBox::ChooseKeys() {
    TKeyBindingsBox box(this);
    sk::CentreOnScreen(&box);
    box.Load(keys_);
    if (box.exec() == QDialog::Accepted) keys_ = box.Chosen();
}

void TPlayOptionsBox::AddLanguageGroup() {
    auto* group = sk::AddGroup(this, "LanguageGroup", QT_TR_NOOP("言語"), QRect(8, 302, 249, 45));
    languageButtons_ = new QButtonGroup(this);
    for (const LanguageItem& language : kLanguageItems) {
        auto* item = new QRadioButton(QString::fromUtf8(language.Caption), group);
        item->setObjectName(QStringLiteral("LanguageItem%1").arg(static_cast<int>(language.Choice)));
        if (language.Choice == sk::Language::Automatic) sk::SetText(item, language.Caption);
        item->setGeometry(language.X, 18, language.Width, 17);
        languageButtons_->addButton(item, static_cast<int>(language.Choice));
    }
    connect(languageButtons_, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked && preview_.Language) preview_.Language(static_cast<sk::Language>(id));
    });
}

void TPlayOptionsBox::Load(const sk::ExtraSettings& settings, Preview preview) {
    preview_ = {};  // loading the controls is not a change
    loaded_ = settings;
    KeyControlB->setChecked(settings.KeyControl);
    PadControlB->setChecked(settings.PadControl);
    keys_ = settings.Keys;
    zoomButtons_->button(static_cast<int>(settings.ZoomMode))->setChecked(true);
    scalingButtons_->button(static_cast<int>(settings.Scaling))->setChecked(true);
    MusicVolumeB->setValue(settings.MusicVolume);
    EffectVolumeB->setValue(settings.EffectVolume);
    FocusPauseB->setChecked(settings.FocusPause);
    languageButtons_->button(static_cast<int>(settings.Lang))->setChecked(true);
    ShowVolumes();
    preview_ = std::move(preview);
}

void TPlayOptionsBox::OfferZoomsUpTo(sk::Zoom largest) {
    for (const sk::Zoom zoom : {sk::Zoom::X2, sk::Zoom::X3}) {
        const bool fits = zoom <= largest;
        QAbstractButton* item = zoomButtons_->button(static_cast<int>(zoom));
        item->setEnabled(fits);
        sk::SetHint(item, fits ? "" : QT_TR_NOOP("画面に収まらないため選べません"));
    }
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
    chosen.Lang = static_cast<sk::Language>(languageButtons_->checkedId());
    return chosen;
}

void TPlayOptionsBox::ShowVolumes() {
    musicValue_->setText(QStringLiteral("%1%").arg(MusicVolumeB->value()));
    effectValue_->setText(QStringLiteral("%1%").arg(EffectVolumeB->value()));
}

void TPlayOptionsBox::VolumeMoved() {
    ShowVolumes();
    if (preview_.Volumes) preview_.Volumes(MusicVolumeB->value(), EffectVolumeB->value());
}

// Cancel puts back the volumes heard and the language shown before; any
// close runs the game again, as the settings dialog's does.
void TPlayOptionsBox::done(int result) {
    if (result != QDialog::Accepted) {
        if (preview_.Volumes) preview_.Volumes(loaded_.MusicVolume, loaded_.EffectVolume);
        if (preview_.Language) preview_.Language(loaded_.Lang);
    }
    preview_ = {};
    QDialog::done(result);
    if (game_.S.Shell.StopB.Checked) game_.StopBClick();
}
