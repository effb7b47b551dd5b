# Fails when the driver processes reach into the client, or the protocol
# into anything but itself:
# - every #include "adapter/..." in driver/ names a file of corvane_protocol;
# - the protocol's own files include no project header but the protocol's.
#
#   cmake -DROOT=<source dir> -DPROTOCOL_FILES="A.h|B.cpp|..." -P CheckProtocolIncludes.cmake
cmake_minimum_required(VERSION 3.25)
string(REPLACE "|" ";" protocol_files "${PROTOCOL_FILES}")
set(allowed)
foreach(f ${protocol_files})
  list(APPEND allowed "adapter/${f}")
endforeach()

set(faults)
# Appends to `faults` each project include of `file` that `allowed` lacks;
# `only_adapter` limits the check to adapter/ headers.
function(check_includes file only_adapter)
  file(STRINGS "${file}" lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
  file(RELATIVE_PATH shown "${ROOT}" "${file}")
  foreach(line ${lines})
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]+)\".*" "\\1" header "${line}")
    if(only_adapter AND NOT header MATCHES "^adapter/")
      continue()
    endif()
    if(NOT header IN_LIST allowed)
      list(APPEND faults "${shown} includes ${header}, which is not part of corvane_protocol")
    endif()
  endforeach()
  set(faults ${faults} PARENT_SCOPE)
endfunction()

file(GLOB_RECURSE driver_files "${ROOT}/driver/*.h" "${ROOT}/driver/*.cpp")
foreach(f ${driver_files})
  check_includes("${f}" TRUE)
endforeach()
foreach(f ${protocol_files})
  check_includes("${ROOT}/adapter/${f}" FALSE)
endforeach()

list(LENGTH driver_files driver_count)
if(driver_count EQUAL 0)
  message(FATAL_ERROR "no driver sources under ${ROOT}/driver")
endif()
if(faults)
  list(JOIN faults "\n" text)
  message(FATAL_ERROR "${text}")
endif()
message(STATUS "${driver_count} driver files include only the protocol; the protocol only itself")
