# The clock's popup menu, dragging, SNTP and version window. Included by clock/CMakeLists.txt.
# clock_commands is portable (models and codecs); the window side is added to it in the Windows builds.
set(TKT_MENU_DIR ${CMAKE_CURRENT_LIST_DIR})
add_library(clock_commands STATIC
  ${TKT_MENU_DIR}/sntp.cpp
  ${TKT_MENU_DIR}/sntp_exchange.cpp
  ${TKT_MENU_DIR}/logo_animation.cpp
  ${TKT_MENU_DIR}/window_drag.cpp
  ${TKT_MENU_DIR}/menu_form.cpp)
target_include_directories(clock_commands PUBLIC ${TKT_MENU_DIR})
target_link_libraries(clock_commands PUBLIC tkt_version faceformat)

if(TKT_WINDOWS)
  add_library(clock_commands_win STATIC
    ${TKT_MENU_DIR}/win/form2.cpp
    ${TKT_MENU_DIR}/win/sntp_socket_win.cpp
    ${TKT_MENU_DIR}/win/clock_setter_win.cpp
    ${TKT_MENU_DIR}/win/version_window.cpp)
  target_include_directories(clock_commands_win PUBLIC ${TKT_MENU_DIR} ${TKT_MENU_DIR}/win)
  target_link_libraries(clock_commands_win PUBLIC clock_commands clock_face wincommon ws2_32 user32 gdi32 shell32
                                                  advapi32)
  # The version window's logo travels as a resource of whichever program links the menu.
  add_library(clock_version_resources OBJECT ${TKT_MENU_DIR}/win/version.rc)
  set(TKT_LOGO_DIR ${TKT_SOURCE_DIR}/art/generated)
  target_include_directories(clock_version_resources PRIVATE ${TKT_LOGO_DIR})
  target_compile_definitions(clock_version_resources PRIVATE TKT_HAVE_LOGO)
  set_property(SOURCE ${TKT_MENU_DIR}/win/version.rc APPEND PROPERTY OBJECT_DEPENDS ${TKT_LOGO_DIR}/logo.bmp)
  target_sources(clock_commands_win INTERFACE $<TARGET_OBJECTS:clock_version_resources>)

  # The help page, beside the clock.
  configure_file(${TKT_MENU_DIR}/help/clock.html.in ${CMAKE_BINARY_DIR}/generated/clock.html @ONLY)
  tkt_stage_file(${CMAKE_BINARY_DIR}/generated/clock.html program/help)
endif()
