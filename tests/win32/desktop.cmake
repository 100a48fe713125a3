# The real desktop: events acting on the stand-in PowerPoint's processes, the windows, the registry
# and the files of the Wine prefix. It needs the stand-in registered (PowerPoint.Application for
# CreateObject), as standin.cmake's fixture leaves it, and shares its one-at-a-time rule.
if(NOT TARGET k60418_win32_desktop OR NOT TARGET StandinPowerPoint)
  return()
endif()

add_executable(k60418_desktop_test desktop_events_test.cpp server_test_main.cpp)
target_link_libraries(k60418_desktop_test PRIVATE k60418_win32_desktop GTest::gtest)
target_compile_definitions(k60418_desktop_test PRIVATE
  K60418_STANDIN_PATH="${CMAKE_BINARY_DIR}/win32/standin/StandinPowerPoint.exe"
  K60418_OFFICE_DIR="${PROJECT_SOURCE_DIR}/course/office"
  K60418_DLL_PATH="" K60418_HOST_TLB_PATH="")
add_dependencies(k60418_desktop_test StandinPowerPoint)
k60418_wine_tests(k60418_desktop_test TEST_PREFIX desktop. PROPERTIES
  FIXTURES_REQUIRED k60418_standin RUN_SERIAL TRUE TIMEOUT 120)
