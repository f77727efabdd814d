// scratch_folder.h - removing a test's temporary folder, and saying what could not be.
//
// Only a folder that is gone already is no failure: anything else (a file
// that appears or vanishes while it goes, because something still writes
// there) is what the test must hear of, not an abort nor a silent leftover.
//
//     const std::string failed = removeScratchFolder(folder);  // "" when it went
#ifndef TESSARY_TEST_SCRATCH_FOLDER_H
#define TESSARY_TEST_SCRATCH_FOLDER_H

#include <filesystem>
#include <string>

// Removes `folder` and everything in it; "<folder>: <reason>" when that failed.
std::string removeScratchFolder(const std::filesystem::path& folder);

#endif
