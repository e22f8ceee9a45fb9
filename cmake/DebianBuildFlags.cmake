# A Release build is the one the Debian package is made from, so it takes the
# distribution's hardening from dpkg-buildflags as a Debian package build
# does: fortified functions, the stack protector, format checks, read-only
# relocations bound at start. The build type keeps the optimisation it chose.
# Debugging information and the prefix map that names the build folder are
# left out: the package strips its programs, and the map would keep builds in
# different folders from sharing a compiler cache.
if(CMAKE_BUILD_TYPE STREQUAL "Release")
    find_program(QUELVO_DPKG_BUILDFLAGS dpkg-buildflags)
endif()

function(quelvo_debian_flags kind out)
    execute_process(
        COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
                ${QUELVO_DPKG_BUILDFLAGS} --get ${kind}
        OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
    separate_arguments(flags UNIX_COMMAND "${flags}")
    list(FILTER flags EXCLUDE REGEX "^-(g|O).*$|^-f(file|debug)-prefix-map=")
    set(${out} ${flags} PARENT_SCOPE)
endfunction()

if(QUELVO_DPKG_BUILDFLAGS)
    quelvo_debian_flags(CPPFLAGS cppflags)
    quelvo_debian_flags(CXXFLAGS cxxflags)
    quelvo_debian_flags(LDFLAGS ldflags)
    add_compile_options(${cppflags} ${cxxflags})
    add_link_options(${ldflags})
endif()
