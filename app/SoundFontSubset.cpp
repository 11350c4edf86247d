#include "app/SoundFontSubset.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <map>
#include <optional>
#include <utility>
#include <vector>

namespace sk {
namespace {

using Bytes = std::vector<unsigned char>;

// The nine lists of the preset data, in their order in the file.
enum List { Phdr, Pbag, Pmod, Pgen, Inst, Ibag, Imod, Igen, Shdr, kLists };
constexpr std::array<const char*, kLists> kListIds = {"phdr", "pbag", "pmod", "pgen", "inst",
                                                      "ibag", "imod", "igen", "shdr"};
constexpr std::array<std::size_t, kLists> kRecordSizes = {38, 4, 10, 4, 22, 4, 10, 4, 46};

constexpr int kInstrumentGenerator = 41;
constexpr int kSampleGenerator = 53;
constexpr std::uint32_t kGuardPoints = 46;  // zero points after every sample
constexpr unsigned kCompressedSample = 0x10;
constexpr unsigned kRomSample = 0x8000;
constexpr int kDrumBank = 128;

unsigned U16(const Bytes& b, std::size_t at) { return b[at] | b[at + 1] << 8; }
std::uint32_t U32(const Bytes& b, std::size_t at) { return U16(b, at) | static_cast<std::uint32_t>(U16(b, at + 2)) << 16; }
void Put16(Bytes& b, std::size_t at, unsigned v) {
    b[at] = static_cast<unsigned char>(v);
    b[at + 1] = static_cast<unsigned char>(v >> 8);
}
void Put32(Bytes& b, std::size_t at, std::uint32_t v) {
    Put16(b, at, v & 0xFFFF);
    Put16(b, at + 2, v >> 16);
}

struct Span {
    std::uint64_t Offset = 0;  // in the file
    std::uint32_t Size = 0;
};

struct SoundFont {
    Bytes Info;  // the whole INFO list, header included
    Span Samples, Samples24;
    std::array<Bytes, kLists> Lists;

