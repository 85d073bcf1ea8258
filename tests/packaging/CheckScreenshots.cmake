# SPDX-License-Identifier: MIT
# Renders every page into OUTPUT and fails when an <image> of METAINFO names
# a picture the renderer did not write.
file(REMOVE_RECURSE ${OUTPUT})
execute_process(COMMAND ${RENDER} ${OUTPUT} RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "parlamine_render failed: ${result}")
endif()
file(READ ${METAINFO} metainfo)
string(REGEX MATCHALL "<image>[^<]*</image>" images "${metainfo}")
if(NOT images)
  message(FATAL_ERROR "no screenshot in ${METAINFO}")
endif()
foreach(image IN LISTS images)
  string(REGEX REPLACE "^<image>.*/([^/<]+)</image>$" "\\1" name "${image}")
  if(NOT EXISTS "${OUTPUT}/${name}")
    message(FATAL_ERROR "${image} names a picture the renderer does not write (${name})")
  endif()
endforeach()
