# Runs the include check on a source tree with a known fault: passes when the check fails and
# its report matches EXPECTED.
execute_process(COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${SOURCE_DIR} -P ${CHECK}
                RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(result EQUAL 0)
  message(FATAL_ERROR "The check accepted ${SOURCE_DIR}:\n${output}")
endif()
if(NOT output MATCHES "${EXPECTED}")
  message(FATAL_ERROR "The check failed without naming the fault (${EXPECTED}):\n${output}")
endif()
message(STATUS "Rejected as expected:\n${output}")
