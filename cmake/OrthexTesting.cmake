# orthex_add_test(NAME <name> SOURCES <files...> [LIBS <libs...>] [LABELS <labels...>] [AUDIO]
#                 [LOCALES <locales...>])
#
# Every test runs on the offscreen platform. A test that skips (QSKIP) shows as skipped in CTest.
# Tests labelled "audio" or "e2e" run from the Release build; the rest from the sanitizer build.
# AUDIO runs the test inside a private PulseAudio daemon (scripts/with-test-audio).
# LOCALES runs the test once more under each locale given (LC_ALL), as <name>_<language>: for the
# fixed-format texts that a locale would otherwise write differently.
function(orthex_add_test)
  cmake_parse_arguments(T "AUDIO" "NAME" "SOURCES;LIBS;LABELS;LOCALES" ${ARGN})
  qt_add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE orthex_testing Qt6::Test ${T_LIBS})
  set(labels ${T_LABELS})
  if(T_AUDIO)
    list(APPEND labels audio)
    set(command ${PROJECT_SOURCE_DIR}/scripts/with-test-audio $<TARGET_FILE:${T_NAME}>)
  else()
    set(command ${T_NAME})
  endif()
  if(NOT labels)
    set(labels unit)
  endif()
  set(environment "QT_QPA_PLATFORM=offscreen;ORTHEX_SOURCE_DIR=${PROJECT_SOURCE_DIR};ORTHEX_CLI=$<TARGET_FILE:orthex-cli>;ORTHEX_PROGRAM=$<TARGET_FILE:orthex>;LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/scripts/lsan.supp:print_suppressions=0;UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1")
  set(variants ${T_NAME})
  add_test(NAME ${T_NAME} COMMAND ${command})
  set_tests_properties(${T_NAME} PROPERTIES ENVIRONMENT "${environment}")
  foreach(locale ${T_LOCALES})
    string(REGEX MATCH "^[a-z]+" language ${locale})
    add_test(NAME ${T_NAME}_${language} COMMAND ${command})
    set_tests_properties(${T_NAME}_${language} PROPERTIES ENVIRONMENT "${environment};LC_ALL=${locale}")
    list(APPEND variants ${T_NAME}_${language})
  endforeach()
  set_tests_properties(${variants} PROPERTIES
    LABELS "${labels}"
    SKIP_REGULAR_EXPRESSION "^SKIP   : |\nSKIP   : "
    TIMEOUT 600)
endfunction()
