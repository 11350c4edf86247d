// Feeds arbitrary bytes to the WAV reader: chunk walk, data read, format
// record and sample decoding, and the conversion to a device format.
#include "sound/Convert.h"
#include "sound/WaveFile.h"

#include <cstddef>
#include <cstdint>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    sonobox::MemorySource source(std::span<const std::uint8_t>(data, size));
    const sonobox::WaveLayout layout = sonobox::LocateWave(source);
    if (layout.status != sonobox::WaveStatus::Ok) return 0;
    auto bytes = sonobox::ReadWaveData(source, layout);
    auto format = sonobox::DecodeFormat(std::span(layout.fmt.data(), layout.fmtSize));
    if (!bytes || !format) return 0;
    const std::vector<float> samples = sonobox::DecodeSamples(*format, *bytes);
    (void)sonobox::ToDeviceFormat(*format, samples, sonobox::DeviceFormat{22050, 2});
    return 0;
}
