// What a run without a window plugs into the core: a window port that only
// records what it was asked, and a sound table that makes no sound. Tests,
// benchmarks, fuzzers and the headless driver use them.
#pragma once

#include "game/SoundApi.h"
#include "game/WindowPort.h"

#include <string>

namespace sk {

class NullWindowPort : public WindowPort {
public:
    int Messages = 0;
    std::string LastCaption, LastText;
    int NameEntryRank = 0, NameEntryPoints = 0, NameEntryOffers = 0;
    int LockCalls = 0;
    bool Confined = false;
    int StateChanges = 0;

    void ShowMessage(const Message& message) override {
        ++Messages;
        LastCaption = message.Caption;
        LastText = message.Composed();
    }
    void OfferNameEntry(int rank, int points) override {
        ++NameEntryOffers;
        NameEntryRank = rank;
        NameEntryPoints = points;
    }
    void ApplyMouseLock(bool confine) override {
        ++LockCalls;
        Confined = confine;
    }
    void StateChanged() override { ++StateChanges; }
};

// Every call succeeds and does nothing; no gain hook.
SoundApi SilentSound();

}  // namespace sk
