# The IDispatch bridge and the Automation port over COM, under Wine.
add_executable(k60418_dispatch_bridge_test ${CMAKE_CURRENT_LIST_DIR}/dispatch_bridge_test.cpp)
target_link_libraries(k60418_dispatch_bridge_test PRIVATE k60418_win32_dispatch gtest_main)
k60418_wine_tests(k60418_dispatch_bridge_test)

# The local server the Automation port's tests start through COM (single use: one process per
# CreateObject; its object a vb::Dispatch served by the library); it sits beside the test program,
# which registers it for the length of a test.
add_executable(k60418_dispatch_test_server WIN32 ${CMAKE_CURRENT_LIST_DIR}/dispatch_test_server.cpp)
target_include_directories(k60418_dispatch_test_server PRIVATE ${PROJECT_SOURCE_DIR}/tests)
target_link_libraries(k60418_dispatch_test_server PRIVATE k60418_win32_dispatch)

add_executable(k60418_dispatch_automation_test ${CMAKE_CURRENT_LIST_DIR}/dispatch_automation_test.cpp)
target_link_libraries(k60418_dispatch_automation_test PRIVATE k60418_win32_dispatch k60418_win32_platform
                      gtest_main)
add_dependencies(k60418_dispatch_automation_test k60418_dispatch_test_server)
# One at a time: they share the server's class and the running-object table (GetObject finds
# whichever server registered first, another test's under ctest -j).
k60418_wine_tests(k60418_dispatch_automation_test PROPERTIES RESOURCE_LOCK k60418_contract_server)

add_executable(k60418_dispatch_served_test ${CMAKE_CURRENT_LIST_DIR}/dispatch_served_test.cpp
               ${CMAKE_CURRENT_LIST_DIR}/dispatch_com_object_test.cpp)
target_link_libraries(k60418_dispatch_served_test PRIVATE k60418_win32_dispatch gtest_main)
k60418_wine_tests(k60418_dispatch_served_test)
