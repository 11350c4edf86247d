#include "SoundFixture.h"

#include "sound/AudioDevice.h"

#include <chrono>
#include <thread>

void SoundFixture::SetUp() {
    sonobox::TheMusic().Shutdown();
    DsEnd();
    previousDir_ = std::filesystem::current_path();
    dir_ = soundtest::FreshDir(::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::current_path(dir_);
}

void SoundFixture::TearDown() {
    sonobox::TheMusic().Shutdown();
    DsEnd();
    std::filesystem::current_path(previousDir_);
    std::filesystem::remove_all(dir_);
}

std::string SoundFixture::StderrOf(const std::function<void()>& call) {
    ::testing::internal::CaptureStderr();
    call();
    return ::testing::internal::GetCapturedStderr();
}

void SoundFixture::WaitForFrames(std::uint64_t frames) {
    sonobox::AudioDevice* device = sonobox::AudioDevice::Current();
    ASSERT_NE(device, nullptr);
    const std::uint64_t target = device->mixer().framesMixed() + frames;
    // Generous: only a stalled audio thread gets anywhere near it.
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::minutes(2);
    while (device->mixer().framesMixed() < target) {
        ASSERT_LT(std::chrono::steady_clock::now(), giveUp) << "the audio device stopped mixing";
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}
