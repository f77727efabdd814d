// svgfile.cpp - SVG text from a cell image: runs of equal cells, a path per colour.
#include "svgfile.h"

#include <cstdio>
#include <utility>
#include <vector>

static std::string hexColor(ColorRGB color) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", color.r & 0xFF, color.g & 0xFF, color.b & 0xFF);
    return text;
}

// Path data per colour, in the order the colours first appear row by row.
using ColorPaths = std::vector<std::pair<ColorRGB, std::string>>;

static std::string& pathOf(ColorPaths& paths, ColorRGB color) {
    for (auto& path : paths) {
        if (path.first == color) return path.second;
    }
    paths.emplace_back(color, std::string());
    return paths.back().second;
}

static void appendRun(std::string& path, int x, int y, int length) {
    char run[64];
    std::snprintf(run, sizeof run, "M%d %dh%dv1h-%dz", x, y, length, length);
    path += run;
}

// Every maximal horizontal run of cells that are not the background.
static ColorPaths runsByColor(const CellImage& image) {
    ColorPaths paths;
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width;) {
            const ColorRGB color = image.at(x, y);
            int end = x + 1;
            while (end < image.width && image.at(end, y) == color) ++end;
            if (color != image.background) appendRun(pathOf(paths, color), x, y, end - x);
            x = end;
        }
    }
    return paths;
}

std::string encodeSvg(const CellImage& image) {
    char header[400];
    std::snprintf(header, sizeof header,
                  "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                  "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"%d\" height=\"%d\" "
                  "viewBox=\"0 0 %d %d\" shape-rendering=\"crispEdges\">\n"
                  "<rect width=\"%d\" height=\"%d\" fill=\"%s\"/>\n",
                  image.width, image.height, image.width, image.height, image.width, image.height,
                  hexColor(image.background).c_str());
    std::string svg = header;
    for (const auto& [color, path] : runsByColor(image)) {
        svg += "<path fill=\"" + hexColor(color) + "\" d=\"" + path + "\"/>\n";
    }
    svg += "</svg>\n";
    return svg;
}
