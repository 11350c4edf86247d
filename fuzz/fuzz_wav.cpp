// Feeds arbitrary bytes to the WAV reader: chunk walk, data read, format
// record and sample decoding, and the conversion to a device format. The
// same bytes read as a file must give the same layout and data.
#include "FuzzFiles.h"

#include "sound/Convert.h"
#include "sound/WaveFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

namespace {

bool SameLayout(const sonobox::WaveLayout& a, const sonobox::WaveLayout& b) {
    return a.status == b.status && a.fmt == b.fmt && a.fmtSize == b.fmtSize && a.dataOffset == b.dataOffset &&
           a.dataStated == b.dataStated && a.dataAvailable == b.dataAvailable;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> input(data, size);
    sonobox::MemorySource memory(input);
    const sonobox::WaveLayout layout = sonobox::LocateWave(memory);
    auto file = sonobox::FileSource::Open(fuzzfiles::AsFile(input));
    if (!file) std::abort();
    if (!SameLayout(layout, sonobox::LocateWave(*file))) std::abort();
    if (layout.status != sonobox::WaveStatus::Ok) return 0;

    auto bytes = sonobox::ReadWaveData(memory, layout);
    if (bytes != sonobox::ReadWaveData(*file, layout)) std::abort();
    auto format = sonobox::DecodeFormat(std::span(layout.fmt.data(), layout.fmtSize));
    if (!bytes || !format) return 0;
    const std::vector<float> samples = sonobox::DecodeSamples(*format, *bytes);
    (void)sonobox::ToDeviceFormat(*format, samples, sonobox::DeviceFormat{22050, 2});
    return 0;
}
