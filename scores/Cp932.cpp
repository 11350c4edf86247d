#include "scores/HighScores.h"

#include <cerrno>
#include <iconv.h>

namespace sk {

namespace {

struct Converter {
    iconv_t cd;
    Converter(const char* to, const char* from) : cd(iconv_open(to, from)) {}
    ~Converter() {
        if (Valid()) iconv_close(cd);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    bool Valid() const { return cd != reinterpret_cast<iconv_t>(-1); }
};

// Converts with iconv, dropping every byte that does not start a convertible
// character. Returns an empty text when the conversion is not available.
std::string Convert(const char* to, const char* from, std::string_view input) noexcept {
    try {
        Converter conv(to, from);
        if (!conv.Valid()) return {};
        std::string out;
        out.resize(input.size() * 4 + 16);
        char* in = const_cast<char*>(input.data());
        std::size_t inLeft = input.size();
        char* outPtr = out.data();
        std::size_t outLeft = out.size();
        while (inLeft > 0) {
            if (iconv(conv.cd, &in, &inLeft, &outPtr, &outLeft) != static_cast<std::size_t>(-1)) break;
            if (errno == E2BIG) {
                const std::size_t used = out.size() - outLeft;
                out.resize(out.size() * 2);
                outPtr = out.data() + used;
                outLeft = out.size() - used;
            } else if (errno == EILSEQ) {
                ++in;  // not convertible: drop the byte
                --inLeft;
            } else {
                break;  // EINVAL: an incomplete character at the end is dropped
            }
        }
        out.resize(out.size() - outLeft);
        return out;
    } catch (...) {
        return {};
    }
}

}  // namespace

std::string Cp932ToUtf8(std::string_view cp932) { return Convert("UTF-8", "CP932", cp932); }

std::string Utf8ToCp932(std::string_view utf8) { return Convert("CP932", "UTF-8", utf8); }

}  // namespace sk
