// pngfile.cpp - PNG encoding through libpng's simplified interface, into memory.
#include "pngfile.h"

#include <png.h>

// The cells as rows of r, g, b bytes, which is what libpng takes for PNG_FORMAT_RGB.
static std::vector<png_byte> rgbRows(const CellImage& image) {
    std::vector<png_byte> rgb;
    rgb.reserve(image.cells.size() * 3);
    for (const ColorRGB& cell : image.cells) {
        rgb.push_back(static_cast<png_byte>(cell.r));
        rgb.push_back(static_cast<png_byte>(cell.g));
        rgb.push_back(static_cast<png_byte>(cell.b));
    }
    return rgb;
}

bool encodePng(const CellImage& image, std::string& bytes) {
    const std::vector<png_byte> rgb = rgbRows(image);
    png_image header = {};
    header.version = PNG_IMAGE_VERSION;
    header.width = static_cast<png_uint_32>(image.width);
    header.height = static_cast<png_uint_32>(image.height);
    header.format = PNG_FORMAT_RGB;
    // The first call only measures; the second writes into a buffer of that size.
    png_alloc_size_t size = 0;
    if (!png_image_write_to_memory(&header, nullptr, &size, 0, rgb.data(), 0, nullptr)) return false;
    bytes.assign(size, '\0');
    const bool written = png_image_write_to_memory(&header, bytes.data(), &size, 0, rgb.data(), 0, nullptr) != 0;
    png_image_free(&header);
    bytes.resize(written ? size : 0);
    return written;
}
