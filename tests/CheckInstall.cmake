# Installs the build into a scratch prefix and checks that every installed
# file a desktop needs is where it belongs.
file(REMOVE_RECURSE ${STAGE_DIR})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${STAGE_DIR}
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${result}")
endif()
foreach(path
        bin/orvandeler
        share/applications/org.orvandeler.Orvandeler.desktop
        share/icons/hicolor/64x64/apps/orvandeler.png)
    if(NOT EXISTS ${STAGE_DIR}/${path})
        message(FATAL_ERROR "not installed: ${path}")
    endif()
endforeach()
message(STATUS "install layout complete")
# The PNG header holds width and height right after the IHDR tag.
file(READ ${STAGE_DIR}/share/icons/hicolor/64x64/apps/orvandeler.png header HEX OFFSET 16 LIMIT 8)
if(NOT header STREQUAL "0000004000000040")
    message(FATAL_ERROR "the installed icon is not 64 x 64: ${header}")
endif()
