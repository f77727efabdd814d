// traceimage.cpp - reading a PNG or BMP file into the canvas-sized image to trace over.
#include "traceimage.h"

#include <fcntl.h>
#include <png.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

// Half up: the nearest whole value of num / den, den > 0.
std::uint64_t rounded(std::uint64_t num, std::uint64_t den) { return (2 * num + den) / (2 * den); }

// Why an image of that size is refused, or "" when it is not.
std::string sizeRefusal(long long width, long long height) {
    if (width <= traceMaxSide && height <= traceMaxSide && width * height <= traceMaxPixels) return "";
    return "too large: " + std::to_string(width) + " x " + std::to_string(height) + " pixels";
}

using File = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

// Counts the rows a reading has done against all it will do, for a TraceProgress.
class RowCount {
public:
    RowCount(TraceProgress* progress, long long rows) : progress(progress), rows(std::max(rows, 1LL)) {}
    // False when the reading is to stop before the next row.
    bool goOn() const { return progress == nullptr || !progress->cancelled; }
    void rowDone() {
        const int now = static_cast<int>(++done * 100 / rows);
        if (now == percent) return;
        percent = now;
        if (progress != nullptr && progress->moved) progress->moved(percent);
    }

private:
    TraceProgress* progress;
    long long rows, done = 0;
    int percent = 0;
};

// The file opened for reading, if it is a regular file; otherwise why not. A
// FIFO or device is refused before it could block or stream forever.
File openRegular(const std::string& path, std::string& reason) {
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        reason = std::strerror(errno);
        return File(nullptr, std::fclose);
    }
    struct stat info = {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        reason = S_ISDIR(info.st_mode) ? std::strerror(EISDIR) : "not a regular file";
        close(fd);
        return File(nullptr, std::fclose);
    }
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    File file(fdopen(fd, "rb"), std::fclose);
    if (!file) {
        reason = std::strerror(errno);
        close(fd);
    }
    return file;
}

// --- PNG -------------------------------------------------------------------

// libpng reports an error by calling this, which jumps back to readPng's setjmp
// with the message kept; warnings are dropped.
struct PngErrors {
    std::jmp_buf jump;
    char message[200] = "";
};

[[noreturn]] void pngError(png_structp png, png_const_charp message) {
    PngErrors* errors = static_cast<PngErrors*>(png_get_error_ptr(png));
    std::snprintf(errors->message, sizeof errors->message, "%s", message);
    std::longjmp(errors->jump, 1);
}

void pngWarning(png_structp, png_const_charp) {}

// libpng's source of bytes: the file, read through a function of our own so
// that a reading is cancelled as its bytes are read, and a chunk is refused
// as soon as its length claims more bytes than the file holds. libpng skips
// and checksums the chunks it does not keep by reading them through, a few
// hundred bytes at a time, so a file of long chunks can take seconds (or
// forever, on a file that claims more than it holds) before any row is read.
struct PngSource {
    std::FILE* file;
    long long fileSize;
    const TraceProgress* progress;
    long long position = 0;    // of the next byte libpng reads
    long long chunkStart = 8;  // of the next chunk's length field, after the signature
    std::uint32_t chunkLength = 0;
    int lengthBytesSeen = 0;

    // Follows the chunks through the bytes just read: each length, once its
    // four bytes went by, must leave room in the file for its data and CRC.
    void followChunks(png_structp png, const png_byte* bytes, size_t count) {
        const long long end = position + static_cast<long long>(count);
        for (long long at = chunkStart + lengthBytesSeen; at < end; at = chunkStart + lengthBytesSeen) {
            chunkLength = chunkLength << 8 | bytes[at - position];
            if (++lengthBytesSeen < 4) continue;
            const long long chunkEnd = chunkStart + 12 + chunkLength;  // length, type, data, CRC
            if (chunkEnd > fileSize) png_error(png, "a chunk claims more than the file holds");
            chunkStart = chunkEnd;
            chunkLength = 0;
            lengthBytesSeen = 0;
        }
        position = end;
    }
};

void pngRead(png_structp png, png_bytep bytes, size_t count) {
    PngSource& source = *static_cast<PngSource*>(png_get_io_ptr(png));
    if (source.progress != nullptr && source.progress->cancelled) png_error(png, traceCancelled);
    if (std::fread(bytes, 1, count, source.file) != count) png_error(png, "Read Error");
    source.followChunks(png, bytes, count);
}

