# Compile options shared by every target of our own code.
add_library(rollpath_options INTERFACE)
target_compile_options(rollpath_options INTERFACE -Wall -Wextra -Wpedantic -Werror)

if(ROLLPATH_SANITIZE)
    target_compile_options(rollpath_options INTERFACE
        -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    target_link_options(rollpath_options INTERFACE -fsanitize=address,undefined)
endif()

# The fuzz build instruments all of our code for coverage; only the fuzz
# targets themselves link libFuzzer's main.
if(ROLLPATH_FUZZ)
    if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
        message(FATAL_ERROR "ROLLPATH_FUZZ needs clang (CXX=clang++)")
    endif()
    target_compile_options(rollpath_options INTERFACE
        -fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    target_link_options(rollpath_options INTERFACE -fsanitize=address,undefined)
endif()

# No fused multiply-add unless the code asks for one: contracting a * b + c
# changes the last bits with the target's instruction set, and those bits
# reach the saved files, which must be the same wherever they were written.
if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
    target_compile_options(rollpath_options INTERFACE -ffp-contract=off)
endif()
