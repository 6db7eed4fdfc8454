# The demo hall's video (files/video/demo.ogv in the installation folder) is generated once per build
# folder with GStreamer's test source, as Ogg/Theora, which the GStreamer plugins we install can play.
find_program(BRIVANE_GST_LAUNCH gst-launch-1.0)
if(BRIVANE_GST_LAUNCH)
  set(demo_video ${CMAKE_BINARY_DIR}/bin/files/video/demo.ogv)
  add_custom_command(
    OUTPUT ${demo_video}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/bin/files/video
    COMMAND ${BRIVANE_GST_LAUNCH} -q videotestsrc num-buffers=150 pattern=ball motion=sweep
            background-color=0xff1d2a44 foreground-color=0xffffb300 animation-mode=frames
            ! video/x-raw,width=640,height=360,framerate=25/1 ! videoconvert ! theoraenc ! oggmux
            ! filesink location=${demo_video}.part
    COMMAND ${CMAKE_COMMAND} -E rename ${demo_video}.part ${demo_video}
    DEPENDS ${PROJECT_SOURCE_DIR}/cmake/DemoMedia.cmake
    COMMENT "Generating the demo video"
    VERBATIM)
  add_custom_target(brivane_demo_media ALL DEPENDS ${demo_video})
else()
  message(WARNING "gst-launch-1.0 is missing: the demo hall will have no video")
endif()