struct PngReader {
    png_structp png = nullptr;
    png_infop info = nullptr;
    PngErrors errors;
    std::vector<png_byte> row;
    std::unique_ptr<TraceFitter> fitter;
    ~PngReader() { png_destroy_read_struct(&png, &info, nullptr); }
};

// Every colour type and bit depth becomes r, g, b bytes, with a fourth for
// alpha where the image has any: palettes and low bit depths expanded, a
// transparent colour (tRNS) made alpha, 16 bits cut to 8, grey spread to three
// channels. The zlib stream's own check is skipped: every chunk's CRC already
// covers the same bytes, and the check would cost a tenth of the read.
void normaliseToRgb8(png_structp png) {
    png_set_expand(png);
    png_set_strip_16(png);
    png_set_gray_to_rgb(png);
    png_set_option(png, PNG_IGNORE_ADLER32, PNG_OPTION_ON);
}

// A chunk libpng still keeps in memory (the palette and its transparency) is
// never larger than this; a file claiming more is refused, not believed.
constexpr png_alloc_size_t pngChunkMemoryLimit = 64 * 1024;

// Reads only what drawing needs, so that memory follows the image and not
// what a file claims: every ancillary chunk but tRNS (text, profiles, unknown
// ones) is skipped unread, however long it says it is, and the sides are
// limited to those traced.
void readOnlyWhatDrawingNeeds(png_structp png) {
    png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, nullptr, -1);
    png_set_chunk_malloc_max(png, pngChunkMemoryLimit);
    png_set_user_limits(png, traceMaxSide, traceMaxSide);
}

// The rows of all passes.
long long pngRows(int width, int height, bool interlaced) {
    if (!interlaced) return height;
    long long rows = 0;
    for (int pass = 0; pass < PNG_INTERLACE_ADAM7_PASSES; ++pass)
        if (PNG_PASS_COLS(width, pass) != 0) rows += PNG_PASS_ROWS(height, pass);
    return rows;
}

// Rows in file order. An interlaced image is left interlaced, so that no
// whole image is ever held: each pass's rows hold every 2nd..8th pixel of
// some rows, handed to the fitter where they lie. False when the reading was
// cancelled.
bool readPngRows(PngReader& reader, int width, int height, int channels, bool interlaced, RowCount& count) {
    const int passes = interlaced ? PNG_INTERLACE_ADAM7_PASSES : 1;
    for (int pass = 0; pass < passes; ++pass) {
        const int columns = interlaced ? PNG_PASS_COLS(width, pass) : width;
        const int rows = interlaced ? PNG_PASS_ROWS(height, pass) : height;
        if (columns == 0 || rows == 0) continue;  // libpng skips empty passes too
        const int firstColumn = interlaced ? PNG_PASS_START_COL(pass) : 0;
        const int step = interlaced ? 1 << PNG_PASS_COL_SHIFT(pass) : 1;
        for (int r = 0; r < rows; ++r) {
            if (!count.goOn()) return false;
            png_read_row(reader.png, reader.row.data(), nullptr);
            const int y = interlaced ? static_cast<int>(PNG_ROW_FROM_PASS_ROW(r, pass)) : r;
            reader.fitter->addPixels(y, firstColumn, step, reader.row.data(), channels, columns);
            count.rowDone();
        }
    }
    return true;
}

TraceRead readPng(std::FILE* file, long long fileSize, TraceProgress* progress) {
    PngReader reader;
    PngSource source = {file, fileSize, progress};
    reader.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &reader.errors, pngError, pngWarning);
    if (reader.png) reader.info = png_create_info_struct(reader.png);
    if (!reader.info) return {std::nullopt, "out of memory"};
    // Set once the header is read; volatile, as it changes between setjmp and a longjmp back.
    volatile png_uint_32 width = 0, height = 0;
    if (setjmp(reader.errors.jump)) {
        if (progress != nullptr && progress->cancelled) return {std::nullopt, traceCancelled, width, height};
        return {std::nullopt, std::string("damaged PNG: ") + reader.errors.message, width, height};
    }
    png_set_read_fn(reader.png, &source, pngRead);
    readOnlyWhatDrawingNeeds(reader.png);
    png_read_info(reader.png, reader.info);
    width = png_get_image_width(reader.png, reader.info);
    height = png_get_image_height(reader.png, reader.info);
    if (std::string refusal = sizeRefusal(width, height); !refusal.empty()) return {std::nullopt, refusal, width, height};
    const bool interlaced = png_get_interlace_type(reader.png, reader.info) == PNG_INTERLACE_ADAM7;
    normaliseToRgb8(reader.png);
    png_read_update_info(reader.png, reader.info);
    const int channels = png_get_channels(reader.png, reader.info);
    if ((channels != 3 && channels != 4) || png_get_rowbytes(reader.png, reader.info) != size_t{width} * channels)
        return {std::nullopt, "unsupported PNG", width, height};
    reader.row.resize(size_t{width} * channels);
    reader.fitter = std::make_unique<TraceFitter>(width, height);
    RowCount count(progress, pngRows(width, height, interlaced));
    if (!readPngRows(reader, static_cast<int>(width), static_cast<int>(height), channels, interlaced, count))
        return {std::nullopt, traceCancelled, width, height};
    return {reader.fitter->finish(), "", width, height};
}

