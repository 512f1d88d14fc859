# Dependencies run one way, downward:
#   platform <- hostapi <- langservice <- core <- store <- card, display, search, settings <- plugin
# and the host sees platform and hostapi only. Each folder is compiled against a folder
# of links to itself and the folders below it, and nothing else, so an include against
# the direction does not build. Its consumers see the same links, which only ever name
# folders below them too.
function(vesk_layer target)
  cmake_parse_arguments(LAYER "" "" "SEES" ${ARGN})
  set(dir ${CMAKE_BINARY_DIR}/layers/${target})
  file(MAKE_DIRECTORY ${dir})
  foreach(folder ${LAYER_SEES})
    if(NOT IS_SYMLINK ${dir}/${folder})
      file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${folder} ${dir}/${folder} SYMBOLIC)
    endif()
  endforeach()
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "INTERFACE_LIBRARY")
    target_include_directories(${target} INTERFACE ${dir})
  else()
    target_include_directories(${target} PUBLIC ${dir})
  endif()
endfunction()

# The folders each product folder may see: itself and what lies below it.
set(VESK_SEES_PLATFORM platform)
set(VESK_SEES_HOSTAPI ${VESK_SEES_PLATFORM} hostapi)
set(VESK_SEES_LANGSERVICE ${VESK_SEES_HOSTAPI} langservice)
set(VESK_SEES_CORE ${VESK_SEES_LANGSERVICE} core)
set(VESK_SEES_STORE ${VESK_SEES_CORE} store)
# The four subsystems stand side by side: each sees the store and below, not the others.
set(VESK_SEES_CARD ${VESK_SEES_STORE} card)
set(VESK_SEES_DISPLAY ${VESK_SEES_STORE} display)
set(VESK_SEES_SEARCH ${VESK_SEES_STORE} search)
set(VESK_SEES_SETTINGS ${VESK_SEES_STORE} settings)
set(VESK_SEES_PLUGIN ${VESK_SEES_STORE} card display search settings plugin)
