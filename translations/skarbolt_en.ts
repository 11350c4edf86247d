<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>CoreText</name>
    <message>
        <source>祝辞</source>
        <translation>Congratulations</translation>
    </message>
    <message>
        <source>Easyモードクリアおめでとう！！</source>
        <translation>Congratulations on clearing Easy mode!!</translation>
    </message>
    <message>
        <source>Normalモードクリアおめでとう！！</source>
        <translation>Congratulations on clearing Normal mode!!</translation>
    </message>
    <message>
        <source>Hardモードクリアおめでとう！！</source>
        <translation>Congratulations on clearing Hard mode!!</translation>
    </message>
    <message>
        <source>ステージデータを読み込めませんでした: %1</source>
        <translation>Could not read the stage data: %1</translation>
    </message>
    <message>
        <source>難易度の設定</source>
        <translation>Set the difficulty</translation>
    </message>
    <message>
        <source>タイトル画面時に設定してください</source>
        <translation>Set this on the title screen</translation>
    </message>
</context>
<context>
    <name>MessageBoxes</name>
    <message>
        <source>はい</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>いいえ</source>
        <translation>No</translation>
    </message>
</context>
<context>
    <name>SettingsStore</name>
    <message>
        <source>設定「%1」を保存できませんでした: %2</source>
        <translation>Could not save the setting &quot;%1&quot;: %2</translation>
    </message>
</context>
<context>
    <name>TAboutBox</name>
    <message>
        <source>ホームページへ</source>
        <translation>Visit the home page</translation>
    </message>
</context>
<context>
    <name>THighScoreForm</name>
    <message>
        <source>ハイスコアをデフォルト設定に戻す</source>
        <translation>Reset the high scores to default</translation>
    </message>
</context>
<context>
    <name>TKeyBindingsBox</name>
    <message>
        <source>左へ移動</source>
        <translation>Steer left</translation>
    </message>
    <message>
        <source>右へ移動</source>
        <translation>Steer right</translation>
    </message>
    <message>
        <source>上へ移動</source>
        <translation>Steer up</translation>
    </message>
    <message>
        <source>下へ移動</source>
        <translation>Steer down</translation>
    </message>
    <message>
        <source>単発</source>
        <translation>Single shot</translation>
    </message>
    <message>
        <source>拡散</source>
        <translation>Fan</translation>
    </message>
    <message>
        <source>コンティニュー</source>
        <translation>Continue</translation>
    </message>
    <message>
        <source>キーとパッド</source>
        <translation>Keys and Pad</translation>
    </message>
    <message>
        <source>初期値に戻す</source>
        <translation>Defaults</translation>
    </message>
    <message>
        <source>設定完了</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>キー（キーボード上の位置で覚えます）</source>
        <translation>Keys (kept by their place on the keyboard)</translation>
    </message>
    <message>
        <source>名前はQWERTY配列での表示です。
矢印キー・スペース・テンキーのEnterも使えます。</source>
        <translation>Names as on a QWERTY keyboard.
The arrows, Space and keypad Enter work too.</translation>
    </message>
    <message>
        <source>ゲームパッド</source>
        <translation>Game pad</translation>
    </message>
    <message>
        <source>十字キー・スティック：移動
A：単発（ゲームオーバー後はコンティニュー）
B・X：拡散
Start：タイトルでは開始、プレイ中は一時停止
Back：メニュー（終了は確認してから）
ウィンドウでは 十字キーで選び、Aで決定、Bで取消
名前入力：上下で文字、左右で移動、Aで決定、Bで削除</source>
        <translation>D-pad, stick: steer
A: single shot (continue after game over)
B, X: fan
Start: start on the title, pause in play
Back: the menus (quitting asks first)
In windows: d-pad moves, A chooses, B cancels
Name entry: up/down letter, left/right move,
  A done, B delete</translation>
    </message>
    <message>
        <source>（キー %1）</source>
        <translation>(key %1)</translation>
    </message>
    <message>
        <source>キーを押す（Escでそのまま）</source>
        <translation>Press a key (Esc: keep)</translation>
    </message>
</context>
<context>
    <name>TMainForm</name>
    <message>
        <source>ハイスコアを保存できませんでした。
%1
%2</source>
        <translation>Could not save the high scores.
