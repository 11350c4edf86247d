// The headless window: records like NullWindowPort and prints the messages a
// player would see to stderr.
#pragma once

#include "game/Headless.h"

#include <cstdio>

namespace driver {

class DriverPort : public sk::NullWindowPort {
public:
    void ShowMessage(const sk::Message& message) override {
        NullWindowPort::ShowMessage(message);
        std::fprintf(stderr, "message [%s] %s\n", LastCaption.c_str(), LastText.c_str());
    }
    void OfferNameEntry(int rank, int points) override {
        NullWindowPort::OfferNameEntry(rank, points);
        std::fprintf(stderr, "name entry offered: rank %d, %d points\n", rank, points);
    }
};

}  // namespace driver
