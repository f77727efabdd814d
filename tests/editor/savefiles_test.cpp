// savefiles_test.cpp - what saving and exporting do to the user's files: links,
// permission bits, a directory the user may not write in, files with the names
// of temporaries, a directory at one name, a full device. Each case compares
// every file of the working directory afterwards, bytes and mode.
#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <optional>
#include <thread>

#include "export.h"
#include "file_fixture.h"
#include "filereplace.h"
#include "slotcommands.h"

namespace {

namespace fs = std::filesystem;

// Every entry under the working directory, sorted: "name -> target" for a
// link, "name/ mode" for a directory, "name mode bytes" for a file.
std::vector<std::string> directorySnapshot() {
    std::vector<std::string> entries;
    for (const auto& entry : fs::recursive_directory_iterator(".")) {
        const std::string name = entry.path().string().substr(2);  // without "./"
        struct stat info;
        lstat(entry.path().c_str(), &info);
        char mode[8];
        std::snprintf(mode, sizeof mode, "%o", static_cast<unsigned>(info.st_mode & 07777));
        if (S_ISLNK(info.st_mode)) {
            entries.push_back(name + " -> " + fs::read_symlink(entry.path()).string());
        } else if (S_ISDIR(info.st_mode)) {
            entries.push_back(name + "/ " + mode);
        } else {
            entries.push_back(name + " " + mode + " " + readFile(entry.path().c_str()));
        }
    }
    std::sort(entries.begin(), entries.end());
    return entries;
}

void writeFileWithMode(const char* name, const std::string& content, mode_t mode) {
    writeFile(name, content);
    chmod(name, mode);
}

// Runs `command` as a user without privileges when the tests run as root (to
// whom every directory is writable) and returns its result; nullopt when no
// such user can be taken on. No writer thread runs at the fork, nor at the
// child's end.
template <typename Command>
std::optional<bool> runUnprivileged(Command command) {
    if (geteuid() != 0) return command();
    stopCopyWriter();
    const pid_t child = fork();
    if (child == 0) {
        const gid_t nobody = 65534;
        if (setgroups(0, nullptr) != 0 || setgid(nobody) != 0 || setuid(nobody) != 0) _exit(2);
        const bool done = command();
        stopCopyWriter();
        _exit(done ? 0 : 1);
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) == 2)
        return std::nullopt;
    return WEXITSTATUS(status) == 0;
}

enum class Command { save, exportFiles };

struct WriterCase {
    const char* what;
    bool (*arrange)();                // false when the case cannot be set up here
    Command command;
    bool unprivileged;                // run the command without root's rights
    const char* report;               // standard error, "" when it succeeds
    std::vector<std::string> after;   // the directory snapshot
};

void PrintTo(const WriterCase& c, std::ostream* os) { *os << c.what; }

class SaveFiles : public FileTest, public ::testing::WithParamInterface<WriterCase> {
protected:
    void SetUp() override {
        FileTest::SetUp();
        previousMask = umask(022);
    }
    void TearDown() override {
        chmod(".", 0755);
        umask(previousMask);
        FileTest::TearDown();
    }
    mode_t previousMask = 0;
};

TEST_P(SaveFiles, LeaveEveryOtherFileAlone) {
    const WriterCase& c = GetParam();
    SCOPED_TRACE(c.what);
    if (!c.arrange()) GTEST_SKIP() << "cannot be set up here";
    e.picture.addPoint(5, 5);
    e.picture.addLine(6, 6, 7, 7);
    const auto run = [this, &c] { return c.command == Command::save ? savePicture(e) : exportPicture(e.picture, 1, 0, 0); };
    ::testing::internal::CaptureStderr();
    const std::optional<bool> written = c.unprivileged ? runUnprivileged(run) : std::optional<bool>(run());
    const std::string report = ::testing::internal::GetCapturedStderr();
    if (!written) GTEST_SKIP() << "no unprivileged user to run as";
    EXPECT_EQ(*written, std::string(c.report).empty());
    EXPECT_EQ(report, c.report);
    EXPECT_EQ(directorySnapshot(), c.after);
}

