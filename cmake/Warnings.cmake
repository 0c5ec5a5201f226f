# Compile options shared by every target of our own code.
add_library(rollpath_options INTERFACE)
target_compile_options(rollpath_options INTERFACE -Wall -Wextra -Wpedantic -Werror)

if(ROLLPATH_SANITIZE)
    target_compile_options(rollpath_options INTERFACE
        -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    target_link_options(rollpath_options INTERFACE -fsanitize=address,undefined)
endif()
