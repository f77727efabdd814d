# hardening.cmake - the distribution's hardening for Release builds, the ones
# that are installed, packaged and benchmarked.
#
# Included by the top-level CMakeLists.txt before any target is defined. The
# flags are Debian's own, from dpkg-buildflags with every hardening feature on:
# fortified functions, the stack protector, read-only relocations bound at
# load time, and position-independent executables. Debug information and the
# optimisation level stay the build type's (-O3, no -g), so dpkg-buildflags is
# asked to leave out its -g -O2.

# Removes the .comment section (the compiler's version) from the file a target
# builds, as Debian's packaging does: from an executable, and from each object
# of a static library. Called for each installed target in the folder that
# defines it, since CMake attaches build steps to a target only there.
function(tessary_strip_comment target)
  if(CMAKE_BUILD_TYPE STREQUAL "Release")
    add_custom_command(TARGET ${target} POST_BUILD
      COMMAND ${CMAKE_OBJCOPY} --remove-section=.comment $<TARGET_FILE:${target}> VERBATIM)
  endif()
endfunction()

if(NOT CMAKE_BUILD_TYPE STREQUAL "Release")
  return()
endif()

find_program(DPKG_BUILDFLAGS dpkg-buildflags)
if(NOT DPKG_BUILDFLAGS)
  message(FATAL_ERROR "Release builds take their hardening flags from dpkg-buildflags: install dpkg-dev")
endif()

# The value of one of dpkg-buildflags' flag variables, as a list of arguments.
function(tessary_buildflags name result)
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
            "DEB_${name}_MAINT_STRIP=-g -O2" ${DPKG_BUILDFLAGS} --get ${name}
    WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}
    OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
  separate_arguments(flags UNIX_COMMAND "${flags}")
  set(${result} ${flags} PARENT_SCOPE)
endfunction()

tessary_buildflags(CPPFLAGS TESSARY_CPPFLAGS)
tessary_buildflags(CXXFLAGS TESSARY_CXXFLAGS)
tessary_buildflags(LDFLAGS TESSARY_LDFLAGS)
add_compile_options(${TESSARY_CPPFLAGS} ${TESSARY_CXXFLAGS})
add_link_options(${TESSARY_LDFLAGS})
list(JOIN TESSARY_CPPFLAGS " " cppflags)
list(JOIN TESSARY_CXXFLAGS " " cxxflags)
list(JOIN TESSARY_LDFLAGS " " ldflags)
message(STATUS "Hardening: ${cppflags} ${cxxflags} ${ldflags}")
