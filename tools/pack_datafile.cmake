# Packs the generated objects into a data file with Allegro's `dat`, one
# object per call in manifest order, so object i is the i-th manifest line.
# Run from the object folder with relative names, and with the grabber's
# file names and dates stripped, so the bytes never depend on where or when
# the build ran.
#   cmake -DDAT=dat -DOBJECTS=dir -DOUTPUT=file.dat -P pack_datafile.cmake
file(STRINGS ${OBJECTS}/manifest.txt lines)
file(REMOVE ${OUTPUT})
foreach(line IN LISTS lines)
  string(REPLACE " " ";" fields "${line}")
  list(GET fields 0 type)
  list(GET fields 1 name)
  execute_process(COMMAND ${DAT} -n0 -s1 -a -t ${type} ${OUTPUT} ${name}
    WORKING_DIRECTORY ${OBJECTS}
    RESULT_VARIABLE failed OUTPUT_QUIET)
  if(failed)
    message(FATAL_ERROR "dat could not add ${name} to ${OUTPUT}")
  endif()
endforeach()
