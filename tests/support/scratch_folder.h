// scratch_folder.h - removes a test's temporary folder: "" when it went or was
// gone already, else "<folder>: <reason>" (something still writes there) for
// the test to hear of, neither an abort nor a leftover.
#ifndef TESSARY_TEST_SCRATCH_FOLDER_H
#define TESSARY_TEST_SCRATCH_FOLDER_H

#include <filesystem>
#include <string>

inline std::string removeScratchFolder(const std::filesystem::path& folder) {
    std::error_code error;
    if (std::filesystem::symlink_status(folder, error).type() == std::filesystem::file_type::not_found) return "";
    if (!error) std::filesystem::remove_all(folder, error);
    return error ? folder.string() + ": " + error.message() : "";
}

#endif
