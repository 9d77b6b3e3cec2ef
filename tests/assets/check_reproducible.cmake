# A second generator run, packed in a new folder, must give the very bytes of
# the build's vexo.dat.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
execute_process(COMMAND ${GENERATOR} objects ${WORK} COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND ${CMAKE_COMMAND} -DDAT=${DAT} -DOBJECTS=${WORK} -DOUTPUT=${WORK}/vexo.dat -P ${PACK}
                COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${BUILT} ${WORK}/vexo.dat COMMAND_ERROR_IS_FATAL ANY)
