# The voice recordings that come with the program (vs/english, vs/hindi in the installation folder)
# are generated once per build folder by scripts/make-recordings.sh; the stamp keeps rebuilds from
# generating them again unless the script changes.
find_program(BRIVANE_ESPEAK espeak-ng)
find_program(BRIVANE_SOX sox)
if(BRIVANE_ESPEAK AND BRIVANE_SOX)
  set(recordings_stamp ${CMAKE_BINARY_DIR}/recordings.stamp)
  add_custom_command(
    OUTPUT ${recordings_stamp}
    COMMAND sh ${PROJECT_SOURCE_DIR}/scripts/make-recordings.sh ${CMAKE_BINARY_DIR}/bin
    COMMAND ${CMAKE_COMMAND} -E touch ${recordings_stamp}
    DEPENDS ${PROJECT_SOURCE_DIR}/scripts/make-recordings.sh
    COMMENT "Generating the voice recordings"
    VERBATIM)
  add_custom_target(brivane_recordings ALL DEPENDS ${recordings_stamp})
  if(TARGET brivane)
    add_dependencies(brivane brivane_recordings)
  endif()
else()
  message(WARNING "espeak-ng or sox is missing: the program will have no voice recordings")
endif()
