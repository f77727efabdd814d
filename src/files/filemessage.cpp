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

// A message's parts as a narrow line shows them, with what may give way.
struct Shown {
    std::vector<std::string> words;
    std::vector<std::string> names;  // the base name of each name part; empty for the others
    std::vector<bool> reasons;

    std::size_t length() const {
        std::size_t length = 0;
        for (const std::string& part : words) length += part.size();
        return length;
    }

    // The names as their base names, when the message is too long for `width`.
    void baseNames(std::size_t width) {
        if (length() <= width) return;
        for (std::size_t i = 0; i < words.size(); ++i) {
            if (!names[i].empty()) words[i] = names[i];
        }
    }

    // A reason with details after its first clause ("damaged PNG: ...") keeps
    // only the clause when even the shortest names leave no room for the details.
    void reasonClauses(std::size_t width) {
        std::size_t spared = 0;  // what the names can give at most
        for (std::size_t i = 0; i < words.size(); ++i) {
            if (!names[i].empty()) spared += words[i].size() - std::min(words[i].size(), shortestName);
        }
        for (std::size_t i = 0; i < words.size() && length() - spared > width; ++i) {
            const std::size_t clause = words[i].find(": ", 2);
            if (reasons[i] && clause != std::string::npos) words[i].erase(clause);
        }
    }

    // The length when every name is at most the dots alone.
    std::size_t lengthWithDotsForNames() const {
        std::size_t length = 0;
        for (std::size_t i = 0; i < words.size(); ++i)
            length += names[i].empty() ? words[i].size() : std::min(words[i].size(), dots.size());
        return length;
    }

    // The longest name gives way a character at a time, down to its first and
    // last characters around the dots; past that, when it is what keeps the
    // reason whole, to the dots alone.
    void shrinkNames(std::size_t width) {
        const std::size_t shortest = lengthWithDotsForNames() <= width ? dots.size() : shortestName;
        while (length() > width) {
            std::size_t longest = words.size();
            for (std::size_t i = 0; i < words.size(); ++i) {
                const bool mayShrink = !names[i].empty() && words[i].size() > shortest;
                if (mayShrink && (longest == words.size() || words[i].size() > words[longest].size())) longest = i;
            }
            if (longest == words.size()) return;
            const std::size_t size = words[longest].size();
            words[longest] = size > shortestName ? shortenedInMiddle(names[longest], size - 1) : dots;
        }
    }
};

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
    Shown shown;
    for (const Part& part : parts) {
        shown.words.push_back(part.kind == Kind::reason ? ": " + shortReason(part.words) : part.words);
        shown.names.push_back(part.kind == Kind::name ? baseName(part.words) : "");
        shown.reasons.push_back(part.kind == Kind::reason);
    }
    shown.baseNames(width);
    shown.reasonClauses(width);
    shown.shrinkNames(width);
    std::string all;
    for (const std::string& words : shown.words) all += words;
    return all.substr(0, width);
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
