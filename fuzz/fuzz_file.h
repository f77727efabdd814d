// fuzz_file.h - what the fuzz targets share: the fuzzer's bytes as a file.
//
// The targets read their input through the program's own file readers, so
// each writes the bytes to a file in the working folder first.
#ifndef TESSARY_FUZZ_FILE_H
#define TESSARY_FUZZ_FILE_H

#include <cstddef>
#include <cstdio>
#include <cstdlib>

#include "gfx.h"  // Uint8

// Writes `size` bytes at `data` to the file `name`; aborts when it cannot.
inline void writeFile(const char* name, const Uint8* data, size_t size) {
    std::FILE* file = std::fopen(name, "wb");
    if (!file) std::abort();
    if (size > 0 && std::fwrite(data, 1, size, file) != size) std::abort();
    std::fclose(file);
}

#endif
