// Converting an effect once, when it is made, to the device's format.
#pragma once

#include "sound/DeviceFormat.h"
#include "sound/WaveFile.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace sonobox {

// The largest converted effect, in bytes (a secondary buffer's limit).
inline constexpr std::uint64_t kMaxEffectBytes = 0x0FFFFFFF;

// Interleaved floats in `source`'s channels and rate to interleaved 16-bit
// samples in the device's; nothing when the result would be empty or too
// large, or the conversion fails.
std::optional<std::vector<std::int16_t>> ToDeviceFormat(const SampleFormat& source, std::span<const float> samples,
                                                        DeviceFormat device);

}  // namespace sonobox
