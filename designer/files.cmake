# Settings export and import and the region file maker; included from designer/CMakeLists.txt.
set(_dir ${CMAKE_CURRENT_LIST_DIR})
add_library(designer_files STATIC
  ${_dir}/model/file_commands.cpp
  ${_dir}/model/export.cpp
  ${_dir}/model/import.cpp
  ${_dir}/model/rgpmaker_model.cpp)
target_link_libraries(designer_files PUBLIC designer_model faceformat)

if(TKT_WINDOWS)
  add_library(designer_files_win STATIC
    ${_dir}/win/bitmap_op.cpp
    ${_dir}/win/shortcut.cpp
    ${_dir}/win/maker_picture.cpp
    ${_dir}/win/files_platform_win.cpp
    ${_dir}/win/rgpmaker_win.cpp)
  # The maker window uses the designer window code's dialogs, messages and font.
  target_link_libraries(designer_files_win PUBLIC designer_files designer_win gdi32 user32 ole32 shell32 uuid
    comdlg32 windowscodecs)
endif()
