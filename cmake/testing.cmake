# GoogleTest: Debian's package natively, built from Debian's sources when cross
# compiling for Windows.
if(CMAKE_CROSSCOMPILING)
  if(NOT EXISTS /usr/src/googletest/CMakeLists.txt)
    message(FATAL_ERROR "GoogleTest's sources are missing in /usr/src/googletest: run scripts/deps.sh")
  endif()
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/_deps/googletest EXCLUDE_FROM_ALL)
  set(ZORVITAN_GTEST_LIBS gtest gmock gtest_main)
else()
  find_package(GTest REQUIRED)
  set(ZORVITAN_GTEST_LIBS GTest::gtest GTest::gmock GTest::gtest_main)
endif()
include(GoogleTest)

# zorvitan_add_gtest(NAME SOURCES... [LIBS libs...])
# Natively every test case is its own ctest test. Under Wine each test program
# runs once as one ctest test, since every Wine process start costs time; ctest
# puts scripts/wine-run.sh in front of it, and the "wine" fixture (tests/)
# prepares the prefix and the display before the first one.
function(zorvitan_add_gtest name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} ${ZORVITAN_GTEST_LIBS})
  if(CMAKE_CROSSCOMPILING)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED wine)
  else()
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60)
  endif()
endfunction()

# zorvitan_node(VAR): the command that runs a Node script, or one that fails saying why.
function(zorvitan_node out)
  find_program(ZORVITAN_NODE node)
  if(ZORVITAN_NODE)
    set(${out} ${ZORVITAN_NODE} PARENT_SCOPE)
  else()
    set(${out} sh -c "echo 'node is missing: run scripts/deps.sh' >&2; exit 1" node PARENT_SCOPE)
  endif()
endfunction()

# zorvitan_add_node_test(NAME SCRIPT TIMEOUT)
# A Node program that checks what zorvitan-cli writes, given the built program (and in the
# Windows build the Wine wrapper to start it with). The script itself runs natively.
function(zorvitan_add_node_test name script timeout)
  zorvitan_node(node)
  if(CMAKE_CROSSCOMPILING)
    add_test(NAME ${name}
      COMMAND ${node} ${script} $<TARGET_FILE:zorvitan-cli> ${CMAKE_CROSSCOMPILING_EMULATOR})
    # The program's messages in English, as natively; the code page stays Polish.
    set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED wine
      ENVIRONMENT ZORVITAN_WINE_MESSAGES=en_US.UTF-8)
  else()
    add_test(NAME ${name} COMMAND ${node} ${script} $<TARGET_FILE:zorvitan-cli>)
    # The program's messages in English, whatever the locale the tests run in.
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "LC_ALL=C.UTF-8;LANGUAGE=")
  endif()
  set_tests_properties(${name} PROPERTIES TIMEOUT ${timeout})
endfunction()
