# cmake -DBUILD_DIR=<build> -DPROBES=<target>=<header>,... -P CheckLayerProbes.cmake
# Builds each probe target alone; each includes a header its library must not see, so each must fail
# to compile for want of exactly that header.
cmake_minimum_required(VERSION 3.25)

string(REPLACE "," ";" probes "${PROBES}")
set(faults "")
foreach(probe ${probes})
  string(REPLACE "=" ";" parts "${probe}")
  list(GET parts 0 target)
  list(GET parts 1 header)
  execute_process(
    COMMAND ${CMAKE_COMMAND} --build ${BUILD_DIR} --target ${target}
    RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
  string(REPLACE "." "\\." header_pattern "${header}")
  if(result EQUAL 0)
    list(APPEND faults "${target} compiled: ${header} is visible where it must not be")
  elseif(NOT output MATCHES "${header_pattern}'?(: No such file| file not found)")
    list(APPEND faults "${target} failed for another reason:\n${output}")
  endif()
endforeach()

if(faults)
  list(JOIN faults "\n  " text)
  message(FATAL_ERROR "Layer probes:\n  ${text}")
endif()
list(LENGTH probes count)
message(STATUS "${count} headers out of reach where they must be")
