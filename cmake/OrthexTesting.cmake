# orthex_add_test(NAME <name> SOURCES <files...> [LIBS <libs...>] [LABELS <labels...>] [AUDIO])
#
# Every test runs on the offscreen platform. A test that skips (QSKIP) shows as skipped in CTest.
# Tests labelled "audio" or "e2e" run from the Release build; the rest from the sanitizer build.
# AUDIO runs the test inside a private PulseAudio daemon (scripts/with-test-audio).
function(orthex_add_test)
  cmake_parse_arguments(T "AUDIO" "NAME" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE orthex_testing Qt6::Test ${T_LIBS})
  set(labels ${T_LABELS})
  if(T_AUDIO)
    list(APPEND labels audio)
    add_test(NAME ${T_NAME}
             COMMAND ${PROJECT_SOURCE_DIR}/scripts/with-test-audio $<TARGET_FILE:${T_NAME}>)
  else()
    add_test(NAME ${T_NAME} COMMAND ${T_NAME})
  endif()
  if(NOT labels)
    set(labels unit)
  endif()
  set_tests_properties(${T_NAME} PROPERTIES
    LABELS "${labels}"
    SKIP_REGULAR_EXPRESSION "^SKIP   : |\nSKIP   : "
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;ORTHEX_SOURCE_DIR=${PROJECT_SOURCE_DIR};ORTHEX_CLI=$<TARGET_FILE:orthex-cli>;ORTHEX_PROGRAM=$<TARGET_FILE:orthex>;LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/scripts/lsan.supp:print_suppressions=0;UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1"
    TIMEOUT 600)
endfunction()
