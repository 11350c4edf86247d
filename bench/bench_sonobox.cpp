// Speed of the sound library: starting an effect, one audio callback's worth
// of mixing with eight effects and music, and opening the music with its
// SoundFont. Runs on SDL's dummy driver unless SDL_AUDIODRIVER says otherwise.
#include "sound/AudioDevice.h"
#include "sound/Effects.h"
#include "sound/MidiFile.h"
#include "sound/Mixer.h"
#include "sound/Music.h"
#include "sound/Synth.h"
#include "sound/sonobox.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

namespace {

constexpr int kRate = 22050;
constexpr int kCallbackFrames = 1024;

void QuietEnvironment() {
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    setenv("SONOBOX_NO_DIALOGS", "1", 1);
}

void PutLe(std::vector<char>& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>(value >> (8 * i)));
}

// One second of 16-bit stereo noise-like samples at 22050 Hz.
std::filesystem::path WriteEffect() {
    std::vector<char> data;
    std::uint32_t seed = 12345;
    for (int i = 0; i < kRate * 2; ++i) {
        seed = seed * 1664525u + 1013904223u;
        PutLe(data, (seed >> 16) & 0x1FFF, 2);
    }
    std::vector<char> file{'R', 'I', 'F', 'F'};
    PutLe(file, static_cast<std::uint32_t>(36 + data.size()), 4);
    for (char c : std::string("WAVEfmt ")) file.push_back(c);
    PutLe(file, 16, 4);
    PutLe(file, 1, 2);
    PutLe(file, 2, 2);
    PutLe(file, kRate, 4);
    PutLe(file, kRate * 4, 4);
    PutLe(file, 4, 2);
    PutLe(file, 16, 2);
    for (char c : std::string("data")) file.push_back(c);
    PutLe(file, static_cast<std::uint32_t>(data.size()), 4);
    file.insert(file.end(), data.begin(), data.end());
    auto path = std::filesystem::temp_directory_path() / "sonobox-bench-effect.wav";
    std::ofstream(path, std::ios::binary).write(file.data(), static_cast<std::streamsize>(file.size()));
    return path;
}

// Eight channels of four-note chords struck every eighth note, 64 bars.
std::vector<std::uint8_t> BusyPiece() {
    std::vector<std::uint8_t> track;
    for (int channel = 0; channel < 8; ++channel) {
        track.insert(track.end(), {0x00, static_cast<std::uint8_t>(0xC0 | channel), static_cast<std::uint8_t>(channel * 8)});
    }
    for (int step = 0; step < 64 * 8; ++step) {
        for (int channel = 0; channel < 8; ++channel) {
            for (int note = 0; note < 4; ++note) {
                track.insert(track.end(), {0x00, static_cast<std::uint8_t>(0x90 | channel),
                                           static_cast<std::uint8_t>(48 + channel * 3 + note * 4), 90});
            }
        }
        bool first = true;
        for (int channel = 0; channel < 8; ++channel) {
            for (int note = 0; note < 4; ++note) {
                if (first) {
                    track.insert(track.end(), {0x81, 0x70});  // 240 ticks after the chord
                } else {
                    track.push_back(0x00);
                }
                first = false;
                track.insert(track.end(), {static_cast<std::uint8_t>(0x80 | channel),
                                           static_cast<std::uint8_t>(48 + channel * 3 + note * 4), 0});
            }
        }
    }
    track.insert(track.end(), {0x00, 0xFF, 0x2F, 0x00});
    std::vector<std::uint8_t> file{'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0x01, 0xE0, 'M', 'T', 'r', 'k'};
    const auto size = static_cast<std::uint32_t>(track.size());
    file.insert(file.end(), {static_cast<std::uint8_t>(size >> 24), static_cast<std::uint8_t>(size >> 16),
                             static_cast<std::uint8_t>(size >> 8), static_cast<std::uint8_t>(size)});
    file.insert(file.end(), track.begin(), track.end());
    return file;
}

void BM_DsPlay(benchmark::State& state) {
    QuietEnvironment();
    const auto effect = WriteEffect();
    if (DsStart(nullptr) != 0 || DsMake(effect.string().c_str(), 0) != 0) {
        state.SkipWithError("no effect device");
        return;
    }
    for (auto _ : state) DsPlay(0, 50.0f, 0);
    DsEnd();
}
BENCHMARK(BM_DsPlay);

// One callback of the device: eight looping effects and busy music.
void BM_MixCallback(benchmark::State& state) {
    QuietEnvironment();
    sonobox::Mixer mixer(sonobox::DeviceFormat{kRate, 2});
    for (int slot = 0; slot < sonobox::kSlotCount; ++slot) {
        sonobox::Voice& voice = mixer.voice(slot);
        voice.samples.assign(static_cast<std::size_t>(kRate) * 2, static_cast<std::int16_t>(1000 + slot));
        voice.frames = kRate;
        voice.position = static_cast<std::uint64_t>(slot) * 1000;
        voice.loop = true;
        voice.playing = true;
    }
    sonobox::QuietFluidSynth();
    auto synth = sonobox::Synth::Create(kRate);
    std::string tried;
    if (!synth || !synth->LoadGeneralMidiSoundFont(tried)) {
        state.SkipWithError("no synthesizer or SoundFont");
        return;
    }
    const auto piece = BusyPiece();
    if (!sonobox::ReadMidi(piece)) {
        state.SkipWithError("the benchmark's own piece is broken");
        return;
    }
    synth->Play(piece, -1);
    mixer.SetMusic(sonobox::MusicSource{&sonobox::Synth::Render, synth.get()});
    std::vector<std::int16_t> out(kCallbackFrames * 2);
    for (int warm = 0; warm < 8; ++warm) mixer.Mix(out.data(), kCallbackFrames);
    for (auto _ : state) {
        mixer.Mix(out.data(), kCallbackFrames);
        benchmark::DoNotOptimize(out.data());
    }
    // Seconds of sound made per second of work; 20 means 5 % of the time.
    state.counters["x_realtime"] = benchmark::Counter(
        static_cast<double>(state.iterations()) * kCallbackFrames / kRate, benchmark::Counter::kIsRate);
    state.counters["budget_us"] = 1e6 * kCallbackFrames / kRate;
}
BENCHMARK(BM_MixCallback)->Unit(benchmark::kMicrosecond);

void BM_DmStartAndMake(benchmark::State& state) {
    QuietEnvironment();
    auto piece = std::filesystem::temp_directory_path() / "sonobox-bench-piece.mid";
    const auto bytes = BusyPiece();
    std::ofstream(piece, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                 static_cast<std::streamsize>(bytes.size()));
    if (DsStart(nullptr) != 0) {
        state.SkipWithError("no effect device");
        return;
    }
    for (auto _ : state) {
        if (DmStart(nullptr) != 0 || DmMake(piece.string().c_str()) != 0) {
            state.SkipWithError("music did not open");
            break;
        }
        state.PauseTiming();
        sonobox::TheMusic().Shutdown();
        state.ResumeTiming();
    }
    DsEnd();
}
BENCHMARK(BM_DmStartAndMake)->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace

BENCHMARK_MAIN();
