# Cuts the DIGMID instrument set for the songs out of a General MIDI
# soundfont. pat2dat takes only the programs and drum keys the listed songs
# use, plus the grand piano it always adds as a fallback; no song plays
# program 0 and DIGMID loads only what a song asks for, so the piano (a
# third of the file) is dropped again.
# Its index carries a date: SOURCE_DATE_EPOCH's when that is set, as in
# Debian's reproducible builds, or else the last commit's, so that the same
# sources give the same bytes.
#   cmake -DPAT2DAT=pat2dat -DDAT=dat -DSOUNDFONT=x.sf2 -DSONGS=dir
#         -DOUTPUT=patches.dat -DGENERATOR=vexo_assetgen -DSOURCE_DIR=dir -P grab_patches.cmake
file(GLOB songs RELATIVE ${SONGS} ${SONGS}/song*.mid)
list(SORT songs)
execute_process(COMMAND ${PAT2DAT} -o ${OUTPUT} ${SOUNDFONT} ${songs}
  WORKING_DIRECTORY ${SONGS} RESULT_VARIABLE failed OUTPUT_QUIET)
if(failed)
  message(FATAL_ERROR "pat2dat could not grab the patches for ${songs}")
endif()
execute_process(COMMAND ${DAT} -d ${OUTPUT} acpiano RESULT_VARIABLE failed OUTPUT_QUIET)
if(failed)
  message(FATAL_ERROR "dat could not drop the fallback piano from ${OUTPUT}")
endif()

set(epoch "$ENV{SOURCE_DATE_EPOCH}")
if(NOT epoch)
  execute_process(COMMAND git -c safe.directory=* -C ${SOURCE_DIR} log -1 --format=%ct OUTPUT_VARIABLE epoch
    OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
endif()
if(NOT epoch MATCHES "^[0-9]+$")
  message(STATUS "patches.dat keeps the time of this build: no SOURCE_DATE_EPOCH, and no git history")
  return()
endif()
execute_process(COMMAND ${GENERATOR} patch-date ${epoch} ${OUTPUT} RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "could not set the date of ${OUTPUT}'s index")
endif()
