// filemessage.h - a message that names files: whole for the log, fitted to a
// narrow line for the window.
//
// The message is built from parts: plain text, a file's path, and the system's
// reason for what went wrong with the file named before it. In full every part
// is as given. Fitted to a width, every reason is shown whole, in short words
// ("No such file" for "No such file or directory"), and the names give way:
// first to their base names, then, the longest first, shortened in the middle
// with "..." (the built-in font has no ellipsis glyph), and at last, where even
// that leaves no room for the reason, to "..." alone.
//
//     const FileMessage m = FileMessage().text("Cannot trace ").name(path).reason(why);
//     m.full();        // "Cannot trace /home/ann/pictures/cat.png: No such file or directory"
//     m.fitted(40);    // "Cannot trace cat.png: No such file"
#ifndef TESSARY_FILEMESSAGE_H
#define TESSARY_FILEMESSAGE_H

#include <cstddef>
#include <string>
#include <vector>

class FileMessage {
public:
    FileMessage& text(const std::string& words);
    FileMessage& name(const std::string& path);
    // ": <reason>", after the name it belongs to.
    FileMessage& reason(const std::string& systemWords);

    std::string full() const;
    // At most `width` characters: the reasons whole while the text around the
    // names leaves room for them; only past that is the end cut.
    std::string fitted(std::size_t width) const;

private:
    enum class Kind { text, name, reason };
    struct Part {
        Kind kind;
        std::string words;
    };
    std::vector<Part> parts;
};

// The system's words for a reason as a narrow line shows them: short where they are long.
std::string shortReason(const std::string& systemWords);

// `path` without its folders; a path that ends in a slash keeps its last name.
std::string baseName(const std::string& path);

// `name` in at most `width` characters, its middle replaced by "..." when it is
// longer; never shorter than its first and last characters around the dots.
std::string shortenedInMiddle(const std::string& name, std::size_t width);

#endif
