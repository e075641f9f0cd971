# Running the Windows build under Wine: a wrapper with a private prefix under the build tree,
# and CTest fixtures that keep one wineserver alive across the tests and stop it after.
set(MEZURA_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
set(MEZURA_WINE_HOME ${CMAKE_BINARY_DIR}/winehome)
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(MEZURA_WINE_ARCH win64)
else()
  set(MEZURA_WINE_ARCH win32)
endif()
set(MEZURA_TOOLS_DIR ${PROJECT_SOURCE_DIR}/tools)
configure_file(${PROJECT_SOURCE_DIR}/cmake/wine-run.in ${CMAKE_BINARY_DIR}/wine-run @ONLY
               FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

# Tests that run Windows programs take these fixtures.
function(mezura_wine_fixtures)
  add_test(NAME wine_start COMMAND ${CMAKE_BINARY_DIR}/wine-run --start-server)
  set_tests_properties(wine_start PROPERTIES FIXTURES_SETUP wine)
  add_test(NAME wine_stop COMMAND ${CMAKE_BINARY_DIR}/wine-run --stop-server)
  set_tests_properties(wine_stop PROPERTIES FIXTURES_CLEANUP wine)
endfunction()
