# Runs PROGRAM --manpage and stores what it prints in OUT; a program that
# fails stops the build instead of leaving an empty page behind.
execute_process(COMMAND ${PROGRAM} --manpage
  OUTPUT_VARIABLE page
  RESULT_VARIABLE status)
if(NOT status EQUAL 0 OR page STREQUAL "")
  message(FATAL_ERROR "${PROGRAM} --manpage failed (${status})")
endif()
get_filename_component(dir ${OUT} DIRECTORY)
file(MAKE_DIRECTORY ${dir})
file(WRITE ${OUT} "${page}")
