# GoogleTest built from the system's sources with our own toolchain.
set(GTEST_ROOT /usr/src/googletest/googletest)
add_library(gtest STATIC ${GTEST_ROOT}/src/gtest-all.cc)
target_include_directories(gtest SYSTEM PUBLIC ${GTEST_ROOT}/include PRIVATE ${GTEST_ROOT})
add_library(gtest_main STATIC ${GTEST_ROOT}/src/gtest_main.cc)
target_link_libraries(gtest_main PUBLIC gtest)

# add_wine_test(<name> SOURCES <files...> [LIBS <targets...>])
# One test executable, registered as one ctest entry that runs under Wine
# (each Wine start costs time, so an executable groups many cases).
function(add_wine_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE gtest_main ${ARG_LIBS})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests) # shared test support
  add_test(NAME ${name} COMMAND ${name} --gtest_color=no)
  set_tests_properties(${name} PROPERTIES TIMEOUT 600)
endfunction()
