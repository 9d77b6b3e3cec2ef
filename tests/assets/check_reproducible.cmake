# Runs the generator twice into two new folders, packs each, and fails
# unless both data files and the one the build made are byte-identical.
file(REMOVE_RECURSE ${WORK})
foreach(run first second)
  file(MAKE_DIRECTORY ${WORK}/${run})
  execute_process(COMMAND ${GENERATOR} objects ${WORK}/${run} RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "generator failed in ${WORK}/${run}")
  endif()
  execute_process(COMMAND ${CMAKE_COMMAND} -DDAT=${DAT} -DOBJECTS=${WORK}/${run}
                          -DOUTPUT=${WORK}/${run}/vexo.dat -P ${PACK}
                  RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "packing failed in ${WORK}/${run}")
  endif()
endforeach()
foreach(other ${WORK}/second/vexo.dat ${BUILT})
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${WORK}/first/vexo.dat ${other}
                  RESULT_VARIABLE differs)
  if(differs)
    message(FATAL_ERROR "${WORK}/first/vexo.dat and ${other} differ")
  endif()
endforeach()
file(SIZE ${WORK}/first/vexo.dat size)
message(STATUS "vexo.dat reproduced: ${size} bytes")
