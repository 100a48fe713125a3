# The IDispatch bridge and the Automation port over COM, under Wine.
add_executable(k60418_dispatch_bridge_test ${CMAKE_CURRENT_LIST_DIR}/dispatch_bridge_test.cpp)
target_link_libraries(k60418_dispatch_bridge_test PRIVATE k60418_win32_dispatch gtest_main)
k60418_wine_tests(k60418_dispatch_bridge_test)
