# Warnings are errors on the project's own code (never on third-party headers).
function(mokkel_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
  if(MOKKEL_FUZZ)
    # The fuzz build is the only clang build; a member clang finds unused is no reader fault.
    target_compile_options(${target} PRIVATE -Wno-unused-private-field)
  endif()
endfunction()

# mokkel_library(name SOURCES ... [PUBLIC_DEPS ...] [DEPS ...])
# A static library for one layer, with the repository root as its include root.
# PUBLIC_DEPS are the libraries its headers include, so its users need them too; DEPS are
# used by its sources only and stay private. Which layer may include which is checked by the
# layering test (tests/layering), since the shared include root cannot stop a wrong include.
function(mokkel_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;PUBLIC_DEPS;DEPS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  if(ARG_PUBLIC_DEPS)
    target_link_libraries(${name} PUBLIC ${ARG_PUBLIC_DEPS})
  endif()
  if(ARG_DEPS)
    target_link_libraries(${name} PRIVATE ${ARG_DEPS})
  endif()
  mokkel_warnings(${name})
endfunction()

# mokkel_test(name SOURCES ... DEPS ... [TIMEOUT seconds])
# One GoogleTest executable per tested layer; its cases are registered with CTest.
function(mokkel_test name)
  cmake_parse_arguments(ARG "" "TIMEOUT" "SOURCES;DEPS;ENV" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gmock GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  target_compile_definitions(${name} PRIVATE
    MOKKEL_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
    MOKKEL_BINARY_DIR="${PROJECT_BINARY_DIR}")
  mokkel_warnings(${name})
  # The list separators are escaped so every variable reaches the test, not just the first.
  set(env QT_QPA_PLATFORM=offscreen ${ARG_ENV})
  string(REPLACE ";" "\\;" env "${env}")
  set(timeout)
  if(ARG_TIMEOUT)
    set(timeout TIMEOUT ${ARG_TIMEOUT})
  endif()
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES ENVIRONMENT "${env}" ${timeout})
endfunction()

# mokkel_bench(name SOURCES ... DEPS ...): built with the project, never run as a test.
function(mokkel_bench name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} benchmark::benchmark)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  mokkel_warnings(${name})
endfunction()
