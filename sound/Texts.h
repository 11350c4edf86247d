// The library's own message texts, exactly as the player and the developer
// see them: the original Japanese, and the English a host may choose
// (sonobox_language.h).
#pragma once

namespace sonobox::text {

// Effect half: shown in a message window (or on stderr without a display).
inline constexpr const char* kDeviceCreate = "DirectSoundオブジェクトの生成に失敗しました.";
inline constexpr const char* kWaveOpen = "Wavファイルの読込みに失敗";
inline constexpr const char* kNotWave = "有効なWavファイルではありません";
inline constexpr const char* kNoFmt = "fmtチャンクに入れませんでした";
inline constexpr const char* kFmtShort = "fmtチャンクを読みこめませんでした";
inline constexpr const char* kNoData = "dataチャンクに入れませんでした";
inline constexpr const char* kSlotRange = "セカンダリバッファの番号は0～7までです。\n強制的に7番にします。";
inline constexpr const char* kDataShort = "dataチャンクを読み込めませんでした";
inline constexpr const char* kBufferCreate = "セカンダリ・バッファの作成に失敗しました";

// Music half: diagnostics on stderr only.
inline constexpr const char* kSharedDevice = "YES";
inline constexpr const char* kOwnDevice = "NO";
inline constexpr const char* kSynthCreate = "DirectMusicPerformanceオブジェクトの作成に失敗";
inline constexpr const char* kSynthInit = "DirectMusicPerformanceオブジェクトの初期化に失敗";
inline constexpr const char* kWorkingDir = "カレント・ディレクトリの取得に失敗";
inline constexpr const char* kSoundFont = "デフォルト･ポートの選択に失敗";
inline constexpr const char* kPieceLoad = "セグメント（MIDIファイル）のロードに失敗";

// The search for an audio output: developer diagnostics on stderr only, in
// English in both languages, each followed by a driver's name or the probe
// program's path.
inline constexpr const char* kOutputTimeout = "no audio device opened within 2 s, left out: ";
inline constexpr const char* kSdlOwnChoice = "SDL's own choice";
inline constexpr const char* kNoProbe = "audio outputs are opened without a deadline, as the probe is missing: ";

// The English of each Japanese text above; "YES" and "NO" stay as they are.
struct Translation {
    const char* Japanese;
    const char* English;
};
inline constexpr Translation kEnglish[] = {
    {kDeviceCreate, "Could not create the DirectSound object."},
    {kWaveOpen, "Could not read the WAV file"},
    {kNotWave, "Not a valid WAV file"},
    {kNoFmt, "Could not enter the fmt chunk"},
    {kFmtShort, "Could not read the fmt chunk"},
    {kNoData, "Could not enter the data chunk"},
    {kSlotRange, "Secondary buffer numbers are 0 to 7.\nUsing number 7 instead."},
    {kDataShort, "Could not read the data chunk"},
    {kBufferCreate, "Could not create the secondary buffer"},
    {kSynthCreate, "Could not create the DirectMusicPerformance object"},
    {kSynthInit, "Could not initialise the DirectMusicPerformance object"},
    {kWorkingDir, "Could not get the current directory"},
    {kSoundFont, "Could not select the default port"},
    {kPieceLoad, "Could not load the segment (MIDI file)"},
};

}  // namespace sonobox::text
