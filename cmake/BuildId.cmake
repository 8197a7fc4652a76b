# Writes the build id header: the commit the program is built from, with "+modified"
# when the checkout has uncommitted changes; empty outside a git checkout. Run at
# every build; the header is rewritten only when the id changes, so an unchanged
# commit rebuilds nothing.
#   cmake -DSOURCE_DIR=... -DOUTPUT=... -P BuildId.cmake
set(id "")
find_package(Git QUIET)
if(GIT_FOUND)
  execute_process(COMMAND ${GIT_EXECUTABLE} -C ${SOURCE_DIR} rev-parse --short=12 HEAD
                  OUTPUT_VARIABLE commit RESULT_VARIABLE status
                  OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  if(status EQUAL 0 AND commit)
    set(id "${commit}")
    execute_process(COMMAND ${GIT_EXECUTABLE} -C ${SOURCE_DIR} status --porcelain
                            --untracked-files=no
                    OUTPUT_VARIABLE changes RESULT_VARIABLE status ERROR_QUIET)
    if(status EQUAL 0 AND NOT changes STREQUAL "")
      set(id "${id}+modified")
    endif()
  endif()
endif()
set(text "#pragma once\n// Generated at build time by cmake/BuildId.cmake.\n#define LODO_BUILD_ID \"${id}\"\n")
set(old "")
if(EXISTS ${OUTPUT})
  file(READ ${OUTPUT} old)
endif()
if(NOT old STREQUAL text)
  file(WRITE ${OUTPUT} "${text}")
endif()
