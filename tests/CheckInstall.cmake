# Installs the build into a scratch prefix and checks that every installed
# file a desktop, a software centre and man need is where it belongs.
file(REMOVE_RECURSE ${STAGE_DIR})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${STAGE_DIR}
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${result}")
endif()
set(icons share/icons/hicolor)
set(paths
    bin/orvandeler
    share/applications/${DESKTOP_ID}.desktop
    share/metainfo/${DESKTOP_ID}.metainfo.xml
    share/mime/packages/${DESKTOP_ID}.xml
    ${icons}/scalable/apps/orvandeler.svg
    share/doc/orvandeler/copyright
    share/doc/orvandeler/changelog.gz
    share/man/man1/orvandeler.1.gz
    share/man/ja/man1/orvandeler.1.gz)
foreach(size ${ICON_SIZES})
    list(APPEND paths ${icons}/${size}x${size}/apps/orvandeler.png)
endforeach()
foreach(path ${paths})
    if(NOT EXISTS ${STAGE_DIR}/${path})
        message(FATAL_ERROR "not installed: ${path}")
    endif()
endforeach()

# Each PNG is as large as the folder it lies in says: the header holds width
# and height right after the IHDR tag.
foreach(size ${ICON_SIZES})
    file(READ ${STAGE_DIR}/${icons}/${size}x${size}/apps/orvandeler.png header HEX OFFSET 16 LIMIT 8)
    string(SUBSTRING "${header}" 0 8 width)
    string(SUBSTRING "${header}" 8 8 height)
    math(EXPR width "0x${width}")
    math(EXPR height "0x${height}")
    if(NOT width EQUAL size OR NOT height EQUAL size)
        message(FATAL_ERROR "the ${size} pixel icon is ${width} x ${height}")
    endif()
endforeach()

# man finds both pages once the prefix is on its path.
find_program(MAN man)
if(MAN)
    foreach(language en ja)
        execute_process(COMMAND ${CMAKE_COMMAND} -E env MANPATH=${STAGE_DIR}/share/man
                                ${MAN} -L ${language} -w orvandeler
                        OUTPUT_VARIABLE page OUTPUT_STRIP_TRAILING_WHITESPACE)
        if(language STREQUAL ja)
            set(expected ${STAGE_DIR}/share/man/ja/man1/orvandeler.1.gz)
        else()
            set(expected ${STAGE_DIR}/share/man/man1/orvandeler.1.gz)
        endif()
        if(NOT page STREQUAL expected)
            message(FATAL_ERROR "man -L ${language} -w orvandeler found '${page}'")
        endif()
    endforeach()
endif()

# The metainfo, the desktop entry and the icons agree with each other.
if(APPSTREAMCLI)
    execute_process(COMMAND ${APPSTREAMCLI} validate-tree --pedantic --no-net --no-color ${STAGE_DIR}
                    RESULT_VARIABLE result OUTPUT_VARIABLE report ERROR_VARIABLE report)
    if(NOT result EQUAL 0 OR report MATCHES "(^|\n)[EWIP]:")
        message(FATAL_ERROR "appstreamcli validate-tree: ${report}")
    endif()
endif()
message(STATUS "install layout complete")
