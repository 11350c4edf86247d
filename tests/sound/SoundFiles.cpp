#include "SoundFiles.h"

#include <fstream>
#include <random>

namespace soundtest {

void PutLe16(Bytes& out, std::uint32_t value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void PutLe32(Bytes& out, std::uint32_t value) {
    PutLe16(out, value & 0xFFFF);
    PutLe16(out, value >> 16);
}

void PutBe16(Bytes& out, std::uint32_t value) {
    out.push_back(static_cast<std::uint8_t>(value >> 8));
    out.push_back(static_cast<std::uint8_t>(value));
}

void PutBe32(Bytes& out, std::uint32_t value) {
    PutBe16(out, value >> 16);
    PutBe16(out, value & 0xFFFF);
}

void Append(Bytes& out, const Bytes& more) { out.insert(out.end(), more.begin(), more.end()); }

void AppendText(Bytes& out, const std::string& text) { out.insert(out.end(), text.begin(), text.end()); }

Bytes Chunk(const std::string& id, const Bytes& body, std::int64_t statedSize) {
    Bytes out;
    AppendText(out, id);
    PutLe32(out, static_cast<std::uint32_t>(statedSize >= 0 ? statedSize : static_cast<std::int64_t>(body.size())));
    Append(out, body);
    if (body.size() % 2 == 1) out.push_back(0);
    return out;
}

Bytes Riff(const std::string& form, const Bytes& chunks, std::int64_t statedSize) {
    Bytes body;
    AppendText(body, form);
    Append(body, chunks);
    return Chunk("RIFF", body, statedSize);
}

Bytes FmtRecord(std::uint16_t tag, int channels, std::uint32_t rate, int bits, int blockAlign) {
    const int align = blockAlign >= 0 ? blockAlign : channels * bits / 8;
    Bytes out;
    PutLe16(out, tag);
    PutLe16(out, static_cast<std::uint32_t>(channels));
    PutLe32(out, rate);
    PutLe32(out, rate * static_cast<std::uint32_t>(align));
    PutLe16(out, static_cast<std::uint32_t>(align));
    PutLe16(out, static_cast<std::uint32_t>(bits));
    return out;
}

Bytes ExtensibleRecord(std::uint16_t subTag, int channels, std::uint32_t rate, int bits) {
    Bytes out = FmtRecord(0xFFFE, channels, rate, bits);
    PutLe16(out, 22);
    PutLe16(out, static_cast<std::uint32_t>(bits));
    PutLe32(out, 3);
    PutLe16(out, subTag);
    Append(out, {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71});
    return out;
}

Bytes Wave(const Bytes& fmtRecord, const Bytes& data) {
    Bytes chunks = Chunk("fmt ", fmtRecord);
    Append(chunks, Chunk("data", data));
    return Riff("WAVE", chunks);
}

Bytes SquareWave16(std::uint32_t dataBytes, std::int16_t amplitude) {
    Bytes data;
    for (std::uint32_t i = 0; data.size() < dataBytes; ++i) {
        const std::int16_t value = (i / 40) % 2 == 0 ? amplitude : static_cast<std::int16_t>(-amplitude);
        PutLe16(data, static_cast<std::uint16_t>(value));
        PutLe16(data, static_cast<std::uint16_t>(value));
    }
    data.resize(dataBytes);
    return Wave(FmtRecord(1, 2, 22050, 16), data);
}

Bytes Vlq(std::uint32_t value) {
    Bytes out{static_cast<std::uint8_t>(value & 0x7F)};
    while ((value >>= 7) != 0) out.insert(out.begin(), static_cast<std::uint8_t>(0x80 | (value & 0x7F)));
    return out;
}

Bytes AlienChunkMidi() {
    Bytes file{'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0x03, 0x00, 'X', 'X', 'X', 'X', 0, 0, 0, 0};
    AppendText(file, "MTrk");
    PutBe32(file, 13);
    Append(file, {0x00, 0x90, 60, 100, 0x8F, 0x00, 0x80, 60, 0, 0x00, 0xFF, 0x2F, 0x00});
    return file;
}

Bytes Midi(int format, int division, const std::vector<Bytes>& tracks) {
    Bytes out;
    AppendText(out, "MThd");
    PutBe32(out, 6);
    PutBe16(out, static_cast<std::uint32_t>(format));
    PutBe16(out, static_cast<std::uint32_t>(tracks.size()));
    PutBe16(out, static_cast<std::uint32_t>(division) & 0xFFFF);
    for (const Bytes& events : tracks) {
        Bytes body = events;
        Append(body, {0x00, 0xFF, 0x2F, 0x00});
        AppendText(out, "MTrk");
        PutBe32(out, static_cast<std::uint32_t>(body.size()));
        Append(out, body);
    }
    return out;
}

Bytes OneNoteMidi(std::uint32_t ticks, int program) {
    Bytes events{0x00, 0xC0, static_cast<std::uint8_t>(program), 0x00, 0x90, 60, 100};
    Append(events, Vlq(ticks));
    Append(events, {0x80, 60, 0});
    return Midi(0, 480, {events});
}

void WriteFile(const std::filesystem::path& path, const Bytes& bytes) {
    if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::filesystem::path FreshDir(const std::string& name) {
    std::random_device random;
    std::filesystem::path dir = std::filesystem::temp_directory_path() /
                                ("sonobox-" + name + "-" + std::to_string(random()));
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    return dir;
}

}  // namespace soundtest
