// Small WAV and MIDI files made byte by byte for the tests.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace soundtest {

using Bytes = std::vector<std::uint8_t>;

void PutLe16(Bytes& out, std::uint32_t value);
void PutLe32(Bytes& out, std::uint32_t value);
void PutBe16(Bytes& out, std::uint32_t value);
void PutBe32(Bytes& out, std::uint32_t value);
void Append(Bytes& out, const Bytes& more);
void AppendText(Bytes& out, const std::string& text);

// A chunk with the size of `body` (or `statedSize` when given) and a pad
// byte after an odd body.
Bytes Chunk(const std::string& id, const Bytes& body, std::int64_t statedSize = -1);
// RIFF of `form` around `chunks`.
Bytes Riff(const std::string& form, const Bytes& chunks, std::int64_t statedSize = -1);

// The 16-byte PCM format record.
Bytes FmtRecord(std::uint16_t tag, int channels, std::uint32_t rate, int bits, int blockAlign = -1);
// The 40-byte extensible record with the given sub-format tag.
Bytes ExtensibleRecord(std::uint16_t subTag, int channels, std::uint32_t rate, int bits);

// A whole RIFF/WAVE file: fmt, then data.
Bytes Wave(const Bytes& fmtRecord, const Bytes& data);
// 16-bit stereo PCM at 22050 Hz holding `dataBytes` bytes of a square wave
// of the given amplitude (no zero samples).
Bytes SquareWave16(std::uint32_t dataBytes, std::int16_t amplitude = 8000);

// A standard MIDI file from tracks of raw events (end of track appended).
Bytes Midi(int format, int division, const std::vector<Bytes>& tracks);
// One note of `ticks` length on channel 0 at 480 ticks a quarter.
Bytes OneNoteMidi(std::uint32_t ticks, int program = 0);
// 43 bytes: a one-track header at 768 ticks a quarter, an empty chunk
// "XXXX", then a track with one note of 1920 ticks.
Bytes AlienChunkMidi();
// A variable-length quantity.
Bytes Vlq(std::uint32_t value);

void WriteFile(const std::filesystem::path& path, const Bytes& bytes);

// A fresh, empty directory under the system temp folder.
std::filesystem::path FreshDir(const std::string& name);

}  // namespace soundtest
