# orthex_sources(CORE <files...> UI <files...>)
#
# A folder's files in the two libraries: CORE is logic without widgets (orthex_core), UI the
# pages, dialogs and widgets that bind it (orthex_ui). Each folder calls this once, so one place
# says where each of its files goes.
function(orthex_sources)
  cmake_parse_arguments(S "" "" "CORE;UI" ${ARGN})
  if(S_UNPARSED_ARGUMENTS)
    message(FATAL_ERROR "orthex_sources: name each file under CORE or UI: ${S_UNPARSED_ARGUMENTS}")
  endif()
  if(S_CORE)
    target_sources(orthex_core PRIVATE ${S_CORE})
  endif()
  if(S_UI)
    target_sources(orthex_ui PRIVATE ${S_UI})
  endif()
endfunction()
