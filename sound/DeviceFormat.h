// The format of the audio device: native signed 16-bit samples, interleaved.
#pragma once

namespace sonobox {

struct DeviceFormat {
    int rate = 22050;
    int channels = 2;
};

}  // namespace sonobox
