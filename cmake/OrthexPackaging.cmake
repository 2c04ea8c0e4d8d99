# Installation (cmake --install) and the Debian package (cpack, `make package`).
#
# Installs orthex and orthex-cli, the desktop entry and the shared-mime-info type for *.orthex
# (the same files the program writes for one user when nothing is installed system-wide, so an
# installed program finds them and writes none of its own), the application icon and the user
# guide. The desktop entry names the installed program, so it is written at install time, for
# the prefix the install really uses (cpack installs into /usr).

include(GNUInstallDirs)

install(TARGETS orthex orthex-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

set(_orthex_app_resources ${PROJECT_SOURCE_DIR}/src/app/resources)
set(_orthex_shell_files ${PROJECT_BINARY_DIR}/shell-files)

# The document type: the same XML the program registers for one user.
file(CONFIGURE OUTPUT ${_orthex_shell_files}/orthex.xml CONTENT [=[
<?xml version="1.0" encoding="UTF-8"?>
<mime-info xmlns="http://www.freedesktop.org/standards/shared-mime-info">
  <mime-type type="application/x-orthex">
    <comment>Orthex Files</comment>
    <sub-class-of type="application/vnd.sqlite3"/>
    <glob pattern="*.orthex"/>
  </mime-type>
</mime-info>
]=])
install(FILES ${_orthex_shell_files}/orthex.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)

# The desktop entry, with Exec quoted the way the program quotes it: the path in double quotes,
# with \ " ` and $ escaped.
set(_orthex_desktop_code [=[
  set(_orthex_exec "${CMAKE_INSTALL_PREFIX}/@CMAKE_INSTALL_BINDIR@/orthex")
  if(IS_ABSOLUTE "@CMAKE_INSTALL_BINDIR@")
    set(_orthex_exec "@CMAKE_INSTALL_BINDIR@/orthex")
  endif()
  string(REPLACE "\\" "\\\\" _orthex_exec "${_orthex_exec}")
  string(REPLACE "\"" "\\\"" _orthex_exec "${_orthex_exec}")
  string(REPLACE "`" "\\`" _orthex_exec "${_orthex_exec}")
  string(REPLACE "$" "\\$" _orthex_exec "${_orthex_exec}")
  set(_orthex_desktop "${CMAKE_INSTALL_PREFIX}/@CMAKE_INSTALL_DATADIR@/applications/orthex.desktop")
  message(STATUS "Installing: $ENV{DESTDIR}${_orthex_desktop}")
  file(WRITE "$ENV{DESTDIR}${_orthex_desktop}"
    "[Desktop Entry]\n"
    "Type=Application\n"
    "Name=Orthex\n"
    "GenericName=Spelling Tests\n"
    "Comment=Practise spelling tests with recorded words\n"
    "Exec=\"${_orthex_exec}\" %f\n"
    "Icon=orthex\n"
    "Terminal=false\n"
    "Categories=Education;Languages;\n"
    "MimeType=application/x-orthex;\n")
  list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${_orthex_desktop}")
]=])
string(CONFIGURE "${_orthex_desktop_code}" _orthex_desktop_code @ONLY)
install(CODE "${_orthex_desktop_code}")

install(FILES ${_orthex_app_resources}/orthex.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${_orthex_app_resources}/help/guide.html
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/orthex)

# A direct install into a live system refreshes the desktop's caches; a staged one (DESTDIR,
# as cpack does) leaves that to the package manager's triggers.
install(CODE [=[
  if("$ENV{DESTDIR}" STREQUAL "")
    set(_share "${CMAKE_INSTALL_PREFIX}/share")
    find_program(_orthex_update_mime update-mime-database)
    find_program(_orthex_update_desktop update-desktop-database)
    find_program(_orthex_update_icons gtk-update-icon-cache)
    if(_orthex_update_mime)
      execute_process(COMMAND ${_orthex_update_mime} "${_share}/mime" OUTPUT_QUIET ERROR_QUIET)
    endif()
    if(_orthex_update_desktop)
      execute_process(COMMAND ${_orthex_update_desktop} -q "${_share}/applications" OUTPUT_QUIET ERROR_QUIET)
    endif()
    if(_orthex_update_icons AND EXISTS "${_share}/icons/hicolor/index.theme")
      execute_process(COMMAND ${_orthex_update_icons} -q -t "${_share}/icons/hicolor" OUTPUT_QUIET ERROR_QUIET)
    endif()
  endif()
]=])

# --- the Debian package ---
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME orthex)
set(CPACK_PACKAGE_VENDOR Vellomar)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Orthex developers <orthex@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "practise spelling tests with recorded words")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Orthex plays each word of a spelling list from a recording, checks what the pupil types, "
    "keeps grades, misspelled and skipped words per user, and names the kinds of spelling error "
    "made. Lists are built with a microphone or with speech from espeak-ng; orthex-cli reads "
    "and makes lists and results from the command line.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded at run time, so dpkg-shlibdeps cannot see them: the xcb platform plugin's companions,
# the audio and SVG plugins, the speech voices and the metric twin of Arial.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "qt6-qpa-plugins, libqt6multimedia6, libqt6svg6, espeak-ng-data, fonts-liberation")
include(CPack)
