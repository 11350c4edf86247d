// A replay: the state a game started from, every event that reached the
// core with its frame, and a check value of the game's state every 60
// frames. In memory the events are the compact byte stream the file keeps
// (compressed) as its body; ReplayEvents walks it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace sk {

// Bumped whenever a change of the core's rules would make an old replay
// play out differently; the program version alone never is.
inline constexpr std::uint16_t kReplayRulesVersion = 1;
inline constexpr std::uint16_t kReplayFormatVersion = 1;
inline constexpr std::uint32_t kCheckInterval = 60;  // play frames between two check values
inline constexpr int kStageFiles = 7;
// About 24 hours of play, or half the body a file may hold: a recording
// stops there; a file that claims more frames is refused.
inline constexpr std::uint32_t kMaxReplayFrames = 4'320'000;
inline constexpr std::size_t kMaxReplayFileBytes = 16u << 20;
inline constexpr std::size_t kMaxReplayBodyBytes = 64u << 20;

// Every way into the game a replay repeats, with its operands (A, B).
enum class ReplayOp : std::uint8_t {
    Frame = 0,           // a play frame (never stored: frames are the events' stamps)
    Start = 1,           // 開始
    Reset,               // リセット
    Pause,               // 一時停止 (toggles)
    Resume,              // a dialog closed without OK
    DialogPause,         // a dialog opened over the game
    FastScroll,          // 高速スクロール
    Invincible,          // 無敵
    Continue,            // the double-click (or its key and pad stand-in)
    DialogOpen,          // the settings dialog takes the difficulty
    DifficultyItem,      // A: the item chosen in the dialog
    DialogOk,            // A: difficulty item, B: music | effects << 1 | cursor lock << 2
    PointerMove,         // A, B: pointer on the play area
    Press,               // A: button (0 left, 1 right, 2 other)
    FireSingle,          // keys and pads
    FireFan,
    Steer,               // A, B: the target keys and pads worked out
    TableEntry,          // A: position 0..9, B: points (a name entry confirmed mid-game)
    TableReset,
    Check,               // A: the state's check value after the frames so far
    End,                 // A: ReplayEnd
};
inline constexpr int kLastReplayOp = static_cast<int>(ReplayOp::End);

enum class ReplayEnd : std::uint8_t { GameOver = 1, Reset, Quit, TooLong };
enum class ReplayStartKind : std::uint8_t { NewGame = 1, Continue };

struct ReplayEvent {
    std::uint32_t Frame = 0;
    ReplayOp Op = ReplayOp::Frame;
    std::int32_t A = 0;
    std::int32_t B = 0;
};

// What the file tells about itself before its events.
struct ReplayHeader {
    std::uint16_t RulesVersion = kReplayRulesVersion;
    std::string ProgramVersion;
    std::array<std::uint32_t, kStageFiles> StageHashes{};
    ReplayStartKind Kind = ReplayStartKind::NewGame;
    std::int64_t Date = 0;  // seconds since 1970 at the start
    // Summary of the game as it ended.
    std::uint32_t Frames = 0;
    std::int32_t Score = 0;
    std::int32_t Stage = 0;
    std::int32_t Lap = 1;
    ReplayEnd End = ReplayEnd::Quit;
    std::int32_t Difficulty = 0;
    // The state the game started from (ReplayState.h).
    std::uint32_t Generator = 0;
    std::vector<std::int32_t> Carried;
};

struct Replay {
    ReplayHeader Header;
    std::vector<std::uint8_t> Body;  // the event stream
};

// Appends events to a body. Reserve once; appending then allocates only
// when the reserved room runs out.
class ReplayEventWriter {
public:
    explicit ReplayEventWriter(std::vector<std::uint8_t>& body) : body_(body) {}
    void Clear();
    void Append(const ReplayEvent& event);

private:
    void Byte(std::uint8_t b) { body_.push_back(b); }
    void Varint(std::uint32_t v);
    void Signed(std::int32_t v);

    std::vector<std::uint8_t>& body_;
    std::uint32_t frame_ = 0;
    std::int32_t pointer_[2] = {0, 0};
    std::int32_t steer_[2] = {0, 0};
};

// Reads a body back, event by event; Next() is false at the end of the
// body or at the first malformed event (then Failed()).
class ReplayEventReader {
public:
    explicit ReplayEventReader(std::span<const std::uint8_t> body) : body_(body) {}
    bool Next(ReplayEvent& event);
    bool Failed() const { return failed_; }
    bool AtEnd() const { return pos_ == body_.size(); }

private:
    bool Byte(std::uint8_t& b);
    bool Varint(std::uint32_t& v);
    bool Signed(std::int32_t& v);
    bool Fail() { return !(failed_ = true); }

    std::span<const std::uint8_t> body_;
    std::size_t pos_ = 0;
    std::uint32_t frame_ = 0;
    std::int32_t pointer_[2] = {0, 0};
    std::int32_t steer_[2] = {0, 0};
    bool failed_ = false;
};

// Why a file is not a replay this program can play.
enum class ReplayFault {
    None,
    Empty,
    TooLarge,
    NotReplay,    // wrong magic
    Cut,          // shorter than it says
    Damaged,      // check sum, layout or events wrong
    NewerFormat,  // a format this program does not know
};
const char* Describe(ReplayFault fault);

std::vector<std::uint8_t> EncodeReplay(const Replay& replay);
// Reads a file's bytes: the header, and the events checked from first to
// last (every event well formed, frames within bounds, the end event last
// and at the frame the header names).
ReplayFault DecodeReplay(std::span<const std::uint8_t> file, Replay& replay);
// Only the header (the body is left compressed and unchecked): for lists.
ReplayFault DecodeReplayHeader(std::span<const std::uint8_t> file, ReplayHeader& header);

}  // namespace sk
