#include "FrameLog.h"

namespace driver {

void PrintFrame(std::FILE* out, int frame, const sk::GameState& s) {
    std::fprintf(out,
                 "{\"frame\":%d,\"StageNo\":%d,\"Score\":%d,\"ScrollX\":%d,\"TitleMode\":%d,\"GameOver\":%d,"
                 "\"Paused\":%d,\"ship\":{\"x\":%d,\"y\":%d,\"hit\":%d},\"enemies\":[",
                 frame, s.StageNo, s.Score, s.ScrollX, s.TitleMode, s.GameOver, s.Paused, s.ShipX, s.ShipY,
                 s.ShipHit);
    for (int k = 1; k <= 10; ++k) {
        const sk::Actor& e = s.Enemies[k];
        std::fprintf(out, "%s{\"x\":%d,\"y\":%d,\"active\":%d}", k == 1 ? "" : ",", e.X, e.Y, e.Active);
    }
    std::fprintf(out, "],\"shots\":%d}\n", s.ShotsInFlight);
}

}  // namespace driver
