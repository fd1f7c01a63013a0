# Runs a generator (TOOL) again into OUT and fails unless it writes at least
# MIN_FILES files and every one equals the file of that name in REFERENCE
# (the build's own output).
if(NOT DEFINED MIN_FILES)
  message(FATAL_ERROR "MIN_FILES not given")
endif()
file(REMOVE_RECURSE ${OUT})
execute_process(COMMAND ${TOOL} ${OUT} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "generator failed: ${result}")
endif()
file(GLOB written RELATIVE ${OUT} ${OUT}/*)
list(LENGTH written count)
if(count LESS MIN_FILES)
  message(FATAL_ERROR "generator wrote only ${count} files, expected ${MIN_FILES}")
endif()
foreach(name IN LISTS written)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUT}/${name} ${REFERENCE}/${name}
                  RESULT_VARIABLE differs)
  if(NOT differs EQUAL 0)
    message(FATAL_ERROR "${name} differs between two runs")
  endif()
endforeach()
message(STATUS "${count} files identical")
