// filereplace.h - writing a whole file so that it is either all new or untouched.
#ifndef TESSARY_FILEREPLACE_H
#define TESSARY_FILEREPLACE_H

#include <string>

// Writes `bytes` beside `path` and renames the result over it. Returns false,
// leaving `path` as it was and nothing beside it, when any step failed.
bool replaceFile(const char* path, const std::string& bytes);

#endif
