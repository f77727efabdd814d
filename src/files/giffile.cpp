// giffile.cpp - GIF encoding through giflib's low-level writer, into memory.
#include "giffile.h"

#include <gif_lib.h>

#include <algorithm>
#include <memory>

#include "picture.h"

namespace {

constexpr int largestColorTable = 256;

// The palette's colours, then every other colour the frames use, in the order met.
std::vector<ColorRGB> frameColors(const std::vector<CellImage>& frames) {
    std::vector<ColorRGB> colors(Colors, Colors + paletteSize);
    for (const CellImage& frame : frames) {
        for (const ColorRGB& cell : frame.cells) {
            if (std::find(colors.begin(), colors.end(), cell) == colors.end()) colors.push_back(cell);
        }
    }
    return colors;
}

// Appends what giflib writes to the std::string it was opened with.
int appendBytes(GifFileType* gif, const GifByteType* data, int length) {
    static_cast<std::string*>(gif->UserData)->append(reinterpret_cast<const char*>(data), length);
    return length;
}

struct GifCloser {
    void operator()(GifFileType* gif) const { EGifCloseFile(gif, nullptr); }
};
using GifWriter = std::unique_ptr<GifFileType, GifCloser>;

struct MapFreer {
    void operator()(ColorMapObject* map) const { GifFreeMapObject(map); }
};

// The colour table: `colors`, padded with black to a power of two.
std::unique_ptr<ColorMapObject, MapFreer> colorMap(const std::vector<ColorRGB>& colors) {
    int size = 2;
    while (size < static_cast<int>(colors.size())) size *= 2;
    std::unique_ptr<ColorMapObject, MapFreer> map(GifMakeMapObject(size, nullptr));
    if (!map) return map;
    for (int i = 0; i < size; ++i) {
        const ColorRGB c = i < static_cast<int>(colors.size()) ? colors[i] : ColorRGB();
        map->Colors[i] = {static_cast<GifByteType>(c.r), static_cast<GifByteType>(c.g), static_cast<GifByteType>(c.b)};
    }
    return map;
}

// The application extension that makes viewers loop forever (a count of 0).
bool putLoopForever(GifFileType* gif) {
    static const GifByteType netscape[] = {'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0'};
    static const GifByteType loopForever[] = {1, 0, 0};
    return EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE) == GIF_OK &&
           EGifPutExtensionBlock(gif, sizeof netscape, netscape) == GIF_OK &&
           EGifPutExtensionBlock(gif, sizeof loopForever, loopForever) == GIF_OK &&
           EGifPutExtensionTrailer(gif) == GIF_OK;
}

bool putFrame(GifFileType* gif, const CellImage& frame, const std::vector<ColorRGB>& colors, int delay) {
    GraphicsControlBlock control = {};
    control.DisposalMode = DISPOSE_DO_NOT;
    control.DelayTime = delay;
    control.TransparentColor = NO_TRANSPARENT_COLOR;
    GifByteType extension[4];
    const size_t length = EGifGCBToExtension(&control, extension);
    if (EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(length), extension) != GIF_OK) return false;
    if (EGifPutImageDesc(gif, 0, 0, frame.width, frame.height, false, nullptr) != GIF_OK) return false;
    std::vector<GifPixelType> row(static_cast<size_t>(frame.width));
    for (int y = 0; y < frame.height; ++y) {
        for (int x = 0; x < frame.width; ++x)
            row[x] = static_cast<GifPixelType>(std::find(colors.begin(), colors.end(), frame.at(x, y)) - colors.begin());
        if (EGifPutLine(gif, row.data(), frame.width) != GIF_OK) return false;
    }
    return true;
}

}  // namespace

int gifFrameDelay(int fps) { return std::max(1, (100 + fps / 2) / std::max(fps, 1)); }

bool encodeGif(const std::vector<CellImage>& frames, int fps, std::string& bytes) {
    bytes.clear();
    if (frames.empty()) return false;
    const std::vector<ColorRGB> colors = frameColors(frames);
    const auto map = colorMap(colors);
    if (colors.size() > largestColorTable || !map) return false;
    GifWriter gif(EGifOpen(&bytes, appendBytes, nullptr));
    if (!gif) return false;
    EGifSetGifVersion(gif.get(), true);
    const CellImage& first = frames.front();
    bool written = EGifPutScreenDesc(gif.get(), first.width, first.height, 8, 0, map.get()) == GIF_OK &&
                   putLoopForever(gif.get());
    for (size_t i = 0; written && i < frames.size(); ++i)
        written = putFrame(gif.get(), frames[i], colors, gifFrameDelay(fps));
    // Closing writes the trailer byte; it frees the writer whatever it returns.
    written = EGifCloseFile(gif.release(), nullptr) == GIF_OK && written;
    if (!written) bytes.clear();
    return written;
}
