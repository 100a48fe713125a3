# The module through real COM under Wine: K60418.dll and the stand-in PowerPoint, registered and the
# user's desktop seeded by the fixture here, once server.cmake's tests (which need no PowerPoint
# registered) are over:
#   standin.register   regsvr32 K60418.dll, StandinPowerPoint.exe /regserver, /seed course\office
#   … the sessions, one at a time …
#   standin.unregister StandinPowerPoint.exe /unregserver, regsvr32 /u K60418.dll
if(NOT TARGET K60418 OR NOT TARGET StandinPowerPoint)
  return()
endif()

k60418_windows_path(standin_path "${CMAKE_BINARY_DIR}/win32/standin/StandinPowerPoint.exe")
k60418_windows_path(office_path "${PROJECT_SOURCE_DIR}/course/office")
# After server.cmake's fixture has ended: its tests need no PowerPoint to be registered.
add_test(NAME standin.register COMMAND sh -c
  "\"$0\" \"$1\" /s \"$2\" && \"$0\" \"$3\" /regserver && \"$0\" \"$3\" /seed \"$4\""
  ${wine_run} ${windows_tools}\\regsvr32.exe ${dll_path} ${standin_path} ${office_path})
add_test(NAME standin.unregister COMMAND sh -c "\"$0\" \"$1\" /unregserver && \"$0\" \"$2\" /u /s \"$3\""
  ${wine_run} ${standin_path} ${windows_tools}\\regsvr32.exe ${dll_path})
set_tests_properties(standin.register PROPERTIES FIXTURES_SETUP k60418_standin DEPENDS server.registry.after)
set_tests_properties(standin.unregister PROPERTIES FIXTURES_CLEANUP k60418_standin)
set_tests_properties(standin.register standin.unregister PROPERTIES RUN_SERIAL TRUE)

add_executable(k60418_standin_test standin_test.cpp server_test_main.cpp)
target_link_libraries(k60418_standin_test PRIVATE k60418_standin k60418_idl GTest::gtest)
target_compile_definitions(k60418_standin_test PRIVATE
  K60418_DLL_PATH="$<TARGET_FILE:K60418>" K60418_HOST_TLB_PATH="${K60418_HOST_TLB}"
  K60418_MODELS_DIR="${PROJECT_SOURCE_DIR}/course/models"
  K60418_STANDIN_PATH="${CMAKE_BINARY_DIR}/win32/standin/StandinPowerPoint.exe")
add_dependencies(k60418_standin_test K60418 StandinPowerPoint)
# One PowerPoint at a time: the sessions share the running-object table and the working folder.
k60418_wine_tests(k60418_standin_test TEST_PREFIX standin. PROPERTIES
  FIXTURES_REQUIRED k60418_standin RUN_SERIAL TRUE TIMEOUT 120)
