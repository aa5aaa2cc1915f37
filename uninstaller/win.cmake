# The Win32 side of kelrun. The parts that the integration tests exercise
# directly live in a library of their own.
add_library(kelrun_win STATIC
  removal/product_lookup_win.cpp
  removal/removal_report_win.cpp
  removal/removal_system_win.cpp
  removal/worker_win.cpp)
target_link_libraries(kelrun_win PUBLIC kelrun_logic framework
  shell32 ole32 oleaut32 userenv advapi32 uuid)

add_executable(kelrun WIN32
  app/kelrun_app_win.cpp
  app/main_frame_win.cpp
  app/kelrun.rc)
target_link_libraries(kelrun PRIVATE kelrun_win kelrun_skin ws2_32 comctl32 project_options)
place_in_dist(kelrun)

add_unit_test(kelrun_win_tests
  SOURCES removal/tests/removal_system_win_test.cpp removal/tests/library_export_win_test.cpp
  LIBRARIES kelrun_win win_test_support)
