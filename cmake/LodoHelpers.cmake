# Shared settings for every Lodo target.

function(lodo_target_defaults target)
  target_compile_features(${target} PUBLIC cxx_std_20)
  set_target_properties(${target} PROPERTIES CXX_EXTENSIONS OFF)
  if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
  endif()
  if(LODO_SANITIZE)
    target_compile_options(${target} PRIVATE -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    target_link_options(${target} PRIVATE -fsanitize=address,undefined)
  endif()
endfunction()

# lodo_add_library(name SOURCES ... [DEPS ...]): a core library whose headers are
# included as "<dir>/<File>.h" from the source root.
function(lodo_add_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
  lodo_target_defaults(${name})
endfunction()

# lodo_add_test(name SOURCES ... [DEPS ...] [QT]): one GoogleTest (or Qt Test with QT)
# executable registered with CTest.
function(lodo_add_test name)
  cmake_parse_arguments(ARG "QT" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/tests)
  if(ARG_QT)
    target_link_libraries(${name} PRIVATE ${ARG_DEPS} Qt6::Test)
    add_test(NAME ${name} COMMAND ${name})
    # Widget tests share one X server: run in parallel, one would take the other's focus.
    set_tests_properties(${name} PROPERTIES RESOURCE_LOCK x_display)
  else()
    target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gtest_main)
    add_test(NAME ${name} COMMAND ${name})
  endif()
  lodo_target_defaults(${name})
endfunction()
