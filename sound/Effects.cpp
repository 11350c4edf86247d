#include "sound/Effects.h"

#include "sound/Convert.h"
#include "sound/FileName.h"
#include "sound/Report.h"
#include "sound/Texts.h"
#include "sound/WaveFile.h"

#include <cmath>
#include <new>
#include <utility>

namespace sonobox {

Effects& TheEffects() {
    static Effects* effects = new Effects;
    return *effects;
}

std::uint32_t PercentToByteOffset(std::uint32_t lengthThousands, float percent) {
    if (!(percent >= 0.0f && percent <= 100.0f)) return 0;
    const long double bytes = static_cast<long double>(lengthThousands * 1000u);
    return static_cast<std::uint32_t>(bytes * (0.01L * static_cast<long double>(percent)));
}

float VolumeToGain(int volume) {
    if (volume <= -10000) return 0.0f;
    if (volume >= 0) return 1.0f;
    return static_cast<float>(std::pow(10.0, volume / 2000.0));
}

int Effects::Start() {
    CloseDevice();
    device_ = AudioDevice::Acquire();
    foundNoOutput_ = device_ == nullptr;
    if (device_ == nullptr) {
        ShowMessage(text::kDeviceCreate);
        return 1;
    }
    return 0;
}

namespace {

bool InSlotRange(int slot) { return slot >= 0 && slot < kSlotCount; }

const char* LayoutFailure(WaveStatus status) {
    switch (status) {
        case WaveStatus::NotWave: return text::kNotWave;
        case WaveStatus::NoFmt: return text::kNoFmt;
        case WaveStatus::FmtShort: return text::kFmtShort;
        case WaveStatus::NoData: return text::kNoData;
        case WaveStatus::Ok: break;
    }
    return nullptr;
}

std::optional<std::vector<std::int16_t>> Prepare(const WaveLayout& layout, std::span<const std::uint8_t> data,
                                                 DeviceFormat device, SampleFormat& format) {
    auto decoded = DecodeFormat(std::span(layout.fmt.data(), layout.fmtSize));
    if (!decoded) return std::nullopt;
    format = *decoded;
    try {
        std::vector<float> samples = DecodeSamples(format, data);
        return ToDeviceFormat(format, samples, device);
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

}  // namespace

int Effects::Make(const char* file, int slot) {
    if (device_ == nullptr) return 1;
    auto source = FileSource::Open(MapFileName(file));
    if (!source) {
        ShowMessage(text::kWaveOpen);
        return 1;
    }
    const WaveLayout layout = LocateWave(*source);
    if (const char* failure = LayoutFailure(layout.status)) {
        ShowMessage(failure);
        CloseDevice();
        return 1;
    }
    if (!InSlotRange(slot)) {
        ShowMessage(text::kSlotRange);
        slot = 7;
    }
    std::optional<std::vector<std::uint8_t>> data;
    try {
        data = ReadWaveData(*source, layout);
    } catch (const std::bad_alloc&) {
    }
    if (!data) {
        ShowMessage(text::kDataShort);
        return 1;
    }
    source.reset();

    SampleFormat format;
    auto converted = Prepare(layout, *data, device_->format(), format);
    if (!converted) {
        ShowMessage(text::kBufferCreate);
        EmptySlot(slot);
        return 1;
    }
    Install(slot, std::move(*converted), SlotInfo{layout.dataStated / 1000u, layout.dataStated,
                                                  static_cast<std::uint16_t>(format.blockAlign), format.rate, 0});
    return 0;
}

void Effects::Install(int slot, std::vector<std::int16_t> samples, const SlotInfo& info) {
    Voice fresh;
    fresh.frames = samples.size() / static_cast<std::size_t>(device_->format().channels);
    fresh.samples = std::move(samples);
    {
        DeviceLock lock(*device_);
        std::swap(device_->mixer().voice(slot), fresh);
    }
    info_[static_cast<std::size_t>(slot)] = info;
}

std::uint64_t Effects::StartFrame(int slot, float percent) const {
    const SlotInfo& info = info_[static_cast<std::size_t>(slot)];
    const std::uint64_t offset = PercentToByteOffset(info.lengthThousands, percent);
    const std::uint64_t sourceFrame = offset / info.blockAlign;
    const std::uint64_t sourceFrames = info.dataBytes / info.blockAlign;
    if (sourceFrame >= sourceFrames) return 0;
    const std::uint64_t frame = sourceFrame * static_cast<std::uint64_t>(device_->format().rate) / info.rate;
    return frame < device_->mixer().voice(slot).frames ? frame : 0;
}

bool Effects::Filled(int slot) const {
    return device_ != nullptr && InSlotRange(slot) && info_[static_cast<std::size_t>(slot)].blockAlign != 0;
}

void Effects::Play(int slot, float percent, int loop) {
    if (!Filled(slot)) return;
    const std::uint64_t start = StartFrame(slot, percent);
    info_[static_cast<std::size_t>(slot)].startFrame = start;
    DeviceLock lock(*device_);
    Voice& voice = device_->mixer().voice(slot);
    voice.gain = 1.0f;
    voice.position = start;
    voice.loop = loop != 0;
    voice.playing = true;
}

void Effects::Stop(int slot) {
    if (!Filled(slot)) return;
    DeviceLock lock(*device_);
    device_->mixer().voice(slot).playing = false;
}

void Effects::Volume(int slot, int volume) {
    if (!Filled(slot)) return;
    const float gain = VolumeToGain(volume);
    DeviceLock lock(*device_);
    device_->mixer().voice(slot).gain = gain;
}

void Effects::Release(int slot) {
    if (Filled(slot)) EmptySlot(slot);
}

void Effects::End() { CloseDevice(); }

void Effects::EmptySlot(int slot) {
    info_[static_cast<std::size_t>(slot)] = SlotInfo{};
    Voice old;
    {
        DeviceLock lock(*device_);
        std::swap(device_->mixer().voice(slot), old);
    }
}

void Effects::CloseDevice() {
    if (device_ == nullptr) return;
    for (int slot = 0; slot < kSlotCount; ++slot) EmptySlot(slot);
    device_->Release();
    device_ = nullptr;
}

Effects::SlotView Effects::View(int slot) const {
    SlotView view;
    if (!Filled(slot)) return view;
    const SlotInfo& info = info_[static_cast<std::size_t>(slot)];
    DeviceLock lock(*device_);
    const Voice& voice = device_->mixer().voice(slot);
    return SlotView{true, info.lengthThousands, voice.frames, info.startFrame,
                    voice.position, voice.gain, voice.loop, voice.playing};
}

}  // namespace sonobox
