// The replay file: magic, format version, rules version, length, check sum,
// the header, and the event stream compressed with zlib. All numbers are
// little-endian.
#include "game/Replay.h"

#include <zlib.h>

#include <cstring>

namespace sk {

namespace {

constexpr std::uint8_t kMagic[8] = {0x89, 'S', 'K', 'R', '\r', '\n', 0x1A, '\n'};
constexpr std::size_t kPrologue = 20;  // magic, format, rules, payload length, check sum
constexpr std::uint8_t kOpBits = 0x1F;
constexpr std::uint8_t kLongDelta = 7;  // the frame step follows as a varint
constexpr std::uint16_t kMaxCarried = 4096;

// The check sum covers the two versions and the payload.
std::uint32_t Crc(std::span<const std::uint8_t> versions, std::span<const std::uint8_t> payload) {
    const uLong sum = crc32(0, versions.data(), static_cast<uInt>(versions.size()));
    return static_cast<std::uint32_t>(crc32(sum, payload.data(), static_cast<uInt>(payload.size())));
}

class Out {
public:
    explicit Out(std::vector<std::uint8_t>& bytes) : bytes_(bytes) {}
    void U8(std::uint8_t v) { bytes_.push_back(v); }
    void U16(std::uint16_t v) { Little(v, 2); }
    void U32(std::uint32_t v) { Little(v, 4); }
    void I32(std::int32_t v) { U32(static_cast<std::uint32_t>(v)); }
    void I64(std::int64_t v) { Little(static_cast<std::uint64_t>(v), 8); }
    void Bytes(std::span<const std::uint8_t> b) { bytes_.insert(bytes_.end(), b.begin(), b.end()); }

private:
    void Little(std::uint64_t v, int n) {
        for (int i = 0; i < n; ++i) bytes_.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    }
    std::vector<std::uint8_t>& bytes_;
};

// Reads fields; every read past the end fails and leaves zeros.
class In {
public:
    explicit In(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
    bool Ok() const { return ok_; }
    std::size_t Left() const { return bytes_.size() - pos_; }
    std::uint8_t U8() { return static_cast<std::uint8_t>(Little(1)); }
    std::uint16_t U16() { return static_cast<std::uint16_t>(Little(2)); }
    std::uint32_t U32() { return static_cast<std::uint32_t>(Little(4)); }
    std::int32_t I32() { return static_cast<std::int32_t>(U32()); }
    std::int64_t I64() { return static_cast<std::int64_t>(Little(8)); }
    std::span<const std::uint8_t> Bytes(std::size_t n) {
        if (!ok_ || Left() < n) {
            ok_ = false;
            return {};
        }
        pos_ += n;
        return bytes_.subspan(pos_ - n, n);
    }

private:
    std::uint64_t Little(int n) {
        const std::span<const std::uint8_t> b = Bytes(static_cast<std::size_t>(n));
        std::uint64_t v = 0;
        for (std::size_t i = 0; i < b.size(); ++i) v |= static_cast<std::uint64_t>(b[i]) << (8 * i);
        return v;
    }
    std::span<const std::uint8_t> bytes_;
    std::size_t pos_ = 0;
    bool ok_ = true;
};

bool HasOperands(ReplayOp op) {
    switch (op) {
        case ReplayOp::DifficultyItem: case ReplayOp::DialogOk: case ReplayOp::PointerMove: case ReplayOp::Press:
        case ReplayOp::Steer: case ReplayOp::TableEntry: case ReplayOp::Check: case ReplayOp::End:
            return true;
        default:
            return false;
    }
}

std::uint32_t ZigZag(std::int32_t v) {
    return (static_cast<std::uint32_t>(v) << 1) ^ static_cast<std::uint32_t>(v >> 31);
}
std::int32_t UnZigZag(std::uint32_t v) { return static_cast<std::int32_t>((v >> 1) ^ (~(v & 1) + 1)); }

void WriteHeader(Out& out, const ReplayHeader& h) {
    const std::size_t versionLength = std::min<std::size_t>(h.ProgramVersion.size(), 255);
    out.U8(static_cast<std::uint8_t>(versionLength));
    out.Bytes({reinterpret_cast<const std::uint8_t*>(h.ProgramVersion.data()), versionLength});
    for (std::uint32_t hash : h.StageHashes) out.U32(hash);
    out.U8(static_cast<std::uint8_t>(h.Kind));
    out.I64(h.Date);
    out.U32(h.Frames);
    out.I32(h.Score);
    out.I32(h.Stage);
    out.I32(h.Lap);
    out.U8(static_cast<std::uint8_t>(h.End));
    out.I32(h.Difficulty);
    out.U32(h.Generator);
    out.U16(static_cast<std::uint16_t>(h.Carried.size()));
    for (std::int32_t v : h.Carried) out.I32(v);
}

bool ReadHeader(In& in, ReplayHeader& h) {
    const std::span<const std::uint8_t> version = in.Bytes(in.U8());
    h.ProgramVersion.assign(version.begin(), version.end());
    for (std::uint32_t& hash : h.StageHashes) hash = in.U32();
    h.Kind = static_cast<ReplayStartKind>(in.U8());
    h.Date = in.I64();
    h.Frames = in.U32();
    h.Score = in.I32();
    h.Stage = in.I32();
    h.Lap = in.I32();
    h.End = static_cast<ReplayEnd>(in.U8());
    h.Difficulty = in.I32();
    h.Generator = in.U32();
    const std::uint16_t carried = in.U16();
    if (carried > kMaxCarried || in.Left() < carried * 4u) return false;
    h.Carried.resize(carried);
    for (std::int32_t& v : h.Carried) v = in.I32();
    const bool known = (h.Kind == ReplayStartKind::NewGame || h.Kind == ReplayStartKind::Continue) &&
                       h.End >= ReplayEnd::GameOver && h.End <= ReplayEnd::TooLong;
    return in.Ok() && known && h.Frames <= kMaxReplayFrames;
}

// The prologue and the header; `in` is left at the body's lengths.
ReplayFault ReadPrologue(std::span<const std::uint8_t> file, In& in, ReplayHeader& header) {
    if (file.empty()) return ReplayFault::Empty;
    if (file.size() > kMaxReplayFileBytes) return ReplayFault::TooLarge;
    if (file.size() < sizeof kMagic || std::memcmp(file.data(), kMagic, sizeof kMagic) != 0) return ReplayFault::NotReplay;
    In prologue(file.subspan(sizeof kMagic));
    const std::uint16_t format = prologue.U16();
    header.RulesVersion = prologue.U16();
    const std::uint32_t length = prologue.U32();
    const std::uint32_t sum = prologue.U32();
    if (!prologue.Ok() || file.size() - kPrologue < length) return ReplayFault::Cut;
    if (file.size() - kPrologue > length) return ReplayFault::Damaged;
    if (format > kReplayFormatVersion) return ReplayFault::NewerFormat;
    const std::span<const std::uint8_t> payload = file.subspan(kPrologue);
    if (format == 0 || Crc(file.subspan(sizeof kMagic, 4), payload) != sum) return ReplayFault::Damaged;
    in = In(payload);
    return ReadHeader(in, header) ? ReplayFault::None : ReplayFault::Damaged;
}

bool Inflate(std::span<const std::uint8_t> packed, std::uint32_t rawSize, std::vector<std::uint8_t>& body) {
    if (rawSize > kMaxReplayBodyBytes) return false;
    body.resize(rawSize);
    uLongf size = rawSize;
    const int result = uncompress(body.data(), &size, packed.data(), static_cast<uLong>(packed.size()));
    return result == Z_OK && size == rawSize;
}

// Every event well formed, frames rising to the header's count, one end event, last.
bool CheckEvents(const Replay& replay) {
    ReplayEventReader reader(replay.Body);
    ReplayEvent event;
    bool ended = false;
    while (reader.Next(event)) {
        if (ended || event.Frame > replay.Header.Frames) return false;
        ended = event.Op == ReplayOp::End;
        if (ended && event.Frame != replay.Header.Frames) return false;
    }
    return !reader.Failed() && ended;
}

}  // namespace

void ReplayEventWriter::Clear() {
    body_.clear();
    frame_ = 0;
    pointer_[0] = pointer_[1] = steer_[0] = steer_[1] = 0;
}

void ReplayEventWriter::Varint(std::uint32_t v) {
    while (v >= 0x80) {
        Byte(static_cast<std::uint8_t>(v | 0x80));
        v >>= 7;
    }
    Byte(static_cast<std::uint8_t>(v));
}

void ReplayEventWriter::Signed(std::int32_t v) { Varint(ZigZag(v)); }

void ReplayEventWriter::Append(const ReplayEvent& e) {
    const std::uint32_t delta = e.Frame - frame_;
    frame_ = e.Frame;
    const std::uint8_t code = delta < kLongDelta ? static_cast<std::uint8_t>(delta) : kLongDelta;
    Byte(static_cast<std::uint8_t>(static_cast<std::uint8_t>(e.Op) | code << 5));
    if (code == kLongDelta) Varint(delta);
    switch (e.Op) {
        case ReplayOp::PointerMove: case ReplayOp::Steer: {
            std::int32_t* last = e.Op == ReplayOp::Steer ? steer_ : pointer_;
            Signed(static_cast<std::int32_t>(static_cast<std::uint32_t>(e.A) - static_cast<std::uint32_t>(last[0])));
            Signed(static_cast<std::int32_t>(static_cast<std::uint32_t>(e.B) - static_cast<std::uint32_t>(last[1])));
            last[0] = e.A;
            last[1] = e.B;
            break;
        }
        case ReplayOp::Press: case ReplayOp::End: Byte(static_cast<std::uint8_t>(e.A)); break;
        case ReplayOp::DifficultyItem: Signed(e.A); break;
        case ReplayOp::DialogOk:
        case ReplayOp::TableEntry:
            Signed(e.A);
            Signed(e.B);
            break;
        case ReplayOp::Check:
            for (int i = 0; i < 4; ++i) Byte(static_cast<std::uint8_t>(static_cast<std::uint32_t>(e.A) >> (8 * i)));
            break;
        default: break;
    }
}

bool ReplayEventReader::Byte(std::uint8_t& b) {
    if (pos_ >= body_.size()) return false;
    b = body_[pos_++];
    return true;
}

bool ReplayEventReader::Varint(std::uint32_t& v) {
    v = 0;
    for (int shift = 0; shift < 35; shift += 7) {
        std::uint8_t b = 0;
        if (!Byte(b)) return false;
        v |= static_cast<std::uint32_t>(b & 0x7F) << shift;
        if (!(b & 0x80)) return shift < 28 || b < 0x10;
    }
    return false;
}

bool ReplayEventReader::Signed(std::int32_t& v) {
    std::uint32_t raw = 0;
    if (!Varint(raw)) return false;
    v = UnZigZag(raw);
    return true;
}

bool ReplayEventReader::Next(ReplayEvent& e) {
    if (failed_ || AtEnd()) return false;
    std::uint8_t head = 0;
    Byte(head);
    const int op = head & kOpBits;
    if (op == 0 || op > kLastReplayOp) return Fail();
    e = ReplayEvent{};
    e.Op = static_cast<ReplayOp>(op);
    std::uint32_t delta = head >> 5;
    if (delta == kLongDelta && (!Varint(delta) || delta < kLongDelta)) return Fail();
    if (delta > kMaxReplayFrames - frame_) return Fail();
    frame_ += delta;
    e.Frame = frame_;
    if (!HasOperands(e.Op)) return true;
    std::uint8_t b = 0;
    switch (e.Op) {
        case ReplayOp::PointerMove: case ReplayOp::Steer: {
            std::int32_t* last = e.Op == ReplayOp::Steer ? steer_ : pointer_;
            std::int32_t dx = 0, dy = 0;
            if (!Signed(dx) || !Signed(dy)) return Fail();
            last[0] = e.A = static_cast<std::int32_t>(static_cast<std::uint32_t>(last[0]) + static_cast<std::uint32_t>(dx));
            last[1] = e.B = static_cast<std::int32_t>(static_cast<std::uint32_t>(last[1]) + static_cast<std::uint32_t>(dy));
            return true;
        }
        case ReplayOp::Press:
            if (!Byte(b) || b > 2) return Fail();
            e.A = b;
            return true;
        case ReplayOp::End:
            if (!Byte(b) || b < static_cast<int>(ReplayEnd::GameOver) || b > static_cast<int>(ReplayEnd::TooLong))
                return Fail();
            e.A = b;
            return true;
        case ReplayOp::DifficultyItem: return Signed(e.A) || Fail();
        case ReplayOp::DialogOk: return (Signed(e.A) && Signed(e.B) && e.B >= 0 && e.B < 8) || Fail();
        case ReplayOp::TableEntry: return (Signed(e.A) && Signed(e.B) && e.A >= 0 && e.A < 10) || Fail();
        case ReplayOp::Check: {
            std::uint32_t v = 0;
            for (int i = 0; i < 4; ++i) {
                if (!Byte(b)) return Fail();
                v |= static_cast<std::uint32_t>(b) << (8 * i);
            }
            e.A = static_cast<std::int32_t>(v);
            return true;
        }
        default: return true;
    }
}

const char* Describe(ReplayFault fault) {
    switch (fault) {
        case ReplayFault::None: return "a replay";
        case ReplayFault::Empty: return "the file is empty";
        case ReplayFault::TooLarge: return "the file is too large for a replay";
        case ReplayFault::NotReplay: return "not a replay";
        case ReplayFault::Cut: return "the file is cut short";
        case ReplayFault::Damaged: return "the file is damaged";
        case ReplayFault::NewerFormat: return "made by a newer program (unknown format version)";
    }
    return "unknown";
}

std::vector<std::uint8_t> EncodeReplay(const Replay& replay) {
    std::vector<std::uint8_t> payload;
    Out out(payload);
    WriteHeader(out, replay.Header);
    uLongf packedSize = compressBound(static_cast<uLong>(replay.Body.size()));
    std::vector<std::uint8_t> packed(packedSize);
    compress2(packed.data(), &packedSize, replay.Body.data(), static_cast<uLong>(replay.Body.size()), Z_BEST_COMPRESSION);
    out.U32(static_cast<std::uint32_t>(replay.Body.size()));
    out.U32(static_cast<std::uint32_t>(packedSize));
    out.Bytes({packed.data(), packedSize});

    std::vector<std::uint8_t> file(kMagic, kMagic + sizeof kMagic);
    Out head(file);
    head.U16(kReplayFormatVersion);
    head.U16(replay.Header.RulesVersion);
    head.U32(static_cast<std::uint32_t>(payload.size()));
    head.U32(Crc({file.data() + sizeof kMagic, 4}, payload));
    file.insert(file.end(), payload.begin(), payload.end());
    return file;
}

ReplayFault DecodeReplayHeader(std::span<const std::uint8_t> file, ReplayHeader& header) {
    In in({});
    return ReadPrologue(file, in, header);
}

ReplayFault DecodeReplay(std::span<const std::uint8_t> file, Replay& replay) {
    In in({});
    if (const ReplayFault fault = ReadPrologue(file, in, replay.Header); fault != ReplayFault::None) return fault;
    const std::uint32_t rawSize = in.U32();
    const std::uint32_t packedSize = in.U32();
    const std::span<const std::uint8_t> packed = in.Bytes(packedSize);
    if (!in.Ok() || in.Left() != 0 || !Inflate(packed, rawSize, replay.Body) || !CheckEvents(replay)) {
        return ReplayFault::Damaged;
    }
    return ReplayFault::None;
}

}  // namespace sk
