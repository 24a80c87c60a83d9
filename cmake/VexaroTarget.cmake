# Settings every target of ours shares: warnings, and narrow literals in code
# page 936 so that "下一题" in a source file has the bytes a page gives.
function(vexaro_target_settings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -fexec-charset=CP936)
    if(WIN32)
        target_link_options(${target} PRIVATE -static -static-libgcc -static-libstdc++)
    endif()
endfunction()

# Every program of ours: the shared settings, and the allocation functions
# that turn a failed allocation into the runtime error report.
function(vexaro_executable target)
    vexaro_target_settings(${target})
    target_link_libraries(${target} PRIVATE vexaro_allocation)
endfunction()
