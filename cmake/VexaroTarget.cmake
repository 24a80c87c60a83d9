# Settings every target of ours shares: warnings, and narrow literals in code
# page 936 so that "下一题" in a source file has the bytes a page gives.
function(vexaro_target_settings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -fexec-charset=CP936)
    if(WIN32)
        target_link_options(${target} PRIVATE -static -static-libgcc -static-libstdc++)
    endif()
endfunction()
