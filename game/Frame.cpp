// The clock: one idle call is a play frame, a title frame or nothing.
#include "game/Game.h"

#include <algorithm>

namespace sk {

namespace {

constexpr int kTitleDelay = 20;
constexpr int kTitlePeriod = 636;  // a star band repeats every 636 pixels
constexpr int kTitleWrap = 640;    // ... while its offset counts 0..639
constexpr int kExitX = 636;
constexpr int kExitY = 186;

struct TitleBand {
    int FirstRow;
    int Rows;
    int Offset;  // index into TitleBandX, -1 for the still logo band
    int Step;
};

constexpr TitleBand kTitleBands[] = {
    {0, 40, 0, 1}, {40, 59, 1, 2}, {99, 156, -1, 0}, {255, 100, 2, 3}, {355, 82, 3, 4},
};

// Paints the w x h block at (x, y) black, clipped to the bitmap.
void FillBlack(Bitmap& dst, int x, int y, int w, int h) {
    const int left = std::max(x, 0), right = std::min(x + w, dst.Width);
    const int top = std::max(y, 0), bottom = std::min(y + h, dst.Height);
    if (left >= right) return;
    for (int row = top; row < bottom; ++row) std::fill(dst.Row(row) + left, dst.Row(row) + right, kBlack);
}

// A moving band repeats every 636 columns, but the picture has only 632:
// its columns 632..635 are drawn black, where the band's two copies put them.
void BlackenBandGap(Bitmap& screen, const TitleBand& band, int offset) {
    for (int column = kFieldWidth; column < kTitlePeriod; ++column) {
        const int x = column < offset ? kTitlePeriod - offset + column : column - offset;
        FillBlack(screen, x, band.FirstRow, 1, band.Rows);
    }
}

}  // namespace

int Game::AppIdle() {
    if (!S.Paused && !S.TitleMode) {
        {
            const EventScope frame(*this, ReplayOp::Frame);
            PlayFrame();
        }
        titleOnScreen_ = false;
        NoteChangedRows(false);
        return S.FrameDelay;
    }
    if (S.TitleMode) {
        TitleFrame();
        // Once the whole title is on screen, only its star bands move.
        NoteChangedRows(titleOnScreen_);
        titleOnScreen_ = true;
        return kTitleDelay;
    }
    changedCount_ = 0;
    return -1;
}

void Game::NoteChangedRows(bool starBandsOnly) {
    const int height = Screen().Height;
    changedCount_ = 0;
    if (!starBandsOnly) {
        changed_[changedCount_++] = {0, height};
        return;
    }
    for (const TitleBand& band : kTitleBands) {
        if (band.Offset < 0) continue;
        const int first = band.FirstRow;
        const int end = std::min(band.FirstRow + band.Rows, height);
        if (first >= end) continue;
        RowSpan* last = changedCount_ > 0 ? &changed_[changedCount_ - 1] : nullptr;
        if (last && last->First + last->Count == first) {
            last->Count = end - last->First;  // adjacent bands: one span
        } else {
            changed_[changedCount_++] = {first, end - first};
        }
    }
}

void Game::PlayFrame() {
    if (!S.Shell.StatusPictureVisible) {
        S.Shell.StatusPictureVisible = true;
        port_.StateChanged();
    }
    ScrollBackground();
    MoveShip();
    UpdateEnemies(kMovePhase);
    UpdateEnemies(kShotPhase);
    for (int slot = 0; slot < S.ShotSlots; ++slot) MoveShot(slot);
    for (int k = 1; k <= S.EnemySlots; ++k) MoveEnemyShot(k);
    if (S.GameOver) DrawGameOver();
    fieldShown_ = true;  // the window shows MainScr as it now stands
    S.ScrollX += S.ScrollSpeed;

    if (S.StageExit && S.ShipX >= kExitX) {
        if (!StartStage(true)) return;
    }

    if (S.ScrollX >= BackHai.Width - 640) {
        S.ScrollSpeed = 0;
        S.ScrollEnd = true;
        bool fieldClear = true;
        for (int k = 1; k <= S.EnemySlots; ++k) {
            if (S.Enemies[k].Active || S.EnemyShots[k].Active) fieldClear = false;
        }
        if (fieldClear && !S.StageExit) {
            S.AutoPilot = true;
            S.TargetX = kExitX;
            S.TargetY = kExitY;
            S.StageExit = true;
        }
    }
}

void Game::TitleFrame() {
    fieldShown_ = false;
    const Bitmap& logo = pics_.OpenLogo;
    for (const TitleBand& band : kTitleBands) {
        if (band.Offset < 0) {
            Blit(TitleScreen, 0, band.FirstRow, kFieldWidth, band.Rows, logo, 0, band.FirstRow,
                 RasterOp::SrcCopy);
            continue;
        }
        const int c = S.TitleBandX[band.Offset];
        Blit(TitleScreen, kTitlePeriod - c, band.FirstRow, c, band.Rows, logo, 0, band.FirstRow,
             RasterOp::SrcCopy);
        Blit(TitleScreen, 0, band.FirstRow, kTitlePeriod - c, band.Rows, logo, c, band.FirstRow,
             RasterOp::SrcCopy);
        BlackenBandGap(TitleScreen, band, c);
    }
    for (const TitleBand& band : kTitleBands) {
        if (band.Offset < 0) continue;
        int& offset = S.TitleBandX[band.Offset];
        offset += band.Step;
        if (offset >= kTitleWrap) offset = 0;
    }
}

void Game::ScrollBackground() {
    BackHai.CopyTo(MainScr, 0, 0, 640, kClientHeight, S.ScrollX, 0);
    BackHai.CopyTo(MainScr, BackHai.Width - S.ScrollX, 0, S.ScrollX, kClientHeight, 0, 0);
    // The two copies cover the background's own size at most: a short or
    // narrow map leaves the rest of the field black, not the last frame.
    if (BackHai.Width < MainScr.Width) FillBlack(MainScr, BackHai.Width, 0, MainScr.Width, MainScr.Height);
    if (BackHai.Height < MainScr.Height) FillBlack(MainScr, 0, BackHai.Height, MainScr.Width, MainScr.Height);
}

}  // namespace sk
