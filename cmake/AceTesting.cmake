# ace_add_test(NAME <target> SOURCES <files...> LIBS <libs...> [PROPERTIES <test properties...>])
# One GoogleTest executable; each test case becomes its own ctest test. Under
# the Windows build the cases run through Wine (CMAKE_CROSSCOMPILING_EMULATOR)
# and require the "wine" fixture that keeps one wineserver up for the run.
include(GoogleTest)

if(WIN32)
  if(NOT TARGET GTest::gtest_main)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
  endif()
  add_test(NAME wine.start COMMAND sh -c "exec </dev/null >/dev/null 2>&1; ${ACE_WINESERVER} -p; ${ACE_WINE} wineboot")
  add_test(NAME wine.stop COMMAND sh -c "${ACE_WINESERVER} -k; true")
  set_tests_properties(wine.start PROPERTIES FIXTURES_SETUP wine)
  set_tests_properties(wine.stop PROPERTIES FIXTURES_CLEANUP wine)
  set(ACE_TEST_PROPERTIES FIXTURES_REQUIRED wine)
  # For a test whose process loads the production plug-in: Wine takes our
  # simulated wlanapi.dll and iphlpapi.dll from beside the executable, also
  # when ctest runs without the Makefile's environment.
  set(ACE_WINE_SIM_DLLS "WINEDLLOVERRIDES=wlanapi,iphlpapi=n,b")
else()
  find_package(GTest REQUIRED)
  set(ACE_TEST_PROPERTIES "")
  set(ACE_WINE_SIM_DLLS "")
endif()

function(ace_add_test)
  cmake_parse_arguments(T "" "NAME" "SOURCES;LIBS;PROPERTIES" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} ace_test_support GTest::gmock GTest::gtest_main ace_options)
  gtest_discover_tests(${T_NAME}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    PROPERTIES ${ACE_TEST_PROPERTIES} TIMEOUT 120 ${T_PROPERTIES})
endfunction()