// Files made at once on two threads (the copy's writer and the loop) both get
// the mode the umask gives, and the umask stays as it was.
TEST_F(FileTest, TwoThreadsCreatingFilesLeaveTheUmaskAsItWas) {
    const mode_t previous = umask(027);
    const auto create = [](char thread) {
        for (int i = 0; i < 200; ++i) replaceFile((thread + std::to_string(i)).c_str(), "x");
    };
    std::thread first(create, 'a'), second(create, 'b');
    first.join();
    second.join();
    EXPECT_EQ(umask(previous), 027u);
    const std::vector<std::string> files = directorySnapshot();
    EXPECT_EQ(files.size(), 400u);
    for (const std::string& file : files) EXPECT_NE(file.find(" 640 x"), std::string::npos) << file;
}

const char* const newPoints = "5 5 \n";
const char* const newLines = "6 6 7 7 \n\n";

INSTANTIATE_TEST_SUITE_P(
    Cases, SaveFiles,
    ::testing::Values(
        WriterCase{"a link keeps pointing at the file it names, which gets the new content",
                   [] {
                       fs::create_directory("shared");
                       writeFileWithMode("shared/a.txt", "1 1 \n", 0640);
                       fs::create_symlink("shared/a.txt", "pixels1.txt");
                       fs::create_symlink("shared/none.txt", "lines1.txt");
                       return true;
                   },
                   Command::save, false, "",
                   {"lines1.txt -> shared/none.txt", "pixels1.txt -> shared/a.txt", "shared/ 755",
                    "shared/a.txt 640 5 5 \n", "shared/none.txt 644 6 6 7 7 \n\n"}},
        WriterCase{"permission bits are kept",
                   [] {
                       writeFileWithMode("pixels1.txt", "1 1 \n", 0600);
                       writeFileWithMode("lines1.txt", "\n", 0604);
                       return true;
                   },
                   Command::save, false, "",
                   {std::string("lines1.txt 604 ") + newLines, std::string("pixels1.txt 600 ") + newPoints}},
        WriterCase{"a directory without write permission has its writable files rewritten in place",
                   [] {
                       writeFileWithMode("pixels1.txt", "1 1 \n", 0666);
                       writeFileWithMode("lines1.txt", "\n", 0666);
                       return chmod(".", 0555) == 0;
                   },
                   Command::save, true, "",
                   {std::string("lines1.txt 666 ") + newLines, std::string("pixels1.txt 666 ") + newPoints}},
        WriterCase{"files named like temporaries are not touched",
                   [] {
                       writeFile("pixels1.txt.bak", "mine");
                       writeFile("lines1.txt.tmp", "mine too");
                       return fs::create_directory("pixels1.txt.tmp");
                   },
                   Command::save, false, "",
                   {std::string("lines1.txt 644 ") + newLines, "lines1.txt.tmp 644 mine too",
                    std::string("pixels1.txt 644 ") + newPoints, "pixels1.txt.bak 644 mine", "pixels1.txt.tmp/ 755"}},
        WriterCase{"a full device takes nothing, and the points file gets its old content back",
                   [] {
                       writeFileWithMode("pixels1.txt", "1 1 \n", 0600);
                       fs::create_symlink("/dev/full", "lines1.txt");
                       return fs::is_character_file("/dev/full");
                   },
                   Command::save, false, "Save failed: lines1.txt: No space left on device\n",
                   {"lines1.txt -> /dev/full", "pixels1.txt 600 1 1 \n"}},
        WriterCase{"a points file that did not exist is removed again",
                   [] {
                       fs::create_symlink("/dev/full", "lines1.txt");
                       return fs::is_character_file("/dev/full");
                   },
                   Command::save, false,
                   "Save failed: lines1.txt: No space left on device\n", {"lines1.txt -> /dev/full"}},
        WriterCase{"an export file that cannot be written does not keep the other from being written",
                   [] { return fs::create_directory("epixels1.txt"); }, Command::exportFiles, false,
                   "Export failed: epixels1.txt: Is a directory\n", {"elines1.txt 644 6,6,7,7,\n\n", "epixels1.txt/ 755"}}),
    [](const ::testing::TestParamInfo<WriterCase>& param) { return "case" + std::to_string(param.index); });

}  // namespace
