# Warnings as errors on every target of ours (not on GoogleTest).
function(talmoran_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Werror)
endfunction()

# Address and undefined-behaviour sanitizers in host debug builds.
option(TALMORAN_SANITIZE "Build the host code with ASan and UBSan" OFF)
if(TALMORAN_SANITIZE AND NOT WIN32)
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
    add_link_options(-fsanitize=address,undefined)
endif()
