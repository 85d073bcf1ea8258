# SPDX-License-Identifier: MIT
# Joins the help page from its beginning, each calculator's section and its end.
# Variables: HELP_DIR (this folder), OUTPUT (the help file to write).
set(sections radixer ipsubnet latency prefix)
file(READ "${HELP_DIR}/help-begin.html" page)
foreach(section ${sections})
  set(fragment "${HELP_DIR}/${section}.html-fragment")
  if(EXISTS "${fragment}")
    file(READ "${fragment}" text)
    string(APPEND page "<section id=\"${section}\">\n${text}\n</section>\n")
  endif()
endforeach()
file(READ "${HELP_DIR}/help-end.html" text)
string(APPEND page "${text}")
file(WRITE "${OUTPUT}.new" "${page}")
file(RENAME "${OUTPUT}.new" "${OUTPUT}")
