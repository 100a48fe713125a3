# The Win32 adapters of the ports (win32/platform): the ports' contracts and the adapters' own
# tests, under Wine; and the check that what links the core and the adapters imports only
# Windows' own DLLs.
file(GLOB K60418_WIN32_PLATFORM_TESTS CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/platform_*.cpp)
add_executable(k60418_win32_platform_tests ${K60418_WIN32_PLATFORM_TESTS})
target_link_libraries(k60418_win32_platform_tests PRIVATE k60418_win32_platform k60418_core gtest gtest_main)
target_compile_definitions(k60418_win32_platform_tests PRIVATE WIN32_LEAN_AND_MEAN NOMINMAX)
k60418_wine_tests(k60418_win32_platform_tests PROPERTIES LABELS win32_platform)

# Fails when a program imports a DLL that is not part of Windows (libstdc++-6.dll, libgcc_s_*.dll,
# libwinpthread-1.dll …): what ships must run on a bare Windows.
function(k60418_system_imports_test target)
  add_test(NAME ${target}_imports_system_dlls_only
           COMMAND ${CMAKE_COMMAND} -DOBJDUMP=${CMAKE_OBJDUMP} -DPROGRAM=$<TARGET_FILE:${target}>
                   -P ${CMAKE_CURRENT_SOURCE_DIR}/scripts/system_imports.cmake)
  set_tests_properties(${target}_imports_system_dlls_only PROPERTIES LABELS imports)
endfunction()
k60418_system_imports_test(k60418_win32_platform_tests)
