# The folder browse dialog and its folder checks. The checks are portable and
# unit-tested natively; the dialog on the shell's browser is Win32 and tested
# under Wine through a small program that shows it.
set(folder_browse_dir ${CMAKE_CURRENT_LIST_DIR})

add_library(kelrun_folder_checks STATIC
  ${folder_browse_dir}/folder_browse_layout.cpp
  ${folder_browse_dir}/folder_checks.cpp)
target_link_libraries(kelrun_folder_checks PUBLIC framework_text project_options)

add_unit_test(kelrun_folder_checks_tests
  SOURCES
    ${folder_browse_dir}/tests/fake_folder_check_system.h
    ${folder_browse_dir}/tests/folder_browse_layout_test.cpp
    ${folder_browse_dir}/tests/folder_checks_test.cpp
  LIBRARIES kelrun_folder_checks)

if(WIN32)
  add_library(kelrun_folder_browse STATIC
    ${folder_browse_dir}/folder_browser_win.cpp
    ${folder_browse_dir}/folder_checks_win.cpp)
  target_link_libraries(kelrun_folder_browse PUBLIC kelrun_folder_checks kelrun_win framework shell32 ole32)

  if(BUILD_TESTING)
    add_executable(folder_browse_probe WIN32 ${folder_browse_dir}/tests/folder_browse_probe_win.cpp)
    target_link_libraries(folder_browse_probe PRIVATE kelrun_folder_browse project_options)

    add_unit_test(kelrun_folder_browse_tests
      SOURCES ${folder_browse_dir}/tests/folder_browser_test_win.cpp
      LIBRARIES kelrun_folder_browse uidriver_lib win_test_support)
    add_dependencies(kelrun_folder_browse_tests folder_browse_probe)
  endif()
endif()
