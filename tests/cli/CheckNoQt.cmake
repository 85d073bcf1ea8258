# SPDX-License-Identifier: MIT
# Fails when the program named by PROGRAM needs a Qt library at run time.
execute_process(COMMAND ldd ${PROGRAM} OUTPUT_VARIABLE libraries RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "ldd could not read ${PROGRAM}")
endif()
if(libraries MATCHES "libQt[0-9]*[A-Za-z]*")
  message(FATAL_ERROR "${PROGRAM} links Qt:\n${libraries}")
endif()
message(STATUS "${PROGRAM} links no Qt library")