// --- BMP -------------------------------------------------------------------

const char unsupportedBmp[] = "unsupported BMP: not 24 or 32 bits per pixel";

// The value of the pixel at `bytes`, least significant byte first, from its own bytes only.
Uint32 pixelValue(const Uint8* bytes, int bytesPerPixel) {
    Uint32 value = 0;
    for (int k = 0; k < bytesPerPixel; ++k) value |= static_cast<Uint32>(bytes[k]) << (8 * k);
    return value;
}

TraceRead fitSurface(const SDL_Surface& picture, TraceProgress* progress) {
    const int bytesPerPixel = picture.format->BytesPerPixel;
    if (bytesPerPixel != 3 && bytesPerPixel != 4)
        return {std::nullopt, unsupportedBmp, picture.w, picture.h};
    if (std::string refusal = sizeRefusal(picture.w, picture.h); !refusal.empty())
        return {std::nullopt, refusal, picture.w, picture.h};
    TraceFitter fitter(picture.w, picture.h);
    std::vector<std::uint8_t> row(static_cast<size_t>(picture.w) * 3);
    RowCount count(progress, picture.h);
    for (int y = 0; y < picture.h; ++y) {
        if (!count.goOn()) return {std::nullopt, traceCancelled, picture.w, picture.h};
        const Uint8* bytes = static_cast<const Uint8*>(picture.pixels) + static_cast<size_t>(picture.pitch) * y;
        for (int x = 0; x < picture.w; ++x) {
            Uint8* rgb = &row[static_cast<size_t>(x) * 3];
            SDL_GetRGB(pixelValue(bytes + x * bytesPerPixel, bytesPerPixel), picture.format, &rgb[0], &rgb[1], &rgb[2]);
        }
        fitter.addPixels(y, 0, 1, row.data(), 3, picture.w);
        count.rowDone();
    }
    return {fitter.finish(), "", picture.w, picture.h};
}

// The bytes the pixels of a BMP take: rows of 3 or 4 bytes a pixel, each
// padded to a multiple of 4 bytes.
long long bmpPixelBytes(long long width, long long height, int bitsPerPixel) {
    return (width * bitsPerPixel / 8 + 3) / 4 * 4 * height;
}

// Why a BMP cannot be traced or cannot be what its header claims, or empty:
// shorter than the smallest header, not 24 or 32 bits a pixel (the only ones
// drawn), larger than any image traced, or shorter than its pixels need.
// Looked at before SDL decodes it, since SDL allocates the whole picture
// first: a small file claiming a huge one is refused without that.
std::string implausibleBmp(std::FILE* file, long long fileSize) {
    // The file header and the picture header up to its bit count: 26 bytes
    // for the oldest, shortest form, 30 for every later one.
    unsigned char header[30] = {};
    const size_t got = std::fread(header, 1, sizeof header, file);
    std::rewind(file);
    const auto number = [&header](int at, int bytes) {
        std::uint32_t value = 0;
        for (int k = 0; k < bytes; ++k) value |= static_cast<std::uint32_t>(header[at + k]) << (8 * k);
        return value;
    };
    const bool coreHeader = got >= 18 && number(14, 4) == 12;  // the oldest form: 16-bit sizes
    if (got < (coreHeader ? 26u : 30u)) return "damaged BMP: shorter than its header";
    const long long width = coreHeader ? number(18, 2) : std::llabs(static_cast<std::int32_t>(number(18, 4)));
    const long long height = coreHeader ? number(20, 2) : std::llabs(static_cast<std::int32_t>(number(22, 4)));
    const int bitsPerPixel = static_cast<int>(coreHeader ? number(24, 2) : number(28, 2));
    if (bitsPerPixel != 24 && bitsPerPixel != 32) return unsupportedBmp;
    if (std::string refusal = sizeRefusal(width, height); !refusal.empty()) return refusal;
    if (bmpPixelBytes(width, height, bitsPerPixel) > fileSize) return "damaged BMP: shorter than its size says";
    return "";
}

