#!/bin/sh
# shlibdeps-any-sdl.sh - dpkg-shlibdeps for CPack, with the SDL 1.2 dependency
# widened to either library that provides libSDL-1.2.so.0: the original
# (libsdl1.2debian) or sdl12-compat over SDL2 (libsdl1.2-compat).
# cmake/install.cmake points CPack's SHLIBDEPS_EXECUTABLE here; the arguments
# and the other output lines pass through unchanged.
set -e
out=$(dpkg-shlibdeps "$@")
printf '%s\n' "$out" | sed 's/\(libsdl1\.2debian\( ([^)]*)\)\?\)/\1 | libsdl1.2-compat/'