    std::size_t Count(List list) const { return Lists[list].size() / kRecordSizes[list]; }
    const unsigned char* Record(List list, std::size_t i) const { return &Lists[list][i * kRecordSizes[list]]; }
    unsigned Field16(List list, std::size_t i, std::size_t at) const { return U16(Lists[list], i * kRecordSizes[list] + at); }
};

class FileReader {
public:
    explicit FileReader(const std::filesystem::path& path) : in_(path, std::ios::binary) {}
    bool Read(void* to, std::size_t count) { return static_cast<bool>(in_.read(static_cast<char*>(to), static_cast<std::streamsize>(count))); }
    bool Seek(std::uint64_t at) { return static_cast<bool>(in_.seekg(static_cast<std::streamoff>(at))); }
    std::uint64_t Tell() { return static_cast<std::uint64_t>(in_.tellg()); }
    // A chunk header: its id and size.
    bool Chunk(std::string& id, std::uint32_t& size) {
        Bytes head(8);
        if (!Read(head.data(), 8)) return false;
        id.assign(head.begin(), head.begin() + 4);
        size = U32(head, 4);
        return true;
    }

private:
    std::ifstream in_;
};

bool ReadLists(FileReader& in, std::uint64_t end, SoundFont& font) {
    for (int list = 0; list < kLists; ++list) {
        std::string id;
        std::uint32_t size = 0;
        if (!in.Chunk(id, size) || id != kListIds[list] || in.Tell() + size > end) return false;
        if (size % kRecordSizes[list] != 0 || size < kRecordSizes[list]) return false;
        font.Lists[list].resize(size);
        if (!in.Read(font.Lists[list].data(), size)) return false;
    }
    return true;
}

bool ReadSoundFont(const std::filesystem::path& path, SoundFont& font, std::string& error) {
    FileReader in(path);
    std::string id, form;
    std::uint32_t size = 0;
    char kind[4];
    if (!in.Chunk(id, size) || id != "RIFF" || !in.Read(kind, 4) || std::string(kind, 4) != "sfbk") {
        error = "not a SoundFont 2 file";
        return false;
    }
    const std::uint64_t end = 8ull + size;
    bool sawLists = false;
    while (in.Tell() + 8 <= end) {
        const std::uint64_t at = in.Tell();
        if (!in.Chunk(id, size) || id != "LIST" || size < 4 || !in.Read(kind, 4)) break;
        const std::uint32_t listSize = size;
        const std::uint64_t listEnd = at + 8 + listSize;
        form.assign(kind, 4);
        if (form == "INFO") {
            font.Info.resize(8 + listSize);
            if (!in.Seek(at) || !in.Read(font.Info.data(), font.Info.size())) break;
        } else if (form == "sdta") {
            while (in.Tell() + 8 <= listEnd && in.Chunk(id, size)) {
                Span& span = id == "sm24" ? font.Samples24 : font.Samples;
                if (id == "smpl" || id == "sm24") span = {in.Tell(), size};
                if (!in.Seek(in.Tell() + size + (size & 1))) break;
            }
        } else if (form == "pdta") {
            sawLists = ReadLists(in, listEnd, font);
        }
        if (!in.Seek(listEnd + (listSize & 1))) break;
    }
    if (!sawLists || font.Info.empty() || font.Samples.Size == 0) {
        error = "the SoundFont lacks its INFO, sample or preset lists";
        return false;
    }
    return true;
}

// FluidSynth's choice of preset for a request, among the file's presets.
std::optional<std::pair<int, int>> Resolve(const std::set<std::pair<int, int>>& present, const PresetRequest& asked) {
    auto has = [&](int bank, int program) { return present.count({bank, program}) > 0; };
    if (has(asked.Bank, asked.Program)) return std::pair{asked.Bank, asked.Program};
    if (asked.Drum) return has(kDrumBank, 0) ? std::optional(std::pair{kDrumBank, 0}) : std::nullopt;
    if (has(0, asked.Program)) return std::pair{0, asked.Program};
    if (has(0, 0)) return std::pair{0, 0};
    return std::nullopt;
}

// One level of the file: headers (presets or instruments) whose zones
// (bags) hold generators and modulators, one generator of each zone naming
// an item of the next level.
struct Level {
    List Headers, Bags, Mods, Gens;
    std::size_t BagField;  // where a header keeps its first zone
    int LinkGenerator;     // the generator that names an item of the next level
};

// Copies the kept headers with their zones into `out`, the named items of
// the next level renumbered through `renumber`. False when an index points
// outside its list.
bool CopyLevel(const SoundFont& font, const Level& level, const std::vector<std::size_t>& kept,
               const std::map<unsigned, unsigned>& renumber, std::array<Bytes, kLists>& out) {
    const std::size_t headerSize = kRecordSizes[level.Headers];
    auto append = [&](List list, const unsigned char* record) {
        out[list].insert(out[list].end(), record, record + kRecordSizes[list]);
    };
    const std::size_t bags = font.Count(level.Bags), gens = font.Count(level.Gens), mods = font.Count(level.Mods);
    for (std::size_t header : kept) {
        const unsigned first = font.Field16(level.Headers, header, level.BagField);
        const unsigned last = font.Field16(level.Headers, header + 1, level.BagField);
        if (first > last || last >= bags) return false;
        append(level.Headers, font.Record(level.Headers, header));
        Put16(out[level.Headers], out[level.Headers].size() - headerSize + level.BagField,
              static_cast<unsigned>(out[level.Bags].size() / 4));
        for (unsigned bag = first; bag < last; ++bag) {
            const unsigned gen0 = font.Field16(level.Bags, bag, 0), gen1 = font.Field16(level.Bags, bag + 1, 0);
            const unsigned mod0 = font.Field16(level.Bags, bag, 2), mod1 = font.Field16(level.Bags, bag + 1, 2);
            if (gen0 > gen1 || gen1 >= gens || mod0 > mod1 || mod1 >= mods) return false;
            Bytes bagRecord(4);
            Put16(bagRecord, 0, static_cast<unsigned>(out[level.Gens].size() / 4));
            Put16(bagRecord, 2, static_cast<unsigned>(out[level.Mods].size() / 10));
            append(level.Bags, bagRecord.data());
            for (unsigned mod = mod0; mod < mod1; ++mod) append(level.Mods, font.Record(level.Mods, mod));
            for (unsigned gen = gen0; gen < gen1; ++gen) {
                append(level.Gens, font.Record(level.Gens, gen));
                if (font.Field16(level.Gens, gen, 0) != static_cast<unsigned>(level.LinkGenerator)) continue;
                const auto to = renumber.find(font.Field16(level.Gens, gen, 2));
                if (to == renumber.end()) return false;
                Put16(out[level.Gens], out[level.Gens].size() - 2, to->second);
            }
        }
    }
    // The closing records: the header list's own, pointing past the last zone.
    append(level.Headers, font.Record(level.Headers, font.Count(level.Headers) - 1));
    Put16(out[level.Headers], out[level.Headers].size() - headerSize + level.BagField,
          static_cast<unsigned>(out[level.Bags].size() / 4));
    Bytes bagEnd(4);
    Put16(bagEnd, 0, static_cast<unsigned>(out[level.Gens].size() / 4));
    Put16(bagEnd, 2, static_cast<unsigned>(out[level.Mods].size() / 10));
    append(level.Bags, bagEnd.data());
    append(level.Mods, font.Record(level.Mods, font.Count(level.Mods) - 1));
    append(level.Gens, font.Record(level.Gens, font.Count(level.Gens) - 1));
    return true;
}

// The items of the next level that the kept headers' zones name, in file
// order; false for a name outside the next level's list.
bool Named(const SoundFont& font, const Level& level, const std::vector<std::size_t>& kept, std::size_t items,
           std::set<unsigned>& named) {
    for (std::size_t header : kept) {
        const unsigned first = font.Field16(level.Headers, header, level.BagField);
        const unsigned last = std::min<unsigned>(font.Field16(level.Headers, header + 1, level.BagField),
                                                 static_cast<unsigned>(font.Count(level.Bags) - 1));
        for (unsigned bag = first; bag < last; ++bag) {
            const unsigned gen1 = std::min<unsigned>(font.Field16(level.Bags, bag + 1, 0),
                                                     static_cast<unsigned>(font.Count(level.Gens)));
            for (unsigned gen = font.Field16(level.Bags, bag, 0); gen < gen1; ++gen) {
                if (font.Field16(level.Gens, gen, 0) != static_cast<unsigned>(level.LinkGenerator)) continue;
                const unsigned item = font.Field16(level.Gens, gen, 2);
                if (item >= items) return false;
                named.insert(item);
            }
        }
    }
    return true;
}

std::map<unsigned, unsigned> Renumbering(const std::set<unsigned>& kept) {
    std::map<unsigned, unsigned> renumber;
    for (unsigned old : kept) renumber.emplace(old, static_cast<unsigned>(renumber.size()));
    return renumber;
}

class Writer {
public:
    explicit Writer(const std::filesystem::path& path) : out_(path, std::ios::binary | std::ios::trunc) {}
    void Raw(const void* data, std::size_t size) { out_.write(static_cast<const char*>(data), static_cast<std::streamsize>(size)); }
    void Head(const char* id, std::uint32_t size) {
        Bytes head(8);
        std::memcpy(head.data(), id, 4);
        Put32(head, 4, size);
        Raw(head.data(), 8);
    }
    void Chunk(const char* id, const Bytes& data) {
        Head(id, static_cast<std::uint32_t>(data.size()));
        Raw(data.data(), data.size());
        if (data.size() & 1) Raw("", 1);
    }
    bool Ok() { return static_cast<bool>(out_.flush()); }

private:
    std::ofstream out_;
};

std::uint32_t Even(std::uint64_t size) { return static_cast<std::uint32_t>(size + (size & 1)); }

// Where a kept sample's points lie in the source (in points).
struct Piece {
    std::uint32_t Start = 0;
    std::uint32_t Count = 0;
};

// The kept samples' headers moved to where their points go in the subset,
// one after the other, and the pieces to copy there. A sample whose guard
// points the file cuts short keeps them short (and goes last), so the
// synthesizer reads exactly as many points as from the whole file.
bool PlaceSamples(const SoundFont& font, const std::set<unsigned>& kept, std::array<Bytes, kLists>& lists,
                  std::vector<Piece>& pieces) {
    const std::uint32_t total = font.Samples.Size / 2;
    std::vector<unsigned> order(kept.begin(), kept.end());
    std::stable_partition(order.begin(), order.end(), [&](unsigned s) {
        return std::uint64_t{U32(font.Lists[Shdr], s * 46 + 24)} + kGuardPoints <= total;
    });
    std::map<unsigned, Bytes> headers;
    std::uint64_t placed = 0;
    for (unsigned sample : order) {
        Bytes header(font.Record(Shdr, sample), font.Record(Shdr, sample) + 46);
        const std::uint32_t start = U32(header, 20), end = U32(header, 24);
        if (start > end || start > total) return false;
        const auto count = static_cast<std::uint32_t>(std::min<std::uint64_t>(std::uint64_t{end} + kGuardPoints, total) - start);
        for (std::size_t field : {20, 24, 28, 32}) {
            const std::int64_t moved = std::int64_t{U32(header, field)} - start + static_cast<std::int64_t>(placed);
            if (moved < 0 || moved > 0xFFFFFFFF) return false;
            Put32(header, field, static_cast<std::uint32_t>(moved));
        }
        pieces.push_back({start, count});
        placed += count;
        headers.emplace(sample, std::move(header));
    }
    const auto renumber = Renumbering(kept);
    for (auto& [old, header] : headers) {
        if (U16(header, 44) & 0x7FFF & ~1u) Put16(header, 42, renumber.at(U16(header, 42)));
        lists[Shdr].insert(lists[Shdr].end(), header.begin(), header.end());
    }
    const unsigned char* closing = font.Record(Shdr, font.Count(Shdr) - 1);
    lists[Shdr].insert(lists[Shdr].end(), closing, closing + 46);
    return true;
}

// Copies the pieces of a sample chunk (`width` bytes a point) from the
// source, a block at a time.
bool CopyPieces(FileReader& in, Writer& out, const Span& chunk, const std::vector<Piece>& pieces, unsigned width) {
    std::vector<char> block(1 << 16);
    for (const Piece& piece : pieces) {
        std::uint64_t left = std::uint64_t{piece.Count} * width;
        if (!in.Seek(chunk.Offset + std::uint64_t{piece.Start} * width)) return false;
        while (left > 0) {
            const auto step = static_cast<std::size_t>(std::min<std::uint64_t>(left, block.size()));
            if (!in.Read(block.data(), step)) return false;
            out.Raw(block.data(), step);
            left -= step;
        }
    }
    return true;
}

// The kept samples and their stereo partners; false for a compressed or ROM
// sample or a partner outside the list.
bool SamplesWithPartners(const SoundFont& font, std::set<unsigned>& samples) {
    const std::size_t count = font.Count(Shdr) - 1;
    for (std::vector<unsigned> todo(samples.begin(), samples.end()); !todo.empty();) {
        const unsigned sample = todo.back();
        todo.pop_back();
        const unsigned type = font.Field16(Shdr, sample, 44);
        if (type & (kCompressedSample | kRomSample)) return false;
        if ((type & ~1u) == 0) continue;  // mono
        const unsigned partner = font.Field16(Shdr, sample, 42);
        if (partner >= count) return false;
        if (samples.insert(partner).second) todo.push_back(partner);
    }
    return true;
}

bool WriteFile(const std::filesystem::path& source, const std::filesystem::path& target, const SoundFont& font,
               const std::array<Bytes, kLists>& lists, const std::vector<Piece>& pieces) {
    std::uint64_t points = 0;
    for (const Piece& piece : pieces) points += piece.Count;
    const bool has24 = font.Samples24.Size >= font.Samples.Size / 2;
    std::uint64_t pdta = 4;
    for (const Bytes& list : lists) pdta += 8 + Even(list.size());
    const std::uint64_t sdta = 4 + 8 + Even(points * 2) + (has24 ? 8 + Even(points) : 0);
    const std::uint64_t riff = 4 + Even(font.Info.size()) + 8 + sdta + 8 + pdta;
    if (riff > 0xFFFFFFFF) return false;
    FileReader in(source);
    Writer out(target);
    out.Head("RIFF", static_cast<std::uint32_t>(riff));
    out.Raw("sfbk", 4);
    out.Raw(font.Info.data(), font.Info.size());
    if (font.Info.size() & 1) out.Raw("", 1);
    out.Head("LIST", static_cast<std::uint32_t>(sdta));
    out.Raw("sdta", 4);
    out.Head("smpl", static_cast<std::uint32_t>(points * 2));
    if (!CopyPieces(in, out, font.Samples, pieces, 2)) return false;
    if (has24) {
        out.Head("sm24", static_cast<std::uint32_t>(points));
        if (!CopyPieces(in, out, font.Samples24, pieces, 1)) return false;
        if (points & 1) out.Raw("", 1);
    }
    out.Head("LIST", static_cast<std::uint32_t>(pdta));
    out.Raw("pdta", 4);
    for (int list = 0; list < kLists; ++list) out.Chunk(kListIds[list], lists[list]);
    return out.Ok();
}

}  // namespace

bool WriteSoundFontSubset(const std::filesystem::path& source, const std::set<PresetRequest>& wanted,
                          const std::filesystem::path& target, std::string& error) {
    SoundFont font;
    if (!ReadSoundFont(source, font, error)) return false;
    const std::size_t presets = font.Count(Phdr) - 1, instruments = font.Count(Inst) - 1;
    std::set<std::pair<int, int>> present, chosen;
    for (std::size_t p = 0; p < presets; ++p) present.insert({font.Field16(Phdr, p, 22), font.Field16(Phdr, p, 20)});
    for (const PresetRequest& request : wanted) {
        if (const auto preset = Resolve(present, request)) chosen.insert(*preset);
    }
    std::vector<std::size_t> keptPresets;
    for (std::size_t p = 0; p < presets; ++p) {
        if (chosen.count({font.Field16(Phdr, p, 22), font.Field16(Phdr, p, 20)})) keptPresets.push_back(p);
    }
    const Level presetLevel{Phdr, Pbag, Pmod, Pgen, 24, kInstrumentGenerator};
    const Level instrumentLevel{Inst, Ibag, Imod, Igen, 20, kSampleGenerator};
    std::set<unsigned> keptInstruments, keptSamples;
    if (!Named(font, presetLevel, keptPresets, instruments, keptInstruments)) {
        error = "a preset names an instrument that is not there";
        return false;
    }
    const std::vector<std::size_t> instrumentList(keptInstruments.begin(), keptInstruments.end());
    if (!Named(font, instrumentLevel, instrumentList, font.Count(Shdr) - 1, keptSamples) ||
        !SamplesWithPartners(font, keptSamples)) {
        error = "an instrument names a sample that is missing, compressed or in ROM";
        return false;
    }
    std::array<Bytes, kLists> lists;
    std::vector<Piece> pieces;
    if (!CopyLevel(font, presetLevel, keptPresets, Renumbering(keptInstruments), lists) ||
        !CopyLevel(font, instrumentLevel, instrumentList, Renumbering(keptSamples), lists) ||
        !PlaceSamples(font, keptSamples, lists, pieces)) {
        error = "the SoundFont's lists point outside themselves";
        return false;
    }
    if (!WriteFile(source, target, font, lists, pieces)) {
        error = "cannot write " + target.string();
        return false;
    }
    return true;
}

}  // namespace sk