%1
%2</translation>
    </message>
    <message>
        <source>リプレイ</source>
        <translation>Replay</translation>
    </message>
    <message>
        <source>リプレイを読めません: %1</source>
        <translation>Cannot read the replay: %1</translation>
    </message>
    <message>
        <source>別のルールまたは別のステージデータで記録されたリプレイです。</source>
        <translation>It was recorded under other rules or with other stage maps.</translation>
    </message>
    <message>
        <source>リプレイとして読めないファイルです。</source>
        <translation>The file cannot be read as a replay.</translation>
    </message>
    <message>
        <source>このリプレイは再生できません。</source>
        <translation>This replay cannot be played.</translation>
    </message>
    <message>
        <source>リプレイがフレーム %1 でゲームと食い違いました。</source>
        <translation>The replay parted from the game at frame %1.</translation>
    </message>
    <message>
        <source>%1x</source>
        <translation>%1x</translation>
    </message>
    <message>
        <source>終了</source>
        <translation>End</translation>
    </message>
    <message>
        <source>一時停止</source>
        <translation>Paused</translation>
    </message>
    <message>
        <source>ファイルが読み取り専用のため、書き換えませんでした。</source>
        <translation>The file is read-only, so it was left as it is.</translation>
    </message>
    <message>
        <source>ゲームを終了しますか？</source>
        <translation>Quit the game?</translation>
    </message>
</context>
<context>
    <name>TPlayOptionsBox</name>
    <message>
        <source>1倍</source>
        <translation>1x</translation>
    </message>
    <message>
        <source>2倍</source>
        <translation>2x</translation>
    </message>
    <message>
        <source>3倍</source>
        <translation>3x</translation>
    </message>
    <message>
        <source>全画面</source>
        <translation>Full</translation>
    </message>
    <message>
        <source>自動</source>
        <translation>Automatic</translation>
    </message>
    <message>
        <source>操作と表示</source>
        <translation>Controls and Display</translation>
    </message>
    <message>
        <source>操作</source>
        <translation>Controls</translation>
    </message>
    <message>
        <source>キーボードで操作する</source>
        <translation>Play with the keyboard</translation>
    </message>
    <message>
        <source>ゲームパッドで操作する</source>
        <translation>Play with a game pad</translation>
    </message>
    <message>
        <source>表示</source>
        <translation>Display</translation>
    </message>
    <message>
        <source>F11で全画面と切り替え</source>
        <translation>F11 switches to full screen and back</translation>
    </message>
    <message>
        <source>音量</source>
        <translation>Volume</translation>
    </message>
    <message>
        <source>BGM</source>
        <translation>Music</translation>
    </message>
    <message>
        <source>効果音</source>
        <translation>Effects</translation>
    </message>
    <message>
        <source>その他</source>
        <translation>Other</translation>
    </message>
    <message>
        <source>非アクティブになったら一時停止する</source>
        <translation>Pause when the window is inactive</translation>
    </message>
    <message>
        <source>ほかのウィンドウに切り替えると、F3と同じく一時停止します</source>
        <translation>Switching to another window pauses the game, as F3 does</translation>
    </message>
    <message>
        <source>設定完了</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>言語</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>整数倍</source>
        <translation>Whole</translation>
    </message>
    <message>
        <source>画面に合わせる</source>
        <translation>Fit screen</translation>
    </message>
    <message>
        <source>キーは位置で決まります。初期値はW・A・S・Dと矢印キーで移動、Z・スペースで単発、Xで拡散、Enterでコンティニュー</source>
        <translation>Keys go by their place: W A S D or the arrows steer, Z or Space fires a shot, X fires a fan, Enter continues (by default)</translation>
    </message>
    <message>
        <source>スティック・十字キーで移動、Aで単発、B・Xで拡散、Startで開始・一時停止、Backでメニュー</source>
        <translation>Stick or pad steers, A fires a shot, B or X fires a fan, Start starts and pauses, Back opens the menus</translation>
    </message>
    <message>
        <source>キーとパッド...</source>
        <translation>Keys and Pad...</translation>
    </message>
    <message>
        <source>全画面：</source>
        <translation>Full:</translation>
    </message>
    <message>
        <source>整数倍は画素を均等に保ち、画面に合わせるは縦横比を保って画面いっぱいに広げます</source>
        <translation>Whole keeps every pixel the same size; Fit screen fills the screen with the aspect kept</translation>
    </message>
    <message>
        <source>画面に収まらないため選べません</source>
        <translation>Too large for this screen</translation>
    </message>
