# Installing and the Debian package. An installed Brivane follows the file-system hierarchy:
#   <prefix>/bin                 brivane, brivane-ctl, brivane-bench, brivane-web
#   <prefix>/lib/brivane         voice (started by the main window, not a command of its own)
#   <prefix>/share/brivane       pictures, recordings, clock faces, demo media (read only)
#   /etc/brivane                 the machine's path.txt and code.txt
#   /var/lib/brivane             the embedded database
#   /lib/systemd/system          brivane-web.service (installed off), options in /etc/default/brivane-web
# The program finds these folders relative to its own (core/Locations), so a package unpacked below
# any root works; a run from the build folder keeps everything beside the executables.
if(CMAKE_INSTALL_PREFIX_INITIALIZED_TO_DEFAULT)
  set(CMAKE_INSTALL_PREFIX /usr CACHE PATH "Installation prefix" FORCE)
endif()
include(GNUInstallDirs)

set(BRIVANE_SHARE_DIR ${CMAKE_INSTALL_DATADIR}/brivane)
set(BRIVANE_PROGRAMS_DIR ${CMAKE_INSTALL_LIBDIR}/brivane)
if(CMAKE_INSTALL_LIBDIR MATCHES "^lib/") # a multiarch libdir: helper programs go to lib/brivane
  set(BRIVANE_PROGRAMS_DIR lib/brivane)
endif()
set(BRIVANE_CONFIG_DIR ${CMAKE_INSTALL_FULL_SYSCONFDIR}/brivane)
set(BRIVANE_DATA_DIR ${CMAKE_INSTALL_FULL_LOCALSTATEDIR}/lib/brivane)

function(brivane_from_bin var target)
  if(NOT IS_ABSOLUTE "${target}")
    set(target ${CMAKE_INSTALL_PREFIX}/${target})
  endif()
  file(RELATIVE_PATH relative ${CMAKE_INSTALL_FULL_BINDIR} ${target})
  set(${var} ${relative} PARENT_SCOPE)
endfunction()
brivane_from_bin(share_from_bin ${BRIVANE_SHARE_DIR})
brivane_from_bin(config_from_bin ${BRIVANE_CONFIG_DIR})
brivane_from_bin(data_from_bin ${BRIVANE_DATA_DIR})
brivane_from_bin(programs_from_bin ${BRIVANE_PROGRAMS_DIR})
target_compile_definitions(brivane_core PRIVATE
  BRIVANE_SHARE_FROM_BIN="${share_from_bin}"
  BRIVANE_CONFIG_FROM_BIN="${config_from_bin}"
  BRIVANE_DATA_FROM_BIN="${data_from_bin}"
  BRIVANE_PROGRAMS_FROM_BIN="${programs_from_bin}")

install(TARGETS brivane brivane-ctl brivane-bench brivane-web RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(TARGET voice)
  install(TARGETS voice RUNTIME DESTINATION ${BRIVANE_PROGRAMS_DIR})
endif()

# Everything resources/ holds, and the recordings the build generates.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/resources/ DESTINATION ${BRIVANE_SHARE_DIR})
# Example gateways for the texts of near-turn alerts (a GSM modem, a provider's HTTP API).
install(PROGRAMS ${PROJECT_SOURCE_DIR}/scripts/sms/send-mmcli.sh ${PROJECT_SOURCE_DIR}/scripts/sms/send-http.sh
        DESTINATION ${BRIVANE_SHARE_DIR}/sms)
install(DIRECTORY ${CMAKE_BINARY_DIR}/bin/vs DESTINATION ${BRIVANE_SHARE_DIR} OPTIONAL FILES_MATCHING PATTERN "*.wav")
install(FILES ${CMAKE_BINARY_DIR}/bin/ding.wav DESTINATION ${BRIVANE_SHARE_DIR} OPTIONAL)

# The machine's files with the embedded default; only their owner reads them (a password may follow).
install(FILES ${PROJECT_SOURCE_DIR}/packaging/path.txt ${PROJECT_SOURCE_DIR}/packaging/code.txt
        DESTINATION ${BRIVANE_CONFIG_DIR} PERMISSIONS OWNER_READ OWNER_WRITE)
install(DIRECTORY DESTINATION ${BRIVANE_DATA_DIR})

# The daily backup: a service and its timer, installed but not enabled (the administrator enables
# the timer).
set(BRIVANE_BACKUP_DIR ${CMAKE_INSTALL_FULL_LOCALSTATEDIR}/backups/brivane)
set(BRIVANE_SYSTEMD_DIR lib/systemd/system)
if(CMAKE_INSTALL_PREFIX STREQUAL "/usr")
  set(BRIVANE_SYSTEMD_DIR /lib/systemd/system)
endif()
configure_file(${PROJECT_SOURCE_DIR}/packaging/brivane-backup.service.in
               ${CMAKE_BINARY_DIR}/packaging/brivane-backup.service @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/packaging/brivane-backup.service ${PROJECT_SOURCE_DIR}/packaging/brivane-backup.timer
        DESTINATION ${BRIVANE_SYSTEMD_DIR})

# The web server's service, off until someone enables it, and its options.
set(BRIVANE_WEB_EXEC ${CMAKE_INSTALL_FULL_BINDIR}/brivane-web)
configure_file(${PROJECT_SOURCE_DIR}/packaging/brivane-web.service.in ${CMAKE_BINARY_DIR}/brivane-web.service @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/brivane-web.service DESTINATION ${BRIVANE_SYSTEMD_DIR})
install(FILES ${PROJECT_SOURCE_DIR}/packaging/brivane-web.default DESTINATION ${CMAKE_INSTALL_FULL_SYSCONFDIR}/default
        RENAME brivane-web)

install(FILES ${PROJECT_SOURCE_DIR}/packaging/brivane.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/brivane.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME brivane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Brivane developers <brivane@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Queue management for service halls")
set(CPACK_PACKAGE_DESCRIPTION
    "Kiosks issue numbered tokens, counter operators call them and a display board on the hall screen\n\
shows the calls with spoken announcements; administrators maintain departments, services, counters,\n\
themes and news, read reports and back up or clear old data. One workstation runs on an embedded\n\
database; several share one PostgreSQL server. brivane-web shows the board in any browser and each\n\
visitor's ticket on their phone (a service, off until enabled).")
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# What the libraries alone do not pull in: the database drivers, platform and picture plug-ins, the
# media back end with its plug-ins, the fonts with Arial metrics and the Hindi recordings' script,
# and the PostgreSQL tools for backups of a server.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libqt6sql6-sqlite, libqt6sql6-psql, libqt6svg6, qt6-qpa-plugins, libqt6multimedia6, \
gstreamer1.0-plugins-base, gstreamer1.0-plugins-good, fonts-liberation, postgresql-client, adduser")
# espeak-ng records the names of counters that hold no digit for the announcer.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-lohit-deva, fonts-noto-core, cups-client, espeak-ng")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA
    ${PROJECT_SOURCE_DIR}/packaging/conffiles ${PROJECT_SOURCE_DIR}/packaging/postinst
    ${PROJECT_SOURCE_DIR}/packaging/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)

if(BRIVANE_TESTS)
  # Installs this build below a temporary root and checks the layout and that the installed programs
  # find their folders there.
  add_test(NAME install_layout COMMAND sh ${PROJECT_SOURCE_DIR}/packaging/check-install-layout.sh
                                        ${CMAKE_BINARY_DIR} ${CMAKE_INSTALL_PREFIX})
  set_tests_properties(install_layout PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 300)
endif()
