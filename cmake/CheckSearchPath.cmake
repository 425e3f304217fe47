# cmake -DFILES=<elf files separated by ;> -P CheckSearchPath.cmake
#
# Fails when a file's RPATH or RUNPATH holds an empty entry: the loader reads one as the working
# directory, so a library planted there would be loaded.
find_program(READELF readelf REQUIRED)
foreach(file IN LISTS FILES)
  execute_process(COMMAND ${READELF} -d ${file} OUTPUT_VARIABLE dynamic RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${file}: readelf failed")
  endif()
  string(REGEX MATCHALL "\\((RPATH|RUNPATH)\\)[^\n]*" entries "${dynamic}")
  foreach(entry IN LISTS entries)
    string(REGEX REPLACE ".*\\[(.*)\\].*" "\\1" path "${entry}")
    if(path STREQUAL "" OR path MATCHES "(^:|::|:$)")
      message(FATAL_ERROR "${file}: empty search path entry in '${path}'")
    endif()
    message(STATUS "${file}: ${path}")
  endforeach()
endforeach()