// SDL's stream over the file, which fails every read once the reading is
// cancelled, so that SDL stops decoding at the next row.
struct BmpSource {
    std::FILE* file;
    const TraceProgress* progress;
};

int SDLCALL bmpRead(SDL_RWops* stream, void* bytes, int size, int count) {
    const BmpSource& source = *static_cast<const BmpSource*>(stream->hidden.unknown.data1);
    if (source.progress != nullptr && source.progress->cancelled) return -1;
    const size_t got = std::fread(bytes, static_cast<size_t>(size), static_cast<size_t>(count), source.file);
    return got == 0 && std::ferror(source.file) ? -1 : static_cast<int>(got);
}

int SDLCALL bmpSeek(SDL_RWops* stream, int offset, int whence) {
    std::FILE* file = static_cast<const BmpSource*>(stream->hidden.unknown.data1)->file;
    return std::fseek(file, offset, whence) == 0 ? static_cast<int>(std::ftell(file)) : -1;
}

int SDLCALL bmpWrite(SDL_RWops*, const void*, int, int) { return -1; }
int SDLCALL bmpClose(SDL_RWops*) { return 0; }  // the file and the stream stay readBmp's to free

TraceRead readBmp(std::FILE* file, long long fileSize, TraceProgress* progress) {
    if (const std::string reason = implausibleBmp(file, fileSize); !reason.empty()) return {std::nullopt, reason};
    BmpSource source = {file, progress};
    std::unique_ptr<SDL_RWops, void (*)(SDL_RWops*)> stream(SDL_AllocRW(), SDL_FreeRW);
    if (!stream) return {std::nullopt, "out of memory"};
    stream->read = bmpRead;
    stream->seek = bmpSeek;
    stream->write = bmpWrite;
    stream->close = bmpClose;
    stream->hidden.unknown.data1 = &source;
    SDL_Surface* picture = SDL_LoadBMP_RW(stream.get(), 0);
    if (progress != nullptr && progress->cancelled) {
        SDL_FreeSurface(picture);
        return {std::nullopt, traceCancelled};
    }
    if (!picture) return {std::nullopt, std::string("damaged BMP: ") + SDL_GetError()};
    TraceRead read = fitSurface(*picture, progress);
    SDL_FreeSurface(picture);
    return read;
}

}  // namespace

ColorRGB blendOver(const TraceCell& cell, ColorRGB background) {
    const int clear = 255 - cell.coverage;
    const auto channel = [clear](int premultiplied, int under) { return premultiplied + (under * clear + 127) / 255; };
    return ColorRGB(channel(cell.r, background.r), channel(cell.g, background.g), channel(cell.b, background.b));
}

TraceFit fitToCanvas(long long width, long long height) {
    TraceFit fit = {0, 0, Image_Width, Image_Height};
    if (width * Image_Height >= height * Image_Width)
        fit.height = static_cast<int>(std::clamp<long long>(rounded(height * Image_Width, width), 1, Image_Height));
    else
        fit.width = static_cast<int>(std::clamp<long long>(rounded(width * Image_Height, height), 1, Image_Width));
    fit.left = (Image_Width - fit.width) / 2;
    fit.top = (Image_Height - fit.height) / 2;
    return fit;
}

std::vector<TraceFitter::CellRange> TraceFitter::axisCells(int pixels, int cells, int offset) {
    std::vector<CellRange> ranges(static_cast<size_t>(pixels), CellRange{0, -1});
    if (pixels >= cells) {
        for (int p = 0; p < pixels; ++p) {
            const int cell = offset + static_cast<int>(static_cast<long long>(p) * cells / pixels);
            ranges[p] = {cell, cell};
        }
        return ranges;
    }
    for (int c = 0; c < cells; ++c) {
        CellRange& range = ranges[static_cast<size_t>((2LL * c + 1) * pixels / (2LL * cells))];
        if (range.first > range.last) range.first = offset + c;
        range.last = offset + c;
    }
    return ranges;
}

