# lumapane_add_test(<name> LABEL <label> SOURCES <files...> LIBS <targets...>)
# One GoogleTest executable; every test in it carries the subsystem label,
# so that `ctest -L <label>` runs one subsystem alone.
function(lumapane_add_test name)
  cmake_parse_arguments(T "" "LABEL;TIMEOUT" "SOURCES;LIBS;PROPERTIES" ${ARGN})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 120)
  endif()
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock GTest::gtest_main Threads::Threads)
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    PROPERTIES LABELS ${T_LABEL} TIMEOUT ${T_TIMEOUT} ${T_PROPERTIES})
endfunction()
