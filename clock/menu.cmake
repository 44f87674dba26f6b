# The clock's popup menu, dragging, SNTP and version window. Included by clock/CMakeLists.txt.
# tktmenu is portable (models and codecs); the window side is added to it in the Windows builds.
set(TKT_MENU_DIR ${CMAKE_CURRENT_LIST_DIR})
add_library(tktmenu STATIC
  ${TKT_MENU_DIR}/sntp.cpp
  ${TKT_MENU_DIR}/sntp_exchange.cpp
  ${TKT_MENU_DIR}/logo_animation.cpp
  ${TKT_MENU_DIR}/window_drag.cpp
  ${TKT_MENU_DIR}/menu_form.cpp)
target_include_directories(tktmenu PUBLIC ${TKT_MENU_DIR})
