# K60418.dll under Wine: registration and unregistration (regsvr32), a late-bound host in VBScript
# (cscript), the early-bound and late-bound C++ hosts, the type-library walk, the list objects.
# The tests that need the DLL registered run between two fixtures' steps, so that `ctest -j` never
# runs them before registration or during unregistration; the four steps run alone:
#   server.registry.before  (snapshot of the classes root)
#   server.register         regsvr32 K60418.dll
#   … the tests that need it …
#   server.unregister       regsvr32 /u K60418.dll
#   server.registry.after   the classes root as before, nothing of ours left
if(NOT TARGET K60418)
  return()
endif()

# The 32-bit tools of the 64-bit prefix for the i686 DLL, the native ones for the x86_64 DLL.
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(windows_tools "C:\\windows\\syswow64")
else()
  set(windows_tools "C:\\windows\\system32")
endif()
set(wine_run ${PROJECT_SOURCE_DIR}/scripts/wine-run.sh)
# Wine's programs see the build's files on drive Z:.
function(k60418_windows_path out path)
  string(REPLACE "/" "\\" path "${path}")
  set(${out} "Z:${path}" PARENT_SCOPE)
endfunction()
k60418_windows_path(dll_path "${CMAKE_BINARY_DIR}/win32/server/K60418.dll")
k60418_windows_path(script_path "${CMAKE_CURRENT_SOURCE_DIR}/server_late_bound.vbs")

add_executable(k60418_server_registry server_registry.cpp)
set(snapshot ${CMAKE_CURRENT_BINARY_DIR}/server_registry_before.txt)
add_test(NAME server.registry.before COMMAND k60418_server_registry snapshot ${snapshot})
add_test(NAME server.register COMMAND ${wine_run} ${windows_tools}\\regsvr32.exe /s ${dll_path})
add_test(NAME server.unregister COMMAND ${wine_run} ${windows_tools}\\regsvr32.exe /u /s ${dll_path})
add_test(NAME server.registry.after COMMAND k60418_server_registry compare ${snapshot})
set_tests_properties(server.registry.before PROPERTIES FIXTURES_SETUP k60418_registry_snapshot)
set_tests_properties(server.register PROPERTIES FIXTURES_SETUP k60418_registered
  FIXTURES_REQUIRED k60418_registry_snapshot DEPENDS server.registry.before)
set_tests_properties(server.unregister PROPERTIES FIXTURES_CLEANUP k60418_registered
  FIXTURES_REQUIRED k60418_registry_snapshot)
set_tests_properties(server.registry.after PROPERTIES FIXTURES_CLEANUP k60418_registry_snapshot
  DEPENDS server.unregister)
# Alone: other tests register classes of their own for a while (under HKCU\Software\Classes).
set_tests_properties(server.registry.before server.register server.unregister server.registry.after
  PROPERTIES RUN_SERIAL TRUE)

add_test(NAME server.late_bound_vbscript
  COMMAND ${wine_run} ${windows_tools}\\cscript.exe //nologo ${script_path})
set_tests_properties(server.late_bound_vbscript PROPERTIES FIXTURES_REQUIRED k60418_registered TIMEOUT 120)

add_executable(k60418_server_test server_test_main.cpp server_typelib_test.cpp server_host_test.cpp
  server_complement_test.cpp)
target_link_libraries(k60418_server_test PRIVATE k60418_server GTest::gtest version)
target_compile_definitions(k60418_server_test PRIVATE
  K60418_DLL_PATH="$<TARGET_FILE:K60418>" K60418_HOST_TLB_PATH="${K60418_HOST_TLB}"
  K60418_VERSION="${PROJECT_VERSION}")
add_dependencies(k60418_server_test K60418)
k60418_wine_tests(k60418_server_test TEST_PREFIX server. PROPERTIES FIXTURES_REQUIRED k60418_registered)
