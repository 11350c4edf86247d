// The sizes, hit boxes and movement limits the rules share: combat, the ship,
// key and pad steering, and the driver's bot (which keeps a margin of its own
// on top of the boxes).
#pragma once

namespace sk {

// Sprite frames, width x height.
inline constexpr int kShipWidth = 59, kShipHeight = 30;
inline constexpr int kEnemyWidth = 60, kEnemyHeight = 30;
inline constexpr int kShotWidth = 16, kShotHeight = 8;  // player and enemy shots alike
inline constexpr int kBlastWidth = 55, kBlastHeight = 61;

// Where the corner of one sprite may lie around another's for the two to
// touch; every bound inclusive.
struct HitBox {
    int Left, Right, Top, Bottom;

    // Whether a corner at (x, y) touches the sprite whose corner is at (atX, atY).
    constexpr bool Holds(int atX, int atY, int x, int y) const {
        return atX + Left <= x && x <= atX + Right && atY + Top <= y && y <= atY + Bottom;
    }
    // The box grown by `x` pixels on the left and right and `y` above and below.
    constexpr HitBox Widened(int x, int y) const { return {Left - x, Right + x, Top - y, Bottom + y}; }
};

// An enemy rams the ship: the enemy's corner around the ship's.
inline constexpr HitBox kRamBox{-58, 56, -26, 26};
// An enemy shot hits the ship: the shot's corner around the ship's (the shot
// must reach the ship's middle, columns 10..49 and rows 10..20).
inline constexpr HitBox kEnemyShotBox{-6, 49, 2, 20};
// A player shot hits an enemy: the shot's corner around the enemy's.
inline constexpr HitBox kShotBox{-16, 62, -8, 30};

// The ship steers toward a target: the pointer less kPointerOffset on each
// axis, held in 0..kTargetMaxX and 0..kTargetMaxY.
inline constexpr int kPointerOffset = 16;
inline constexpr int kTargetMaxX = 632;
inline constexpr int kTargetMaxY = 380;

// `value` held in 0..max, as the target is.
constexpr int ClampTarget(int value, int max) {
    if (value <= 0) return 0;
    if (value >= max) return max;
    return value;
}

}  // namespace sk
