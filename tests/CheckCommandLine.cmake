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
    "--export,a.doc,s.orvandeler|2|-|cannot tell the format of 'a.doc'"
    "--help|0|--orientation FILE|-")

# Exports, with no display: each writes its file whole and says nothing, or
# says what the window would and writes nothing. @W@ is a scratch folder.
set(W ${WORK_DIR})
file(REMOVE_RECURSE ${W})
file(MAKE_DIRECTORY ${W})
file(WRITE ${W}/s.orvandeler [=[{"orvandeler": 1, "view": "hex-full", "plotSize": 30, "lineWidth": "2",
 "entries": [{"plane": [1, 0, 2]}, {"plane": [1, 1, 0]}]}]=])
file(WRITE ${W}/free.orvandeler [=[{"orvandeler": 1, "view": "free",
 "crystal": {"system": "hexagonal", "a": 2.665, "c": 4.947}, "centre": [0, 0, 1],
 "entries": [{"plane": [1, 0, 1]}, {"direction": [1, 0, 0]}]}]=])
# Euler (10, 20, 30) at zero tilt, tilted to alpha 5, beta -3: drawn at
# (1.389597, 24.690945, 39.157350), as worked out apart with numpy.
file(WRITE ${W}/held.orvandeler [=[{"orvandeler": 2, "view": "free",
 "crystal": {"system": "cubic", "a": 2.8665}, "euler": [10, 20, 30], "tilt": [5, -3],
 "entries": [{"plane": [1, 1, 0]}]}]=])
file(WRITE ${W}/beyond.orvandeler [=[{"orvandeler": 2, "view": "free",
 "crystal": {"system": "cubic", "a": 2.8665}, "euler": [10, 20, 30], "tilt": [35, 0],
 "entries": []}]=])
# Ferrite in austenite by Kurdjumov-Sachs, one plane each.
file(WRITE ${W}/ks.orvandeler [=[{"orvandeler": 2, "view": "free",
 "crystal": {"system": "cubic", "a": 3.6}, "centre": [0, 0, 1],
 "second": {"crystal": {"system": "cubic", "a": 2.87}, "relation": {"name": "KS"}, "variant": 3,
  "entries": [{"plane": [0, 1, 1]}]},
 "entries": [{"plane": [1, 1, 1]}]}]=])
file(WRITE ${W}/list.txt "# planes\n(1 2 3)\n1, 1, 0\n")
file(WRITE ${W}/al.cif "data_al\n_cell_length_a 4.0495\n_cell_length_b 4.0495\n_cell_length_c 4.0495\n_space_group_name_H-M_alt 'F m -3 m'\n")
file(WRITE ${W}/bad.txt "1 2 3\n1 2\n")
list(APPEND cases
    "--export,@W@/s.svg,@W@/s.orvandeler|0|-|-"
    "--export,@W@/s.pdf,@W@/s.orvandeler|0|-|-"
    "--dpi,96,--export,@W@/s.png,@W@/s.orvandeler|0|-|-"
    "--export,@W@/s.jpg,@W@/s.orvandeler|0|-|-"
    "--export,@W@/s.csv,@W@/s.orvandeler|0|-|-"
    "--export,@W@/free.svg,@W@/free.orvandeler|0|-|-"
    "--export,@W@/list.csv,@W@/list.txt|0|-|-"
    "--export,@W@/al.svg,@W@/al.cif|0|-|-"
    "--table,schmid,--slip,fcc,--export,@W@/schmid.csv,@W@/al.cif|0|-|-"
    "--table,schmid,--slip,basal,--export,@W@/basal.csv,@W@/al.cif|1|-|^orvandeler: すべり系 hcp 底面"
    "--table,schmid,--slip,fcc,--export,@W@/doc.csv,@W@/s.orvandeler|1|-|任意の結晶と方位"
    "--export,@W@/bad.svg,@W@/bad.txt|1|-|^orvandeler: ファイル「.*bad.txt」を開けませんでした\n2 行目「1 2」"
    "--export,@W@/none.svg,@W@/missing.orvandeler|1|-|ファイルがありません"
    "--export,@W@/no/folder.svg,@W@/s.orvandeler|1|-|保存できませんでした"
    "--export,@W@/held.svg,@W@/held.orvandeler|0|-|-"
    "--export,@W@/ks.csv,@W@/ks.orvandeler|0|-|-"
    "--table,variants,--export,@W@/variants.csv,@W@/ks.orvandeler|0|-|-"
    "--table,variants,--export,@W@/novariants.csv,@W@/free.orvandeler|1|-|第二の結晶がありません"
    "--orientation,@W@/held.orvandeler|0|^1.389597 24.690945 39.157350\n$|-"
    "--orientation,@W@/list.txt|0|^180.000000 90.000000 90.000000\n$|-"
    "--orientation,@W@/beyond.orvandeler|1|-|^orvandeler: ファイル「.*」を開けませんでした\n「tilt」: 傾斜 α は −30° から 30° まで"
    "--orientation|2|-|--orientation needs a FILE"
    "--orientation,--dpi,96,@W@/held.orvandeler|2|-|--orientation prints")
foreach(case ${cases})
    string(REPLACE "|" ";" fields "${case}")
    list(GET fields 0 args)
    list(GET fields 1 expected_status)
    list(GET fields 2 expected_out)
    list(GET fields 3 expected_err)
    string(REPLACE "@W@" "${W}" args "${args}")
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

# What the exports wrote, and that the refused ones wrote nothing.
foreach(check "s.svg|^<\\?xml" "s.pdf|^%PDF-" "s.csv|^index,\\(0001\\),\\(10-10\\),\\(11-20\\)\n\"\\(1 0 -1 2\\)\",43.314,46.686,53.552\n"
              "list.csv|^index,\\[100\\],\\[110\\],\\[111\\]\n\"\\(3 2 1\\)\"" "free.svg|<circle" "held.svg|<circle"
              "al.svg|<circle" "schmid.csv|^plane,direction,m\n\"\\(1 1 1\\)\",\"\\[1 0 -1\\]\",-0.408\n"
              "ks.csv|^crystal,index,\\(100\\),\\(110\\),\\(111\\)\n1,\"\\(1 1 1\\)\",54.736,35.264,0.000\n2,\"\\(0 1 1\\)\",90.000,60.000,35.264\n$"
              "variants.csv|^variant,angle,axis\n1,0.000,—\n2,14.879,")
    string(REPLACE "|" ";" fields "${check}")
    list(GET fields 0 name)
    list(GET fields 1 pattern)
    file(READ ${W}/${name} content)
    if(NOT content MATCHES "${pattern}")
        message(SEND_ERROR "export ${name} does not match ${pattern}: ${content}")
    endif()
endforeach()
file(READ ${W}/s.png png HEX)
if(NOT png MATCHES "^89504e47")
    message(SEND_ERROR "export s.png is no PNG")
endif()
file(READ ${W}/s.jpg jpg HEX)
if(NOT jpg MATCHES "^ffd8")
    message(SEND_ERROR "export s.jpg is no JPEG")
endif()
foreach(absent bad.svg none.svg basal.csv doc.csv novariants.csv)
    if(EXISTS ${W}/${absent})
        message(SEND_ERROR "a refused export left ${absent}")
    endif()
endforeach()
