// Every command of the main window's menus and keys, by the name of its item
// (FullScreen, F11, and MenuBar, F10, have a key and no item). The window runs them through one
// dispatch function, whether they come from an item, a key or a game pad.
#pragma once

namespace sk {

enum class MenuCommand {
    StartBot,      // 開始, F1
    HScoreB,       // ハイスコア, F4
    ReplayB,       // リプレイ...
    ResetB,        // リセット, F2
    StopB,         // 一時停止, F3
    Exit1,         // 終了, F9
    SpeedB,        // 詳細設定, F5
    ScrollB,       // 高速スクロール, Ctrl+Q
    SpecialB,      // 無敵, Ctrl+A
    PlayOptionsB,  // 操作と表示...
    AboutB,        // バージョン情報, F7
    FullScreen,    // F11
    MenuBar,       // F10, Alt alone in full screen, the pad's Back: the menus, pulled down
    // Keys and pad buttons that act only while a replay is shown.
    ReplaySpeed1,  // 1
    ReplaySpeed2,  // 2
    ReplaySpeed4,  // 4
    ReplaySlower,  // the pad's left shoulder
    ReplayFaster,  // the pad's right shoulder
    ReplayEnd,     // Esc (F2 ends it too)
};

}  // namespace sk
