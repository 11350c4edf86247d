// The "キーとパッド" dialog, opened from "操作と表示": the rebindable keys
// (steering, both shots, continue), each by its place on the keyboard, with
// a way back to the defaults; and the game pad's mapping, written out.
#pragma once

#include "game/Extras.h"

#include <QDialog>

#include <array>

class QPushButton;

class TKeyBindingsBox : public QDialog {
    Q_OBJECT
public:
    explicit TKeyBindingsBox(QWidget* parent = nullptr);

    void Load(const sk::KeyBindings& keys);
    sk::KeyBindings Chosen() const { return keys_; }

    // The button that takes the next key for `action`, and the one that
    // brings the defaults back.
    QPushButton* KeyButton(sk::KeyAction action) const { return keyButtons_[static_cast<int>(action)]; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void done(int result) override;

private:
    void AddKeyRows();
    void AddPadMapping();
    void Capture(int action);
    void StopCapture();
    void Bind(int action, int code);
    void ShowKeys();

    sk::KeyBindings keys_;
    std::array<QPushButton*, sk::kKeyActions> keyButtons_{};
    int capturing_ = -1;  // the action waiting for a key
};
