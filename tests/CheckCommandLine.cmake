# Runs the program with no display reachable and checks what its command line
# answers: each case is "arguments | exit status | regex on stdout | regex on
# stderr", with "," between arguments and "-" for an output that must be empty.
set(cases
    "--help|0|^Usage: orvandeler.*--version|-"
    "--version|0|^Orvandeler ${VERSION}\n|-"
    "-platform,offscreen,--version|0|^Orvandeler|-"
    "--style=fusion,--reverse,--help|0|^Usage|-"
    "--help,--version|0|^Usage|-"
    "--bogus|2|-|^orvandeler: unknown argument '--bogus'\nUsage: "
    "file.txt,--help|0|^Usage: .*--export OUT|-"
    "--help,-x|2|-|unknown argument '-x'"
    "--version,-style|2|-|^orvandeler: missing value for '-style'\nUsage: "
    "a.txt,b.txt|2|-|^orvandeler: more than one file: 'b.txt'\nUsage: "
    "--export,x.svg|2|-|--export needs a FILE"
    "--dpi,10,--export,a.png,s.orvandeler|2|-|--dpi takes a whole number from 72 to 2400"
    "--dpi,300,--export,a.svg,s.orvandeler|2|-|--dpi applies only to PNG and JPEG"
    "--export,a.doc,s.orvandeler|2|-|cannot tell the format of 'a.doc'")
foreach(case ${cases})
    string(REPLACE "|" ";" fields "${case}")
    list(GET fields 0 args)
    list(GET fields 1 expected_status)
    list(GET fields 2 expected_out)
    list(GET fields 3 expected_err)
    string(REPLACE "," ";" args "${args}")
    string(REPLACE ";" " " shown "${args}")
    execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY
                            --unset=QT_QPA_PLATFORM ${PROGRAM} ${args}
                    RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 20)
    if(NOT status STREQUAL expected_status)
        message(SEND_ERROR "orvandeler ${shown}: exit ${status}, expected ${expected_status}\n${err}")
    endif()
    foreach(stream out err)
        set(expected "${expected_${stream}}")
        if(expected STREQUAL "-")
            if(NOT "${${stream}}" STREQUAL "")
                message(SEND_ERROR "orvandeler ${shown}: std${stream} not empty: ${${stream}}")
            endif()
        elseif(NOT "${${stream}}" MATCHES "${expected}")
            message(SEND_ERROR "orvandeler ${shown}: std${stream} does not match ${expected}: ${${stream}}")
        endif()
    endforeach()
endforeach()
