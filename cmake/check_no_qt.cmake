# Fails when a source or header below DIR includes a Qt header. Run by every
# core library's build; the folders ui/ hold the only Qt code of a program
# (with the window tests, benchmarks and, directly below DIR, the tours in
# tools/).
file(GLOB_RECURSE sources ${DIR}/*.h ${DIR}/*.hpp ${DIR}/*.cpp ${DIR}/*.cc)
set(offenders "")
foreach(source IN LISTS sources)
  if(source MATCHES "/(ui|tests|bench|fuzz)/")
    continue()
  endif()
  file(RELATIVE_PATH relative ${DIR} ${source})
  if(relative MATCHES "^tools/")
    continue()
  endif()
  file(STRINGS ${source} hits REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"](Q[A-Za-z]|qt|Qt)")
  if(hits)
    list(APPEND offenders "${source}: ${hits}")
  endif()
endforeach()
if(offenders)
  list(JOIN offenders "\n" text)
  message(FATAL_ERROR "Qt headers in Qt-free code:\n${text}")
endif()
