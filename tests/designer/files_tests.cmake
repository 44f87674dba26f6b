# Tests of the settings export and import and the region file maker; included from tests/designer/CMakeLists.txt.
set(_dir ${CMAKE_CURRENT_LIST_DIR})
if(TKT_HOST)
  tkt_add_gtest(designer_files_test
    SOURCES ${_dir}/rgpmaker_test.cpp ${_dir}/export_test.cpp ${_dir}/import_test.cpp
    LIBS designer_files)
endif()
if(TKT_WINDOWS)
  tkt_add_gtest(designer_files_win_test
    SOURCES ${_dir}/rgpmaker_win_test.cpp ${_dir}/rgpmaker_window_test.cpp ${_dir}/shortcut_win_test.cpp
    LIBS designer_files_win)
endif()
