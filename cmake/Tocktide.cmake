# Shared build helpers: test registration, Windows program settings, staging.

set(TKT_WINDOWS OFF)
if(WIN32)
  set(TKT_WINDOWS ON)
endif()
set(TKT_HOST ON)
if(CMAKE_CROSSCOMPILING)
  set(TKT_HOST OFF)
endif()
# Every Windows build registers its Wine tests; scripts/test.sh first checks that this machine runs its programs.
set(TKT_CAN_RUN ${TKT_WINDOWS})

# Fuzz build: everything instrumented for coverage and checked; the fuzz targets link libFuzzer's main.
if(TKT_FUZZ)
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer
                      -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

if(TKT_SANITIZE AND TKT_HOST)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

if(TKT_WINDOWS)
  add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)
  # No MinGW runtime DLLs beside the programs.
  add_link_options(-static -static-libgcc -static-libstdc++)
  set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -c 65001")
  enable_language(RC)
  # Each build has its own Wine prefix; the wrapper knows where. 32-bit programs run in it under WoW64.
  set(TKT_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(TKT_WINE /usr/lib/wine/wine)
  else()
    set(TKT_WINE /usr/lib/wine/wine64)
  endif()
  configure_file(${TKT_SOURCE_DIR}/scripts/wine-run.sh.in ${CMAKE_BINARY_DIR}/wine-run.sh @ONLY
                 FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run.sh)
endif()

# GoogleTest: the packaged library on the host, built from source for Windows.
if(TKT_HOST)
  find_package(GTest REQUIRED)
  set(TKT_GTEST_LIBS GTest::gtest GTest::gmock)
  set(TKT_GTEST_MAIN GTest::gtest_main)
else()
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
  set(TKT_GTEST_LIBS gtest gmock)
  set(TKT_GTEST_MAIN gtest_main)
endif()
include(GoogleTest)

# tkt_add_gtest(name SOURCES a.cpp ... LIBS lib ... [NO_MAIN] [TIMEOUT s])
# Host: one CTest case per test. Windows: one CTest case per program (each Wine start costs time).
function(tkt_add_gtest name)
  cmake_parse_arguments(T "NO_MAIN" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} ${TKT_GTEST_LIBS})
  if(NOT T_NO_MAIN)
    target_link_libraries(${name} PRIVATE ${TKT_GTEST_MAIN})
  endif()
  target_compile_definitions(${name} PRIVATE TKT_SOURCE_DIR="${TKT_SOURCE_DIR}")
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 300)
  endif()
  if(TKT_HOST)
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT ${T_TIMEOUT} LABELS host)
  else()
    add_test(NAME ${name} COMMAND ${name} --gtest_color=no)
    set_tests_properties(${name} PROPERTIES TIMEOUT ${T_TIMEOUT} LABELS wine)
  endif()
endfunction()

# Windows GUI program: Unicode entry point, common controls, static runtime.
function(tkt_windows_app target)
  set_target_properties(${target} PROPERTIES WIN32_EXECUTABLE ON)
  target_link_options(${target} PRIVATE -municode)
endfunction()

# --- Staging: the installation tree (root, program\, program\help\, sample\) ---
# tkt_stage_target(target subdir [NAME file]) puts a built program into the tree.
function(tkt_stage_target target subdir)
  cmake_parse_arguments(S "" "NAME" "" ${ARGN})
  set(dir ${TKT_STAGE_DIR}/${subdir})
  set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${dir} LIBRARY_OUTPUT_DIRECTORY ${dir})
  if(S_NAME)
    get_filename_component(base ${S_NAME} NAME_WE)
    get_filename_component(ext ${S_NAME} EXT)
    set_target_properties(${target} PROPERTIES OUTPUT_NAME ${base} SUFFIX ${ext} PREFIX "")
  endif()
  set_property(GLOBAL APPEND PROPERTY TKT_STAGED_TARGETS ${target})
endfunction()

# tkt_stage_file(source subdir [NAME file]) copies a data file into the tree at build time.
function(tkt_stage_file src subdir)
  cmake_parse_arguments(S "" "NAME" "" ${ARGN})
  if(S_NAME)
    set(name ${S_NAME})
  else()
    get_filename_component(name ${src} NAME)
  endif()
  set(out ${TKT_STAGE_DIR}/${subdir}/${name})
  add_custom_command(OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${TKT_STAGE_DIR}/${subdir}
    COMMAND ${CMAKE_COMMAND} -E copy ${src} ${out}
    DEPENDS ${src} VERBATIM)
  # A custom command's output has a rule only for targets of the same directory, so each staged file gets a
  # target here that the top-level stage target can depend on.
  string(MAKE_C_IDENTIFIER "stage_${subdir}_${name}" file_target)
  add_custom_target(${file_target} DEPENDS ${out})
  set_property(GLOBAL APPEND PROPERTY TKT_STAGED_FILES ${file_target})
endfunction()

# Windows path of a folder as Wine sees it (Z: is the root of the host file system).
function(tkt_wine_path out path)
  string(REPLACE "/" "\\" p "${path}")
  set(${out} "Z:${p}" PARENT_SCOPE)
endfunction()

function(tkt_finish_stage)
  if(NOT TKT_WINDOWS)
    return()
  endif()
  get_property(files GLOBAL PROPERTY TKT_STAGED_FILES)
  get_property(targets GLOBAL PROPERTY TKT_STAGED_TARGETS)
  # The default face: the kaichu template for this tree's root.
  if(TKT_NATIVE_TOOLS_DIR)
    tkt_wine_path(root ${TKT_STAGE_DIR})
    # Runs at every build: the host tool may be built after this build was configured.
    add_custom_target(stage_ini
      COMMAND ${CMAKE_COMMAND} -DTOOL=${TKT_NATIVE_TOOLS_DIR}/tkt-mkini "-DROOT=${root}"
              -DOUT=${TKT_STAGE_DIR}/program/tkt.ini -P ${TKT_SOURCE_DIR}/cmake/MakeIni.cmake
      VERBATIM)
  else()
    message(WARNING "TKT_NATIVE_TOOLS_DIR is not set: the staged tree gets no program/tkt.ini")
  endif()
  add_custom_target(stage ALL)
  if(files)
    add_dependencies(stage ${files})
  endif()
  if(TARGET stage_ini)
    add_dependencies(stage stage_ini)
  endif()
  if(targets)
    add_dependencies(stage ${targets})
  endif()
  # Every shipped binary imports only system DLLs.
  if(targets)
    foreach(t ${targets})
      list(APPEND checks $<TARGET_FILE:${t}>)
    endforeach()
    add_test(NAME imports_only_system_dlls
      COMMAND ${CMAKE_COMMAND} -DOBJDUMP=${TKT_OBJDUMP} "-DFILES=${checks}" -P ${TKT_SOURCE_DIR}/cmake/CheckImports.cmake)
    set_tests_properties(imports_only_system_dlls PROPERTIES LABELS static)
  endif()
endfunction()