</context>
<context>
    <name>TPropatyBox</name>
    <message>
        <source>簡単&#x3000;&#x3000;…&#x3000;マウスゲーム初心者用</source>
        <translation>Easy … for mouse game beginners</translation>
    </message>
    <message>
        <source>普通&#x3000;&#x3000;…&#x3000;一般人用&#x3000;（やや難しい）</source>
        <translation>Normal … for everyone (a bit hard)</translation>
    </message>
    <message>
        <source>難しい&#x3000;…&#x3000;シューティングの達人用</source>
        <translation>Hard … for shooting game masters</translation>
    </message>
    <message>
        <source>詳細設定</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>難易度</source>
        <translation>Difficulty</translation>
    </message>
    <message>
        <source>システム設定</source>
        <translation>System</translation>
    </message>
    <message>
        <source>マウスカーソルの動作範囲を制限する</source>
        <translation>Keep the cursor in the window</translation>
    </message>
    <message>
        <source>通常はオンにしてください</source>
        <translation>Normally leave this on</translation>
    </message>
    <message>
        <source>デバッグ設定</source>
        <translation>Debug</translation>
    </message>
    <message>
        <source>効果音の再生</source>
        <translation>Play sound effects</translation>
    </message>
    <message>
        <source>BGMを流す（次回の起動から有効）</source>
        <translation>Play music (from the next start)</translation>
    </message>
    <message>
        <source>切り替え後、再起動してください</source>
        <translation>Restart the game after changing this</translation>
    </message>
    <message>
        <source>キーボードで操作する（未対応）</source>
        <translation>Keyboard control (not yet)</translation>
    </message>
    <message>
        <source>将来、対応するかもしれません</source>
        <translation>Maybe in a future version</translation>
    </message>
    <message>
        <source>設定完了</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>TReplayListBox</name>
    <message>
        <source>%1 (%2周目)</source>
        <translation>%1 (lap %2)</translation>
    </message>
    <message>
        <source>リプレイ</source>
        <translation>Replays</translation>
    </message>
    <message>
        <source>順位</source>
        <translation>Rank</translation>
    </message>
    <message>
        <source>名前</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>得点</source>
        <translation>Points</translation>
    </message>
    <message>
        <source>ステージ</source>
        <translation>Stage</translation>
    </message>
    <message>
        <source>日付</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>長さ</source>
        <translation>Length</translation>
    </message>
    <message>
        <source>再生(&amp;P)</source>
        <translation>&amp;Play</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>前回</source>
        <translation>Last</translation>
    </message>
    <message>
        <source>(最後のゲーム)</source>
        <translation>(last game)</translation>
    </message>
</context>
<context>
    <name>sk::MainMenu</name>
    <message>
        <source>開始(&amp;S)</source>
        <translation>&amp;Start</translation>
    </message>
    <message>
        <source>ハイスコア(&amp;H)</source>
        <translation>&amp;High Scores</translation>
    </message>
    <message>
        <source>リセット(&amp;R)</source>
        <translation>&amp;Reset</translation>
    </message>
    <message>
        <source>一時停止(&amp;P)</source>
        <translation>&amp;Pause</translation>
    </message>
    <message>
        <source>終了(&amp;E)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>詳細設定(&amp;S)</source>
        <translation>&amp;Settings</translation>
    </message>
    <message>
        <source>高速スクロール</source>
        <translation>Fast Scroll</translation>
    </message>
    <message>
        <source>無敵</source>
        <translation>Invincible</translation>
    </message>
    <message>
        <source>操作と表示...</source>
        <translation>Controls and Display...</translation>
    </message>
    <message>
        <source>ﾊﾞｰｼﾞｮﾝ情報(&amp;V)</source>
        <translation>&amp;Version Info</translation>
    </message>
    <message>
        <source>ゲーム(&amp;G)</source>
        <translation>&amp;Game</translation>
    </message>
    <message>
        <source>オプション(&amp;O)</source>
        <translation>&amp;Options</translation>
    </message>
    <message>
        <source>ヘルプ(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>リプレイ(&amp;L)...</source>
        <translation>Rep&amp;lays...</translation>
    </message>
</context>
</TS>
