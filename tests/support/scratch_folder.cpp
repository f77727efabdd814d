// scratch_folder.cpp - removing a test's temporary folder.
#include "scratch_folder.h"

#include <system_error>

std::string removeScratchFolder(const std::filesystem::path& folder) {
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::symlink_status(folder, error);
    if (status.type() == std::filesystem::file_type::not_found) return "";
    if (!error) std::filesystem::remove_all(folder, error);
    return error ? folder.string() + ": " + error.message() : "";
}
