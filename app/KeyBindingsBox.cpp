#include "app/KeyBindingsBox.h"

#include "app/DialogFonts.h"
#include "app/KeyPositions.h"
#include "app/Language.h"
#include "app/WidgetKit.h"

#include <QApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

namespace {

constexpr int kRowHeight = 22;

// In sk::KeyAction order.
constexpr const char* kActionCaptions[sk::kKeyActions] = {
    QT_TRANSLATE_NOOP("TKeyBindingsBox", "左へ移動"),
    QT_TRANSLATE_NOOP("TKeyBindingsBox", "右へ移動"),
    QT_TRANSLATE_NOOP("TKeyBindingsBox", "上へ移動"),
    QT_TRANSLATE_NOOP("TKeyBindingsBox", "下へ移動"),
    QT_TRANSLATE_NOOP("TKeyBindingsBox", "単発"),
    QT_TRANSLATE_NOOP("TKeyBindingsBox", "拡散"),
    QT_TRANSLATE_NOOP("TKeyBindingsBox", "コンティニュー"),
};

// A plain-text label of fixed place for a text in the source language.
QLabel* AddText(QWidget* parent, const char* name, const char* source, const QRect& rect) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setGeometry(rect);
    sk::SetText(label, source);
    return label;
}

}  // namespace

TKeyBindingsBox::TKeyBindingsBox(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("KeyBindingsBox"));
    sk::SetText(this, QT_TR_NOOP("キーとパッド"));
    sk::SetDialogFrame(this, true);
    setFont(sk::GothicFont(12));
    setFixedSize(346, 406);
    AddKeyRows();
    AddPadMapping();

    auto* defaults = sk::AddButton(this, "DefaultKeysB", QT_TR_NOOP("初期値に戻す"), QRect(8, 372, 104, 25));
    auto* ok = sk::AddButton(this, "OkButton", QT_TR_NOOP("設定完了"), QRect(120, 372, 104, 25));
    auto* cancel = sk::AddButton(this, "CancelButton", QT_TR_NOOP("キャンセル"), QRect(232, 372, 104, 25));
    ok->setDefault(true);
    connect(defaults, &QPushButton::clicked, this, [this] {
        StopCapture();
        keys_ = sk::KeyBindings{};
        ShowKeys();
    });
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    ok->setFocus(Qt::OtherFocusReason);
    sk::UseClassicLook(this);
    sk::FollowLanguage(this, [this] { ShowKeys(); });
}

void TKeyBindingsBox::AddKeyRows() {
    auto* group = sk::AddGroup(this, "KeyGroup", QT_TR_NOOP("キー（キーボード上の位置で覚えます）"),
                               QRect(8, 8, 329, 20 + kRowHeight * sk::kKeyActions + 40));
    for (int i = 0; i < sk::kKeyActions; ++i) {
        const int y = 18 + kRowHeight * i;
        const QByteArray label = "KeyLabel" + QByteArray::number(i);
        AddText(group, label.constData(), kActionCaptions[i], QRect(16, y + 3, 130, 14));
        const QByteArray name = "KeyButton" + QByteArray::number(i);
        keyButtons_[i] = sk::AddButton(group, name.constData(), "", QRect(150, y, 163, 20));
        connect(keyButtons_[i], &QPushButton::clicked, this, [this, i] { Capture(i); });
    }
    AddText(group, "KeyNote",
            QT_TR_NOOP("名前はQWERTY配列での表示です。\n矢印キー・スペース・テンキーのEnterも使えます。"),
            QRect(16, 22 + kRowHeight * sk::kKeyActions, 305, 30));
}

void TKeyBindingsBox::AddPadMapping() {
    auto* group = sk::AddGroup(this, "PadGroup", QT_TR_NOOP("ゲームパッド"), QRect(8, 226, 329, 138));
    AddText(group, "PadMapping",
            QT_TR_NOOP("十字キー・スティック：移動\n"
                       "A：単発（ゲームオーバー後はコンティニュー）\n"
                       "B・X：拡散\n"
                       "Start：タイトルでは開始、プレイ中は一時停止\n"
                       "Back：メニュー（終了は確認してから）\n"
                       "ウィンドウでは 十字キーで選び、Aで決定、Bで取消\n"
                       "名前入力：上下で文字、左右で移動、Aで決定、Bで削除"),
            QRect(16, 18, 305, 114));
}

void TKeyBindingsBox::Load(const sk::KeyBindings& keys) {
    StopCapture();
    keys_ = keys;
    ShowKeys();
}

void TKeyBindingsBox::ShowKeys() {
    for (int i = 0; i < sk::kKeyActions; ++i) {
        const QString name = sk::KeyPositionName(keys_.Codes[i]);
        keyButtons_[i]->setText(name.isEmpty() ? tr("（キー %1）").arg(keys_.Codes[i]) : name);
    }
    if (capturing_ >= 0) keyButtons_[capturing_]->setText(tr("キーを押す（Escでそのまま）"));
}

void TKeyBindingsBox::Capture(int action) {
    if (capturing_ < 0) qApp->installEventFilter(this);
    capturing_ = action;
    ShowKeys();
}

void TKeyBindingsBox::StopCapture() {
    if (capturing_ >= 0) qApp->removeEventFilter(this);
    capturing_ = -1;
}

void TKeyBindingsBox::done(int result) {
    StopCapture();
    QDialog::done(result);
}

// A place bound to another action swaps with this one's.
void TKeyBindingsBox::Bind(int action, int code) {
    for (int& other : keys_.Codes) {
        if (other == code) other = keys_.Codes[action];
    }
    keys_.Codes[action] = code;
}

// While a button waits, the next key of this window is taken: a place with
// a name binds, Esc keeps the old key, anything else is passed over.
bool TKeyBindingsBox::eventFilter(QObject* watched, QEvent* event) {
    auto* widget = qobject_cast<QWidget*>(watched);
    const bool key = event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease;
    if (capturing_ < 0 || !key || widget == nullptr || widget->window() != this) {
        return QDialog::eventFilter(watched, event);
    }
    const auto* press = static_cast<QKeyEvent*>(event);
    if (event->type() == QEvent::KeyPress && !press->isAutoRepeat()) {
        const int code = sk::KeyPosition(*press);
        const bool bindable = !sk::KeyPositionName(code).isEmpty();
        if (press->key() == Qt::Key_Escape || bindable) {
            if (press->key() != Qt::Key_Escape) Bind(capturing_, code);
            StopCapture();
            ShowKeys();
        }
    }
    return true;
}
