# What `cmake --install` lays out and what the Debian package holds: the
# programs in bin/, the settings window's bundle and the driver bundles'
# information files under the installation's system root (found relative
# to bin/ at run time), the desktop and autostart entries, the agent's
# systemd user units.
foreach(program corvane corvane-simdriver corvane-simctl)
  if(TARGET ${program})
    install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  endif()
endforeach()

# The window is started by the name users know; the link leads into its
# bundle, where it finds its information file and logos.
if(TARGET CorvaneWirelessUtility)
  file(RELATIVE_PATH pane_from_bin "/prefix/${CMAKE_INSTALL_BINDIR}"
       "/prefix/${CORVANE_INSTALL_SYSTEM_ROOT}/System/Library/PreferencePanes/CorvaneWirelessUtility.prefPane/Contents/MacOS/CorvaneWirelessUtility")
  install(CODE "
    set(bin \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
    file(MAKE_DIRECTORY \"\${bin}\")
    file(CREATE_LINK \"${pane_from_bin}\" \"\${bin}/CorvaneWirelessUtility\" SYMBOLIC)
    message(STATUS \"Installing: \${bin}/CorvaneWirelessUtility -> ${pane_from_bin}\")")
endif()

# The desktop entry of the window, the agent's autostart entry and its
# systemd user units name the installed programs, so they are written when
# the prefix is known: at install time (a package installs below /usr, its
# autostart entry goes to /etc/xdg/autostart). The path unit, which starts
# the agent again when an adapter's service appears, is enabled for every
# user by its link in default.target.wants.
install(CODE "
  set(prefix \"\${CMAKE_INSTALL_PREFIX}\")
  set(etc \"\${prefix}/etc\")
  if(prefix STREQUAL \"/usr\")
    set(etc /etc)
  endif()
  set(CORVANE_PANE_EXECUTABLE \"\${prefix}/${CMAKE_INSTALL_BINDIR}/CorvaneWirelessUtility\")
  set(CMAKE_INSTALL_FULL_BINDIR \"\${prefix}/${CMAKE_INSTALL_BINDIR}\")
  configure_file(\"${PROJECT_SOURCE_DIR}/agent/CorvaneWirelessUtility.desktop.in\"
    \"\$ENV{DESTDIR}\${prefix}/${CMAKE_INSTALL_DATADIR}/applications/CorvaneWirelessUtility.desktop\" @ONLY)
  configure_file(\"${PROJECT_SOURCE_DIR}/agent/MiniTask-CorvaneUtility.desktop.in\"
    \"\$ENV{DESTDIR}\${etc}/xdg/autostart/MiniTask-CorvaneUtility.desktop\" @ONLY)
  set(units \"\$ENV{DESTDIR}\${prefix}/lib/systemd/user\")
  foreach(unit MiniTask-CorvaneUtility.service MiniTask-CorvaneUtility.path)
    configure_file(\"${PROJECT_SOURCE_DIR}/agent/\${unit}.in\" \"\${units}/\${unit}\" @ONLY)
  endforeach()
  file(MAKE_DIRECTORY \"\${units}/default.target.wants\")
  file(CREATE_LINK ../MiniTask-CorvaneUtility.path
    \"\${units}/default.target.wants/MiniTask-CorvaneUtility.path\" SYMBOLIC)
  message(STATUS \"Installing: the desktop entry, the agent's autostart entry and its systemd user units\")")

set(CPACK_PACKAGE_NAME corvane)
set(CPACK_PACKAGE_VENDOR "Corvane")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Configuration utility for Corvane USB wireless LAN adapters")
set(CPACK_PACKAGE_DESCRIPTION
    "The settings window (site survey, profiles, advanced settings), the tray agent that keeps the \
active profile connected, the corvane command, the driver service that drives a real adapter \
through NetworkManager as the desktop user, and a simulated adapter driver to try them with.")
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Corvane wireless utility team <wireless@corvane.invalid>")
set(CPACK_DEBIAN_PACKAGE_SECTION net)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's own dialogs and menus (file dialogs, a text field's context menu) in
# the user's language.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
# Enables corvane-nmd's user unit for every user (and disables it on removal).
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA
    "${PROJECT_SOURCE_DIR}/cmake/debian/postinst;${PROJECT_SOURCE_DIR}/cmake/debian/prerm")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
