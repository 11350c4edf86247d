// The picture files compiled into the program (res/*.png), by name.
#pragma once

#include <span>

namespace sk::res {

struct EmbeddedFile {
    const char* Name;  // file name without .png
    const unsigned char* Begin;
    const unsigned char* End;
};

std::span<const EmbeddedFile> EmbeddedFiles();

}  // namespace sk::res
