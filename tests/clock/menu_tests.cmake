# Tests of the clock's menu, dragging, SNTP and version window. Included by tests/clock/CMakeLists.txt.
set(TKT_MENU_TEST_DIR ${CMAKE_CURRENT_LIST_DIR})
if(TKT_HOST)
  tkt_add_gtest(sntp_test SOURCES ${TKT_MENU_TEST_DIR}/sntp_test.cpp LIBS clock_commands)
  tkt_add_gtest(logo_animation_test SOURCES ${TKT_MENU_TEST_DIR}/logo_animation_test.cpp LIBS clock_commands)
  tkt_add_gtest(menu_model_test SOURCES ${TKT_MENU_TEST_DIR}/menu_model_test.cpp LIBS clock_commands)
endif()
if(TKT_WINDOWS)
  tkt_add_gtest(menu_win_test
    SOURCES ${TKT_MENU_TEST_DIR}/sntp_win_test.cpp ${TKT_MENU_TEST_DIR}/form2_win_test.cpp
            ${TKT_MENU_TEST_DIR}/version_window_test.cpp
    LIBS clock_commands_win)
  # The menu and its boxes take the front, and a case checks who has it afterwards.
  if(TKT_CAN_RUN)
    set_tests_properties(menu_win_test PROPERTIES RESOURCE_LOCK desktop)
  endif()
endif()
