# Builds a MIME database from the package file alone and checks that
# shared-mime-info read the session type from it: update-mime-database
# reports a malformed file but still exits 0.
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR}/packages)
file(COPY ${MIME_FILE} DESTINATION ${WORK_DIR}/packages)
execute_process(COMMAND ${UPDATE_MIME_DATABASE} ${WORK_DIR}
                RESULT_VARIABLE result OUTPUT_VARIABLE report ERROR_VARIABLE report)
if(NOT result EQUAL 0 OR report MATCHES "[Ff]ail|[Ee]rror|[Ww]arning")
    message(FATAL_ERROR "update-mime-database: ${report}")
endif()
file(READ ${WORK_DIR}/globs2 globs)
file(READ ${WORK_DIR}/subclasses subclasses)
if(NOT globs MATCHES "\n[0-9]+:application/x-orvandeler-session:\\*\\.orvandeler\n"
   OR NOT subclasses MATCHES "application/x-orvandeler-session application/json")
    message(FATAL_ERROR "the session type is not in the database:\n${globs}\n${subclasses}")
endif()
