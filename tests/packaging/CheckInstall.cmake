# SPDX-License-Identifier: MIT
# Installs the build into a fresh PREFIX and fails on the first missing file.
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX} RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${result}")
endif()
set(expected bin/parlamine share/parlamine/OUI.txt "share/parlamine/Parlamine Help.html"
    share/applications/${APP_ID}.desktop share/icons/hicolor/scalable/apps/${APP_ID}.svg
    share/metainfo/${APP_ID}.metainfo.xml share/man/man1/parlamine.1.gz share/doc/parlamine/copyright share/doc/parlamine/CLI.md
    bin/parlamine-cli share/man/man1/parlamine-cli.1.gz share/bash-completion/completions/parlamine-cli)
foreach(size 16 24 32 48 64 128 256)
  list(APPEND expected share/icons/hicolor/${size}x${size}/apps/${APP_ID}.png)
endforeach()
foreach(file IN LISTS expected)
  if(NOT EXISTS "${PREFIX}/${file}")
    message(FATAL_ERROR "missing after install: ${file}")
  endif()
endforeach()
