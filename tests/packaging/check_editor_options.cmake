cmake_minimum_required(VERSION 3.25)
# The editor's --help and --version: printed, exit status 0, with no display to open a
# window on (so a window would make them fail).
set(ENV{DISPLAY} "")
set(ENV{WAYLAND_DISPLAY} "")
set(ENV{QT_QPA_PLATFORM} "")
foreach(case "--help;usage: qorvan-logo \\[PROJECT\\].*--version"
             "-h;usage: qorvan-logo"
             "--version;^qorvan-logo ${VERSION}\n$"
             "some.kuz;--version;^qorvan-logo ${VERSION}\n$")
    list(POP_BACK case expected)
    execute_process(COMMAND ${EDITOR} ${case} RESULT_VARIABLE status OUTPUT_VARIABLE out
                    ERROR_VARIABLE err TIMEOUT 20)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "qorvan-logo ${case}: exit status ${status}\n${err}")
    endif()
    if(NOT out MATCHES "${expected}")
        message(FATAL_ERROR "qorvan-logo ${case} printed:\n${out}\nexpected to match: ${expected}")
    endif()
endforeach()
