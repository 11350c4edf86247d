#include "game/Pictures.h"

#include "res/EmbeddedPictures.h"

#include <png.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace sk {

std::span<const std::uint8_t> EmbeddedPicture(std::string_view name) {
    for (const res::EmbeddedFile& file : res::EmbeddedFiles()) {
        if (name == file.Name) return {file.Begin, static_cast<std::size_t>(file.End - file.Begin)};
    }
    return {};
}

bool DecodePng(std::span<const std::uint8_t> png, Bitmap& out) {
    if (png.empty()) return false;
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, png.data(), png.size())) return false;

    image.format = PNG_FORMAT_RGB;
    const std::size_t rowBytes = PNG_IMAGE_ROW_STRIDE(image);
    std::vector<std::uint8_t> rgb(PNG_IMAGE_BUFFER_SIZE(image, rowBytes));
    // Transparent pixels become white, the sheets' colour for "nothing here".
    const png_color white{0xFF, 0xFF, 0xFF};
    if (!png_image_finish_read(&image, &white, rgb.data(), static_cast<png_int_32>(rowBytes), nullptr)) {
        png_image_free(&image);
        return false;
    }

    Bitmap decoded(static_cast<int>(image.width), static_cast<int>(image.height));
    for (int y = 0; y < decoded.Height; ++y) {
        const std::uint8_t* src = rgb.data() + static_cast<std::size_t>(y) * rowBytes;
        std::uint32_t* dst = decoded.Row(y);
        for (int x = 0; x < decoded.Width; ++x, src += 3) {
            dst[x] = kOpaque | (std::uint32_t{src[0]} << 16) | (std::uint32_t{src[1]} << 8) | src[2];
        }
    }
    out = std::move(decoded);
    return true;
}

namespace {

void LoadPicture(Bitmap& into, const char* name, int width, int height) {
    const std::span<const std::uint8_t> file = EmbeddedPicture(name);
    if (DecodePng(file, into)) {
        if (into.Width != width || into.Height != height) {
            std::fprintf(stderr, "picture %s is %dx%d, expected %dx%d\n", name, into.Width, into.Height, width,
                         height);
        }
        return;
    }
    std::fprintf(stderr, "picture %s is %s; drawing it white\n", name, file.empty() ? "missing" : "not a readable PNG");
    into.Resize(width, height, kWhite);
}

Pictures DecodeAll() {
    Pictures p;
    LoadPicture(p.OpenLogo, "OpenLogo", 632, 434);
    LoadPicture(p.StatusPicture, "StatusPicture", 632, 30);
    LoadPicture(p.PlaneBmp, "PlaneBmp", 59, 60);
    LoadPicture(p.EnemyBmp, "EnemyBmp", 120, 300);
    LoadPicture(p.ExplodeBmp, "ExplodeBmp", 275, 122);
    LoadPicture(p.Missile, "Missile", 16, 16);
    LoadPicture(p.CpuMissile, "CpuMissile", 16, 16);
    LoadPicture(p.GameOverGra, "GameOverGra", 320, 120);
    LoadPicture(p.toTitle, "toTitle", 155, 22);
    LoadPicture(p.BossBmp, "BossBmp", 226, 60);
    LoadPicture(p.GraPattrn, "GraPattrn", 32, 32);
    LoadPicture(p.AllBack, "AllBack", 32, 32);
    LoadPicture(p.Maps, "Maps", 256, 96);
    LoadPicture(p.MapMask, "MapMask", 256, 96);
    return p;
}

}  // namespace

const Pictures& LoadPictures() {
    static const Pictures pictures = DecodeAll();
    return pictures;
}

}  // namespace sk
