# chattle_add_test(<name> SOURCES <files...> LIBS <targets...> [TIMEOUT <seconds>] [SERVERS <servers...>]
#                  [SCALE_FACTORS <factors...>])
# One GoogleTest executable per test folder, run by CTest on Qt's offscreen platform. With SERVERS
# the executable runs once per IRC server (as <name>_<server>, CHATTLE_IRC_SERVER naming it); with
# SCALE_FACTORS once per screen scale (as <name>_x<factor>, QT_SCALE_FACTOR set to it).
function(chattle_add_test name)
  cmake_parse_arguments(ARG "" "TIMEOUT" "SOURCES;LIBS;SERVERS;SCALE_FACTORS" ${ARGN})
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 300)
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE chattle_test_main ${ARG_LIBS})
  set(environment "QT_QPA_PLATFORM=offscreen;ASAN_OPTIONS=detect_leaks=1;LSAN_OPTIONS=suppressions=${CMAKE_SOURCE_DIR}/tests/common/lsan.supp;UBSAN_OPTIONS=print_stacktrace=1")
  if(NOT ARG_SERVERS AND NOT ARG_SCALE_FACTORS)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES TIMEOUT ${ARG_TIMEOUT} ENVIRONMENT "${environment}")
  endif()
  foreach(server IN LISTS ARG_SERVERS)
    add_test(NAME ${name}_${server} COMMAND ${name})
    set_tests_properties(${name}_${server} PROPERTIES
      TIMEOUT ${ARG_TIMEOUT} ENVIRONMENT "${environment};CHATTLE_IRC_SERVER=${server}")
  endforeach()
  foreach(factor IN LISTS ARG_SCALE_FACTORS)
    add_test(NAME ${name}_x${factor} COMMAND ${name})
    set_tests_properties(${name}_x${factor} PROPERTIES
      TIMEOUT ${ARG_TIMEOUT} ENVIRONMENT "${environment};QT_SCALE_FACTOR=${factor}")
  endforeach()
endfunction()
