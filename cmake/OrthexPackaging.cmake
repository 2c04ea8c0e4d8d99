# Installation (cmake --install) and the Debian package (cpack, `make package`).
#
# Installs orthex and orthex-cli, the desktop entry and the shared-mime-info type for *.orthex
# (the same files the program writes for one user when nothing is installed system-wide, so an
# installed program finds them and writes none of its own), the AppStream metadata, the
# application icon, the user guide, the manual pages, the bash completion of orthex-cli, and the
# copyright and changelog a Debian package carries. The desktop entry names the installed
# program, so it is written at install time, for the prefix the install really uses (cpack
# installs into /usr). The data lives in packaging/.

include(GNUInstallDirs)

install(TARGETS orthex orthex-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# Every symbol bound at start, so the relocations can be read-only (Debian's hardening).
target_link_options(orthex PRIVATE LINKER:-z,now)
target_link_options(orthex-cli PRIVATE LINKER:-z,now)

set(_orthex_app_resources ${PROJECT_SOURCE_DIR}/src/app/resources)
set(_orthex_packaging ${PROJECT_SOURCE_DIR}/packaging)
set(_orthex_shell_files ${PROJECT_BINARY_DIR}/shell-files)
set(_orthex_app_id org.vellomar.Orthex)

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
  set(_orthex_desktop "${CMAKE_INSTALL_PREFIX}/@CMAKE_INSTALL_DATADIR@/applications/@_orthex_app_id@.desktop")
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
    "Keywords=spelling;dictation;school;\n"
    "MimeType=application/x-orthex;\n"
    "StartupWMClass=Orthex\n")
  list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${_orthex_desktop}")
]=])
string(CONFIGURE "${_orthex_desktop_code}" _orthex_desktop_code @ONLY)
install(CODE "${_orthex_desktop_code}")

install(FILES ${_orthex_app_resources}/orthex.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${_orthex_packaging}/${_orthex_app_id}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${_orthex_packaging}/orthex-cli.bash-completion
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME orthex-cli)

# Manual pages and the changelog go compressed, as Debian keeps them; -n leaves out the name and
# the time, so the same sources give the same bytes.
set(_orthex_compressed)
foreach(_orthex_file orthex.1 orthex-cli.1 changelog)
  set(_orthex_gz ${_orthex_shell_files}/${_orthex_file}.gz)
  add_custom_command(OUTPUT ${_orthex_gz}
    COMMAND gzip -9nc ${_orthex_packaging}/${_orthex_file} > ${_orthex_gz}
    DEPENDS ${_orthex_packaging}/${_orthex_file}
    VERBATIM)
  list(APPEND _orthex_compressed ${_orthex_gz})
endforeach()
add_custom_target(orthex_compressed_docs ALL DEPENDS ${_orthex_compressed})
install(FILES ${_orthex_shell_files}/orthex.1.gz ${_orthex_shell_files}/orthex-cli.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${_orthex_app_resources}/help/guide.html ${_orthex_packaging}/copyright
              ${_orthex_shell_files}/changelog.gz
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
set(CPACK_PACKAGE_CONTACT "Orthex Developers <orthex@vellomar.org>")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "practise spelling tests with recorded words")
# Lines of at most 80 columns, as lintian asks; cpack indents them and marks the empty one.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Orthex plays each word of a spelling list from a recording, checks what the\n"
    "pupil types and keeps the grades, misspelled words and skipped words of every\n"
    "pupil. It names the kinds of spelling error made, counts them in an error\n"
    "profile and makes practice lists of the words a pupil got wrong.\n"
    "\n"
    "Lists are built with a microphone or with speech from Flite or espeak-ng;\n"
    "orthex-cli reads and makes lists and results from the command line.")
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
