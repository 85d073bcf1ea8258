# SPDX-License-Identifier: MIT
# The helpers every folder builds its targets with, and the check that keeps
# the layers apart. See docs/ARCHITECTURE.md.
#
#   parlamine_core_library(NAME LAYER layer SOURCES core/a.cpp ... [LINKS lib ...])
#   parlamine_ui_library(NAME LAYER layer SOURCES a.cpp ... [LINKS lib ...]
#                        [INCLUDE_DIR dir] [IMAGE_DIR dir IMAGES a.svg ...])
#   parlamine_program(NAME SOURCES main.cpp ... [LINKS lib ...])
#   parlamine_register_layer(TARGET layer kind)   for a target made another way
#                                                  (kind: core, ui or program)
#
# A core library is plain C++: its headers are in the folder's core/, it gets
# no Qt include path and may link only other core libraries, so a Qt include in
# a core fails the build. A ui library holds the folder's widgets, its headers
# beside them (or in INCLUDE_DIR). Headers are included by their bare file name.

# Lowest first. A library may link libraries of its own layer or a lower one.
set(PARLAMINE_LAYERS resources support controls calculator window program)

function(parlamine_register_layer target layer kind)
  list(FIND PARLAMINE_LAYERS "${layer}" rank)
  if(rank LESS 0)
    message(FATAL_ERROR "${target}: unknown layer '${layer}' (one of: ${PARLAMINE_LAYERS})")
  endif()
  set_property(TARGET ${target} PROPERTY PARLAMINE_LAYER "${layer}")
  set_property(TARGET ${target} PROPERTY PARLAMINE_KIND "${kind}")
  set_property(GLOBAL APPEND PROPERTY PARLAMINE_TARGETS ${target})
endfunction()

function(parlamine_core_library name)
  cmake_parse_arguments(A "" "LAYER" "SOURCES;LINKS" ${ARGN})
  add_library(${name} STATIC ${A_SOURCES})
  target_link_libraries(${name} PUBLIC parlamine_options ${A_LINKS})
  target_include_directories(${name} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/core)
  set_target_properties(${name} PROPERTIES AUTOMOC OFF AUTOUIC OFF AUTORCC OFF)
  parlamine_register_layer(${name} "${A_LAYER}" core)
endfunction()

function(parlamine_ui_library name)
  cmake_parse_arguments(A "" "LAYER;INCLUDE_DIR;IMAGE_DIR" "SOURCES;LINKS;IMAGES" ${ARGN})
  if(NOT A_INCLUDE_DIR)
    set(A_INCLUDE_DIR ${CMAKE_CURRENT_SOURCE_DIR})
  endif()
  add_library(${name} STATIC ${A_SOURCES})
  target_link_libraries(${name} PUBLIC parlamine_options Qt6::Widgets Qt6::Svg ${A_LINKS})
  target_include_directories(${name} PUBLIC ${A_INCLUDE_DIR})
  target_compile_definitions(${name} PRIVATE QT_NO_CAST_FROM_BYTEARRAY QT_NO_URL_CAST_FROM_STRING)
  if(A_IMAGES)
    list(TRANSFORM A_IMAGES PREPEND "${A_IMAGE_DIR}/" OUTPUT_VARIABLE image_files)
    qt_add_resources(${name} "${name}_images" PREFIX "/images" BASE ${A_IMAGE_DIR} FILES ${image_files})
  endif()
  parlamine_register_layer(${name} "${A_LAYER}" ui)
endfunction()

function(parlamine_program name)
  cmake_parse_arguments(A "" "" "SOURCES;LINKS" ${ARGN})
  add_executable(${name} ${A_SOURCES})
  target_link_libraries(${name} PRIVATE parlamine_options ${A_LINKS})
  parlamine_register_layer(${name} program program)
endfunction()

# Installs a man page compressed, as Debian wants it: gzip -9 without a time
# stamp, so two builds of the same page give the same bytes.
function(parlamine_install_man_page page section)
  get_filename_component(name ${page} NAME)
  set(compressed ${CMAKE_CURRENT_BINARY_DIR}/${name}.gz)
  add_custom_command(OUTPUT ${compressed}
    COMMAND gzip -9n -c ${page} > ${compressed}
    DEPENDS ${page} COMMENT "Compressing the man page ${name}")
  add_custom_target(${name}_man_page ALL DEPENDS ${compressed})
  include(GNUInstallDirs)
  install(FILES ${compressed} DESTINATION ${CMAKE_INSTALL_MANDIR}/man${section})
endfunction()

# Fails the configuration when a registered target links a library of a
# higher layer, a calculator links another calculator, or a core links
# anything but other cores (Qt above all).
function(parlamine_check_layers)
  get_property(targets GLOBAL PROPERTY PARLAMINE_TARGETS)
  set(problems "")
  foreach(target IN LISTS targets)
    get_target_property(layer ${target} PARLAMINE_LAYER)
    get_target_property(kind ${target} PARLAMINE_KIND)
    list(FIND PARLAMINE_LAYERS "${layer}" rank)
    get_target_property(links ${target} LINK_LIBRARIES)
    if(NOT links)
      set(links "")
    endif()
    foreach(link IN LISTS links)
      if(link STREQUAL "parlamine_options")
        continue()
      endif()
      set(link_layer "")
      set(link_kind "")
      if(TARGET ${link})
        get_target_property(link_layer ${link} PARLAMINE_LAYER)
        get_target_property(link_kind ${link} PARLAMINE_KIND)
      endif()
      if(kind STREQUAL "core")
        if(NOT link_kind STREQUAL "core")
          string(APPEND problems "\n  ${target} is a core library but links ${link}")
          continue()
        endif()
      endif()
      # Calculators stand side by side: what two of them share belongs to a
      # lower layer. A calculator's libraries are named <calculator>_<kind>.
      if(layer STREQUAL "calculator" AND link_layer STREQUAL "calculator")
        string(REGEX REPLACE "_[^_]*$" "" own_name "${target}")
        string(REGEX REPLACE "_[^_]*$" "" link_name "${link}")
        if(NOT own_name STREQUAL link_name)
          string(APPEND problems "\n  ${target} links ${link} of another calculator")
          continue()
        endif()
      endif()
      if(link_layer)
        list(FIND PARLAMINE_LAYERS "${link_layer}" link_rank)
        if(link_rank GREATER rank)
          string(APPEND problems "\n  ${target} (${layer}) links ${link} of the higher layer ${link_layer}")
        endif()
      endif()
    endforeach()
  endforeach()
  if(problems)
    message(FATAL_ERROR "Layer check failed (lowest first: ${PARLAMINE_LAYERS}):${problems}")
  endif()
endfunction()
