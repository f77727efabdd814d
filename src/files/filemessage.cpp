// filemessage.cpp - building a message that names files, and fitting it to a width.
#include "filemessage.h"

#include <algorithm>
#include <utility>

namespace {

const std::string dots = "...";
// A name shortened in the middle keeps at least one character on each side of the dots.
constexpr std::size_t shortestName = 5;

// The system's words that a narrow line shows shorter, and how.
const std::pair<const char*, const char*> shortWords[] = {
    {"No such file or directory", "No such file"},
    {"No space left on device", "No space left"},
    {"Too many levels of symbolic links", "Too many links"},
    {"Operation not permitted", "Not permitted"},
    {"Permission denied", "No permission"},
    {"Read-only file system", "Read-only"},
    {"Disk quota exceeded", "Over quota"},
};

// The longest name part that may still shrink; parts.size() when none may.
std::size_t longestName(const std::vector<std::string>& shown, const std::vector<bool>& isName) {
    std::size_t longest = shown.size();
    for (std::size_t i = 0; i < shown.size(); ++i) {
        if (!isName[i] || shown[i].size() <= shortestName) continue;
        if (longest == shown.size() || shown[i].size() > shown[longest].size()) longest = i;
    }
    return longest;
}

// The length of the longest name other than `than`, or 0.
std::size_t nextLongest(const std::vector<std::string>& shown, const std::vector<bool>& isName, std::size_t than) {
    std::size_t length = 0;
    for (std::size_t i = 0; i < shown.size(); ++i) {
        if (isName[i] && i != than) length = std::max(length, shown[i].size());
    }
    return length;
}

std::size_t totalLength(const std::vector<std::string>& shown) {
    std::size_t length = 0;
    for (const std::string& words : shown) length += words.size();
    return length;
}

std::string concatenated(const std::vector<std::string>& shown) {
    std::string all;
    for (const std::string& words : shown) all += words;
    return all;
}

}  // namespace

FileMessage& FileMessage::text(const std::string& words) {
    parts.push_back({Kind::text, words});
    return *this;
}

FileMessage& FileMessage::name(const std::string& path) {
    parts.push_back({Kind::name, path});
    return *this;
}

FileMessage& FileMessage::reason(const std::string& systemWords) {
    parts.push_back({Kind::reason, systemWords});
    return *this;
}

std::string FileMessage::full() const {
    std::string all;
    for (const Part& part : parts) all += (part.kind == Kind::reason ? ": " : "") + part.words;
    return all;
}

std::string FileMessage::fitted(std::size_t width) const {
    std::vector<std::string> shown;
    std::vector<bool> isName;
    for (const Part& part : parts) {
        shown.push_back(part.kind == Kind::reason ? ": " + shortReason(part.words) : part.words);
        isName.push_back(part.kind == Kind::name);
    }
    if (totalLength(shown) <= width) return concatenated(shown);
    for (std::size_t i = 0; i < shown.size(); ++i) {
        if (isName[i]) shown[i] = baseName(shown[i]);
    }
    // A reason with details after its first clause ("damaged PNG: ...") keeps
    // only the clause when even the shortest names leave no room for the details.
    std::size_t shortestNames = 0, names = 0;
    for (std::size_t i = 0; i < shown.size(); ++i) {
        if (!isName[i]) continue;
        names += shown[i].size();
        shortestNames += std::min(shown[i].size(), shortestName);
    }
    for (std::size_t i = 0; i < shown.size() && totalLength(shown) - names + shortestNames > width; ++i) {
        const std::size_t clause = shown[i].find(": ", 2);
        if (parts[i].kind == Kind::reason && clause != std::string::npos) shown[i].erase(clause);
    }
    // The longest name shrinks to the next longest, or as far as the excess asks.
    for (std::size_t longest = longestName(shown, isName); totalLength(shown) > width && longest < shown.size();
         longest = longestName(shown, isName)) {
        const std::size_t size = shown[longest].size();
        const std::size_t excess = totalLength(shown) - width;
        const std::size_t floor =
            std::max({shortestName, nextLongest(shown, isName, longest), size - std::min(size, excess)});
        const std::size_t target = floor < size ? floor : size - 1;
        shown[longest] = shortenedInMiddle(baseName(parts[longest].words), std::max(target, shortestName));
    }
    return concatenated(shown).substr(0, width);
}

std::string shortReason(const std::string& systemWords) {
    for (const auto& [words, shorter] : shortWords) {
        if (systemWords == words) return shorter;
    }
    return systemWords;
}

std::string baseName(const std::string& path) {
    const std::size_t end = path.find_last_not_of('/');
    if (end == std::string::npos) return path;
    const std::size_t slash = path.rfind('/', end);
    const std::size_t start = slash == std::string::npos ? 0 : slash + 1;
    return path.substr(start, end - start + 1);
}

std::string shortenedInMiddle(const std::string& name, std::size_t width) {
    width = std::max(width, shortestName);
    if (name.size() <= width) return name;
    const std::size_t kept = width - dots.size();
    std::size_t head = kept / 2;  // the end, with the file's extension, keeps the larger half
    // No dot of the name beside the dots, where it would read as one more.
    while (head + 1 < kept && name[name.size() - (kept - head)] == '.') ++head;
    while (head > 1 && name[head - 1] == '.') --head;
    return name.substr(0, head) + dots + name.substr(name.size() - (kept - head));
}
