# Lays out the tree that ships, in TREE/Tocktide: the shipped files of the staged tree with the debug
# information stripped from the programs, and a program\tkt.ini whose paths are relative to program\
# (..\sample\kaichu.rgp), the clock's working folder, where Windows resolves them. The zip packs the
# whole tree; the setup program takes the files and writes a tkt.ini for the folder it installs to.
set(top ${TREE}/Tocktide)
file(REMOVE_RECURSE ${TREE})
foreach(f ${FILES})
  get_filename_component(dir ${f} DIRECTORY)
  file(COPY ${STAGE}/${f} DESTINATION ${top}/${dir})
  if(f MATCHES "\\.(exe|OCX)$")
    execute_process(COMMAND ${STRIP} --strip-debug ${top}/${f} RESULT_VARIABLE rc)
    if(NOT rc EQUAL 0)
      message(FATAL_ERROR "stripping ${f} failed")
    endif()
  endif()
endforeach()
execute_process(COMMAND ${TOOL} .. ${top}/program/tkt.ini RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "tkt-mkini failed")
endif()
file(TOUCH ${TREE}.stamp)