TraceFitter::TraceFitter(int width, int height)
    : fit(fitToCanvas(width, height)), rowSums(Image_Width), sums(static_cast<size_t>(Image_Width) * Image_Height) {
    shrinking = width >= fit.width;
    columnCells = axisCells(width, fit.width, fit.left);
    rowCells = axisCells(height, fit.height, fit.top);
}

template <int channels>
void TraceFitter::sumRow(int firstColumn, int step, const std::uint8_t* pixels, int count) {
    if (shrinking) return sumRuns<channels>(firstColumn, step, pixels, count);
    for (int i = 0; i < count; ++i, pixels += channels) {
        const CellRange columns = columnCells[firstColumn + static_cast<size_t>(i) * step];
        const std::uint32_t a = channels == 4 ? pixels[3] : 255;
        for (int cx = columns.first; cx <= columns.last; ++cx) {
            Sum<std::uint32_t>& sum = rowSums[cx];
            sum.r += pixels[0] * a;
            sum.g += pixels[1] * a;
            sum.b += pixels[2] * a;
            sum.a += a;
            sum.count += 1;
        }
    }
}

// Shrinking, each pixel goes to one cell, and pixels in order go to cells in
// order: each run of pixels of one cell is summed in registers, then stored.
template <int channels>
void TraceFitter::sumRuns(int firstColumn, int step, const std::uint8_t* pixels, int count) {
    Sum<std::uint32_t> run;
    int cell = count > 0 ? columnCells[firstColumn].first : 0;
    for (int i = 0; i < count; ++i, pixels += channels) {
        const int next = columnCells[firstColumn + static_cast<size_t>(i) * step].first;
        if (next != cell) {
            rowSums[cell] = run;
            run = {};
            cell = next;
        }
        const std::uint32_t a = channels == 4 ? pixels[3] : 255;
        run.r += pixels[0] * a;
        run.g += pixels[1] * a;
        run.b += pixels[2] * a;
        run.a += a;
        run.count += 1;
    }
    if (count > 0) rowSums[cell] = run;
}

void TraceFitter::addPixels(int y, int firstColumn, int step, const std::uint8_t* pixels, int channels, int count) {
    const CellRange rows = rowCells[y];
    if (rows.first > rows.last) return;  // a row no cell's centre lies in
    std::fill(rowSums.begin(), rowSums.end(), Sum<std::uint32_t>{});
    if (channels == 4) sumRow<4>(firstColumn, step, pixels, count);
    else sumRow<3>(firstColumn, step, pixels, count);
    for (int cy = rows.first; cy <= rows.last; ++cy) {
        for (int cx = 0; cx < Image_Width; ++cx) {
            const Sum<std::uint32_t>& row = rowSums[cx];
            Sum<std::uint64_t>& sum = sums[static_cast<size_t>(cy) * Image_Width + cx];
            sum.r += row.r;
            sum.g += row.g;
            sum.b += row.b;
            sum.a += row.a;
            sum.count += row.count;
        }
    }
}

TraceImage TraceFitter::finish() const {
    TraceImage image;
    image.fit = fit;
    for (size_t i = 0; i < sums.size(); ++i) {
        const Sum<std::uint64_t>& sum = sums[i];
        if (sum.count == 0) continue;
        TraceCell& cell = image.cells[i];
        cell.r = static_cast<std::uint8_t>(rounded(sum.r, 255 * sum.count));
        cell.g = static_cast<std::uint8_t>(rounded(sum.g, 255 * sum.count));
        cell.b = static_cast<std::uint8_t>(rounded(sum.b, 255 * sum.count));
        cell.coverage = static_cast<std::uint8_t>(rounded(sum.a, sum.count));
    }
    return image;
}

TraceRead readTraceImage(const std::string& path, TraceProgress* progress) {
    std::string reason;
    const File file = openRegular(path, reason);
    if (!file) return {std::nullopt, reason};
    png_byte signature[8] = {};
    const size_t got = std::fread(signature, 1, sizeof signature, file.get());
    if (std::ferror(file.get())) return {std::nullopt, std::strerror(errno)};
    std::rewind(file.get());
    struct stat info = {};
    const long long fileSize = fstat(fileno(file.get()), &info) == 0 ? info.st_size : 0;
    if (got == sizeof signature && png_sig_cmp(signature, 0, sizeof signature) == 0)
        return readPng(file.get(), fileSize, progress);
    if (got >= 2 && signature[0] == 'B' && signature[1] == 'M') return readBmp(file.get(), fileSize, progress);
    return {std::nullopt, "not a PNG or BMP image"};
}
