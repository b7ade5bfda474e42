# The release archive: talmoran-<version>-win64.zip holding talmoran.exe,
# README.md, LICENSE, the administrators' script for other accounts
# (Set-DrivePolicyForAccounts.ps1) and SHA256SUMS at its root. Build it with cpack after
# building talmoran (scripts/package.sh does both).

# The files shipped beside talmoran.exe, from the source tree; this list is the
# one place that names them. The archive holds them at its root, and
# scripts/package.sh checks it against release-files.txt, written here.
set(talmoran_release_files README.md LICENSE accounts/Set-DrivePolicyForAccounts.ps1)
install(TARGETS talmoran RUNTIME DESTINATION .)
install(FILES ${talmoran_release_files} DESTINATION .)
set(talmoran_shipped talmoran.exe)
foreach(file IN LISTS talmoran_release_files)
    cmake_path(GET file FILENAME name)
    list(APPEND talmoran_shipped ${name})
endforeach()
list(JOIN talmoran_shipped "\n" shipped_lines)
file(WRITE ${CMAKE_BINARY_DIR}/release-files.txt "${shipped_lines}\n")
install(CODE "set(talmoran_shipped \"${talmoran_shipped}\")")

# SHA256SUMS is written at install time from the files as installed, so that
# it describes each of the other files exactly as the archive holds it. DESTDIR is honoured the same
# way CMake's own install rules honour it; cpack stages by setting
# CMAKE_INSTALL_PREFIX to its staging folder.
install(CODE [[
    set(talmoran_root "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")
    # scripts/package.sh hands over the signed exe when it signs one.
    if(DEFINED ENV{TALMORAN_RELEASE_EXE})
        file(COPY_FILE "$ENV{TALMORAN_RELEASE_EXE}" "${talmoran_root}/talmoran.exe")
    endif()
    set(talmoran_sums "")
    foreach(name IN LISTS talmoran_shipped)
        if(NOT EXISTS "${talmoran_root}/${name}")
            message(FATAL_ERROR "SHA256SUMS: ${talmoran_root}/${name} was not installed")
        endif()
        file(SHA256 "${talmoran_root}/${name}" talmoran_hash)
        string(APPEND talmoran_sums "${talmoran_hash}  ${name}\n")
    endforeach()
    message(STATUS "Writing: ${talmoran_root}/SHA256SUMS")
    file(WRITE "${talmoran_root}/SHA256SUMS" "${talmoran_sums}")
    list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${talmoran_root}/SHA256SUMS")
]])

# cpack and make install build their preinstall target first, which by default
# is every target, the tests included; the archive only needs talmoran, which
# scripts/package.sh builds before running cpack.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME Talmoran)
set(CPACK_PACKAGE_VENDOR "The Talmoran authors")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_FILE_NAME "talmoran-${PROJECT_VERSION}-win64")
# The files sit at the root of the archive, not in a folder named after it.
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_VERBATIM_VARIABLES ON)
include(CPack)
