// Every command of the main window's menus and keys, by the name of its item
// (FullScreen, F11, and MenuBar, F10, have a key and no item). The window runs them through one
// dispatch function, whether they come from an item, a key or a game pad.
#pragma once

namespace sk {

enum class MenuCommand {
    StartBot,      // 開始, F1
    HScoreB,       // ハイスコア, F4
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
};

}  // namespace sk
