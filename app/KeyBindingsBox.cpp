#include "app/KeyBindingsBox.h"

#include "app/DialogFonts.h"
#include "app/KeyPositions.h"
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
    QT_TRANSLATE_NOOP("TKeyBindingsBox", "左へ移動"),        // Steer left
    QT_TRANSLATE_NOOP("TKeyBindingsBox", "右へ移動"),        // Steer right
    QT_TRANSLATE_NOOP("TKeyBindingsBox", "上へ移動"),        // Steer up
    QT_TRANSLATE_NOOP("TKeyBindingsBox", "下へ移動"),        // Steer down
    QT_TRANSLATE_NOOP("TKeyBindingsBox", "単発"),            // Single shot
    QT_TRANSLATE_NOOP("TKeyBindingsBox", "拡散"),            // Fan
    QT_TRANSLATE_NOOP("TKeyBindingsBox", "コンティニュー"),  // Continue
};

QPushButton* AddPushButton(QWidget* parent, const char* name, const QString& text, const QRect& rect) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(rect);
    button->setFont(sk::GothicFont(13));
    return button;
}

QLabel* AddText(QWidget* parent, const QString& text, const QRect& rect) {
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    label->setGeometry(rect);
    return label;
}

}  // namespace

TKeyBindingsBox::TKeyBindingsBox(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("KeyBindingsBox"));
    //: Keys and pad
    setWindowTitle(tr("キーとパッド"));
    sk::SetDialogFrame(this, true);
    setFont(sk::GothicFont(12));
    setFixedSize(346, 390);
    AddKeyRows();
    AddPadMapping();

    //: Defaults
    auto* defaults = AddPushButton(this, "DefaultKeysB", tr("初期値に戻す"), QRect(8, 356, 104, 25));
    //: Done
    auto* ok = AddPushButton(this, "OkButton", tr("設定完了"), QRect(120, 356, 104, 25));
    //: Cancel
    auto* cancel = AddPushButton(this, "CancelButton", tr("キャンセル"), QRect(232, 356, 104, 25));
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
}

void TKeyBindingsBox::AddKeyRows() {
    //: Keys (by their place on the keyboard)
    auto* group = new QGroupBox(tr("キー（キーボード上の位置で覚えます）"), this);
    group->setObjectName(QStringLiteral("KeyGroup"));
    group->setGeometry(8, 8, 329, 20 + kRowHeight * sk::kKeyActions + 40);
    for (int i = 0; i < sk::kKeyActions; ++i) {
        const int y = 18 + kRowHeight * i;
        AddText(group, tr(kActionCaptions[i]), QRect(16, y + 3, 120, 14));
        const QByteArray name = "KeyButton" + QByteArray::number(i);
        keyButtons_[i] = AddPushButton(group, name.constData(), QString(), QRect(150, y, 163, 20));
        connect(keyButtons_[i], &QPushButton::clicked, this, [this, i] { Capture(i); });
    }
    const int noteY = 22 + kRowHeight * sk::kKeyActions;
    //: Names as on a QWERTY keyboard. The arrows, Space and the keypad's Enter serve too.
    const QString note = tr("名前はQWERTY配列での表示です。\n矢印キー・スペース・テンキーのEnterも使えます。");
    AddText(group, note, QRect(16, noteY, 305, 30));
}

void TKeyBindingsBox::AddPadMapping() {
    //: Game pad
    auto* group = new QGroupBox(tr("ゲームパッド"), this);
    group->setObjectName(QStringLiteral("PadGroup"));
    group->setGeometry(8, 226, 329, 122);
    //: D-pad, stick: steer / A: single shot; continue after game over / B, X: fan /
    //: Start: start on the title, pause in play / Back: the menus (quitting asks first) /
    //: In windows: the d-pad moves, A chooses, B cancels / Name entry: up and down
    //: change the letter, left and right move, A done, B deletes
    const QString mapping = tr("十字キー・スティック：移動\n"
                               "A：単発（ゲームオーバー後はコンティニュー）\n"
                               "B・X：拡散\n"
                               "Start：タイトルでは開始、プレイ中は一時停止\n"
                               "Back：メニュー（終了は確認してから）\n"
                               "ウィンドウでは 十字キーで選び、Aで決定、Bで取消\n"
                               "名前入力：上下で文字、左右で移動、Aで決定、Bで削除");
    QLabel* text = AddText(group, mapping, QRect(16, 18, 305, 98));
    text->setObjectName(QStringLiteral("PadMapping"));
    text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void TKeyBindingsBox::Load(const sk::KeyBindings& keys) {
    StopCapture();
    keys_ = keys;
    ShowKeys();
}

void TKeyBindingsBox::ShowKeys() {
    for (int i = 0; i < sk::kKeyActions; ++i) {
        const QString name = sk::KeyPositionName(keys_.Codes[i]);
        //: (key number N) for a place without a name
        keyButtons_[i]->setText(name.isEmpty() ? tr("（キー %1）").arg(keys_.Codes[i]) : name);
    }
    //: Press a key (Esc: keep)
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
