# Cuts the DIGMID instrument set for the songs out of a General MIDI
# soundfont. pat2dat takes only the programs and drum keys the listed songs
# use, plus the grand piano it always adds as a fallback; no song plays
# program 0 and DIGMID loads only what a song asks for, so the piano (a
# third of the file) is dropped again.
#   cmake -DPAT2DAT=pat2dat -DDAT=dat -DSOUNDFONT=x.sf2 -DSONGS=dir
#         -DOUTPUT=patches.dat -P grab_patches.cmake
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
