// The reader of the high-score file: ten scans of "%s %d\n" over a byte
// source, done by hand so that a name never outgrows its 19 bytes and a
// number beyond 32 bits is clamped.
#pragma once

#include "scores/HighScores.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <string>
#include <string_view>

namespace sk {

constexpr std::size_t kMaxNameBytes = 19;

// A source over text in memory: Peek() gives the next byte or EOF, Next()
// moves past it.
class StringSource {
public:
    explicit StringSource(std::string_view text) : text_(text) {}
    int Peek() const { return pos_ < text_.size() ? static_cast<unsigned char>(text_[pos_]) : EOF; }
    void Next() { ++pos_; }

private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

inline bool IsCp932LeadByte(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

// The longest start of `name` of at most 19 bytes that does not end in the
// middle of a double-byte character.
inline std::string TruncateName(std::string_view name) {
    std::size_t end = 0;
    while (end < name.size()) {
        const bool pair = IsCp932LeadByte(static_cast<unsigned char>(name[end])) && end + 1 < name.size();
        const std::size_t next = end + (pair ? 2 : 1);
        if (next > kMaxNameBytes) break;
        end = next;
    }
    return std::string(name.substr(0, end));
}

inline bool IsScanSpace(int c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

template <class Source>
void SkipSpace(Source& in) {
    while (IsScanSpace(in.Peek())) in.Next();
}

// "%s": the run of non-blank bytes. The whole run is consumed; the name keeps
// what a C string of it holds (up to a NUL byte), at most 19 bytes.
template <class Source>
bool ScanName(Source& in, std::string& name) {
    SkipSpace(in);
    if (in.Peek() == EOF) return false;
    std::string word;
    bool ended = false;
    for (int c = in.Peek(); c != EOF && !IsScanSpace(c); c = in.Peek()) {
        if (c == 0) ended = true;
        if (!ended && word.size() <= kMaxNameBytes) word += static_cast<char>(c);
        in.Next();
    }
    name = TruncateName(word);
    return true;
}

// "%d": an optionally signed decimal number, clamped to 32 bits. A sign
// without digits is consumed and the scan fails, as the C library does.
template <class Source>
bool ScanPoints(Source& in, std::int32_t& points) {
    SkipSpace(in);
    bool negative = false;
    if (in.Peek() == '+' || in.Peek() == '-') {
        negative = in.Peek() == '-';
        in.Next();
    }
    constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    std::int64_t magnitude = 0;
    bool digits = false;
    for (int c = in.Peek(); c >= '0' && c <= '9'; c = in.Peek()) {
        digits = true;
        magnitude = std::min(magnitude * 10 + (c - '0'), kLimit);
        in.Next();
    }
    if (!digits) return false;
    const std::int64_t value = negative ? -magnitude : std::min(magnitude, kLimit - 1);
    points = static_cast<std::int32_t>(value);
    return true;
}

// Ten scans of "%s %d\n" into a table that starts empty. A scan that fails
// leaves its fields empty and the next scan starts where it stopped.
template <class Source>
void ScanTable(HighScoreTable& table, Source& in) {
    table.HiScore.fill(0);
    for (std::string& name : table.HiName) name.clear();
    for (int rank = 0; rank < kRanks; ++rank) {
        if (!ScanName(in, table.HiName[rank])) return;
        if (!ScanPoints(in, table.HiScore[rank])) continue;
        SkipSpace(in);
    }
}

}  // namespace sk
