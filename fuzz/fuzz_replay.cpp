// The replay reader on arbitrary bytes: decoding never fails other than
// with a fault, a file that decodes walks to its end event, and playing the
// first frames of one on a game of its own never goes astray.
#include "game/Game.h"
#include "game/Headless.h"
#include "game/Replay.h"
#include "game/ReplayPlayer.h"

#include <cstdint>
#include <cstdlib>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> file(data, size);
    sk::ReplayHeader header;
    const sk::ReplayFault headerFault = sk::DecodeReplayHeader(file, header);
    sk::Replay replay;
    const sk::ReplayFault fault = sk::DecodeReplay(file, replay);
    if (fault == sk::ReplayFault::None && headerFault != sk::ReplayFault::None) std::abort();
    if (fault != sk::ReplayFault::None) return 0;
    if (sk::DecodeReplay(sk::EncodeReplay(replay), replay) != sk::ReplayFault::None) std::abort();

    static sk::NullWindowPort port;
    sk::Game game(port, sk::LoadPictures(), sk::SilentSound());
    game.InitGame(sk::Settings{});
    game.ShowTitlePicture();
    sk::ReplayPlayer player(game, replay);
    for (int frame = 0; frame < 120 && player.Step() == sk::ReplayPlayer::Status::Running; ++frame) {
    }
    return 0;
}
