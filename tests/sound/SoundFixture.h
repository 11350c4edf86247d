// A clean library for every test: both halves closed, a fresh temp folder
// as the current directory, stderr captured on request.
#pragma once

#include "sound/Effects.h"
#include "sound/Music.h"
#include "sound/sonobox.h"

#include "SoundFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

class SoundFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // What `call` writes to stderr.
    static std::string StderrOf(const std::function<void()>& call);

    // Waits until the shared device has mixed `frames` more frames.
    static void WaitForFrames(std::uint64_t frames);

    std::filesystem::path dir_;

private:
    std::filesystem::path previousDir_;
};
