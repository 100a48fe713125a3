# The player's module on Windows (win32::DllModule): K60418.dll through AbstractModule's vtable, in
# the fixture that registers the DLL and the stand-in PowerPoint (standin.cmake).
if(NOT TARGET k60418_win32_player OR NOT TARGET K60418 OR NOT TARGET StandinPowerPoint)
  return()
endif()

add_executable(k60418_player_test player_dll_module_test.cpp server_test_main.cpp)
target_link_libraries(k60418_player_test PRIVATE k60418_win32_player GTest::gtest)
target_compile_definitions(k60418_player_test PRIVATE
  K60418_DLL_PATH="$<TARGET_FILE:K60418>" K60418_HOST_TLB_PATH="${K60418_HOST_TLB}"
  K60418_MODELS_DIR="${PROJECT_SOURCE_DIR}/course/models")
add_dependencies(k60418_player_test K60418 StandinPowerPoint)
# One PowerPoint at a time: the stand-in's sessions share the running-object table and the
# working folder.
k60418_wine_tests(k60418_player_test TEST_PREFIX player. PROPERTIES
  FIXTURES_REQUIRED k60418_standin RUN_SERIAL TRUE TIMEOUT 120)
