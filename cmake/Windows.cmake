# Windows build settings: Unicode entry points, a static runtime so that the
# only imports are system DLLs, and a hardened, reproducible image.
add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)
add_link_options(-static -static-libgcc -static-libstdc++)
add_link_options(LINKER:--dynamicbase LINKER:--high-entropy-va LINKER:--nxcompat LINKER:--no-insert-timestamp)
add_compile_options(-ffunction-sections -fdata-sections)
add_link_options(LINKER:--gc-sections)
add_compile_options(-ffile-prefix-map=${CMAKE_SOURCE_DIR}=. -ffile-prefix-map=${CMAKE_BINARY_DIR}=.)

# GoogleTest from the system's sources, built with the cross compiler.
# (Only the cross build has them there; a build on Windows itself passes
# -DBUILD_TESTING=OFF and builds talmoran.exe alone.)
if(BUILD_TESTING OR NOT DEFINED BUILD_TESTING)
    set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
endif()
