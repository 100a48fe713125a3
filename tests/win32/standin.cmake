# The module through real COM under Wine: K60418.dll (registered by server.cmake's fixture) and the
# stand-in PowerPoint, registered and the user's desktop seeded by the fixture here:
#   standin.register   StandinPowerPoint.exe /regserver, then /seed course\office
#   … the sessions …
#   standin.unregister StandinPowerPoint.exe /unregserver (before the classes root is compared again)
if(NOT TARGET K60418 OR NOT TARGET StandinPowerPoint)
  return()
endif()

k60418_windows_path(standin_path "${CMAKE_BINARY_DIR}/win32/standin/StandinPowerPoint.exe")
k60418_windows_path(office_path "${PROJECT_SOURCE_DIR}/course/office")
add_test(NAME standin.register COMMAND ${CMAKE_COMMAND} -E env
  sh -c "\"$0\" \"$1\" /regserver && \"$0\" \"$1\" /seed \"$2\"" ${wine_run} ${standin_path} ${office_path})
add_test(NAME standin.unregister COMMAND ${wine_run} ${standin_path} /unregserver)
set_tests_properties(standin.register PROPERTIES FIXTURES_SETUP k60418_standin
  FIXTURES_REQUIRED k60418_registry_snapshot DEPENDS server.registry.before)
set_tests_properties(standin.unregister PROPERTIES FIXTURES_CLEANUP k60418_standin
  FIXTURES_REQUIRED k60418_registry_snapshot)
set_tests_properties(standin.register standin.unregister PROPERTIES RUN_SERIAL TRUE)
set_property(TEST server.registry.after APPEND PROPERTY DEPENDS standin.unregister)

add_executable(k60418_standin_test standin_test.cpp server_test_main.cpp)
target_link_libraries(k60418_standin_test PRIVATE k60418_standin k60418_idl GTest::gtest)
target_compile_definitions(k60418_standin_test PRIVATE
  K60418_DLL_PATH="$<TARGET_FILE:K60418>" K60418_HOST_TLB_PATH="${K60418_HOST_TLB}"
  K60418_MODELS_DIR="${PROJECT_SOURCE_DIR}/course/models"
  K60418_STANDIN_PATH="${CMAKE_BINARY_DIR}/win32/standin/StandinPowerPoint.exe")
add_dependencies(k60418_standin_test K60418 StandinPowerPoint)
# One PowerPoint at a time: the sessions share the running-object table and the working folder.
k60418_wine_tests(k60418_standin_test TEST_PREFIX standin. PROPERTIES
  FIXTURES_REQUIRED "k60418_registered;k60418_standin" RUN_SERIAL TRUE TIMEOUT 120)
