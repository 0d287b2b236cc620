# Installs the Linux program for a desktop and packs it as a Debian package
# with CPack (cpack -G DEB in the build folder, or tools/package):
#   bin/contapuntos            the program; it reads CPControl.ini from the
#                              folder it is started in
#   bin/contapuntos-lesson     starts it in the learner's own folder (one
#                              given, or one in the user's data folder), which
#                              it seeds with the example lesson file
#   bin/contapuntos-record-voice
#                              records the numbers in a parent's voice
#   bin/contapuntos-make-curriculum
#                              writes a course's lesson file for a child, and
#                              tells what the next run of one shows
#   share/contapuntos/         the example lesson file, and the ready-made
#                              courses to 100 in Spanish and in English
#   share/applications/, share/icons/hicolor/scalable/apps/
#                              the menu entry and its icon
#   share/doc/contapuntos/copyright
#                              the licences: MIT for the program, CC BY-SA
#                              3.0 for its recordings, with their credit,
#                              and Bitstream Vera for its figures (DejaVu)
#   share/doc/contapuntos/changelog.gz, share/man/man1/*.1.gz
#                              the changelog and a manual page for each
#                              command, from dist/linux/, compressed as
#                              Debian wants them (target documentacion)
include(GNUInstallDirs)

# gzip -9n: the most compression, and no name or time in the file, so that
# every build makes the same bytes.
set(comprimidos)
foreach(documento IN ITEMS changelog contapuntos.1 contapuntos-lesson.1
    contapuntos-make-curriculum.1 contapuntos-record-voice.1)
  set(copia ${CMAKE_BINARY_DIR}/documentacion/${documento})
  add_custom_command(OUTPUT ${copia}.gz
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/dist/linux/${documento} ${copia}
    COMMAND gzip -9nf ${copia}
    DEPENDS ${CMAKE_SOURCE_DIR}/dist/linux/${documento} VERBATIM)
  list(APPEND comprimidos ${copia}.gz)
endforeach()
add_custom_target(documentacion ALL DEPENDS ${comprimidos})
list(POP_FRONT comprimidos changelog)

install(TARGETS contapuntos RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(PROGRAMS ${CMAKE_SOURCE_DIR}/dist/linux/contapuntos-lesson
  DESTINATION ${CMAKE_INSTALL_BINDIR})
install(PROGRAMS ${CMAKE_SOURCE_DIR}/tools/record-voice
  DESTINATION ${CMAKE_INSTALL_BINDIR} RENAME contapuntos-record-voice)
install(PROGRAMS ${CMAKE_SOURCE_DIR}/tools/make-curriculum
  DESTINATION ${CMAKE_INSTALL_BINDIR} RENAME contapuntos-make-curriculum)
install(FILES
  ${CMAKE_SOURCE_DIR}/examples/CPControl.ini
  ${CMAKE_SOURCE_DIR}/examples/curso-100-es.ini
  ${CMAKE_SOURCE_DIR}/examples/course-100-en.ini
  DESTINATION ${CMAKE_INSTALL_DATADIR}/contapuntos)
install(FILES ${CMAKE_SOURCE_DIR}/dist/linux/contapuntos.desktop
  DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_SOURCE_DIR}/dist/linux/contapuntos.svg
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${CMAKE_SOURCE_DIR}/dist/linux/copyright ${changelog}
  DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/contapuntos)
install(FILES ${comprimidos} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME contapuntos)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Contapuntos maintainers <maintainers@users.noreply.c-seed-7399556b.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "number lessons of red dots for young children")
# The long description, in the short lines a control file wants.
set(CPACK_PACKAGE_DESCRIPTION "A full-screen number lesson for young children. For every number of
the lesson it shows a card of that many red dots on a white screen,
while a voice says the number in Spanish or in English. A plain text
lesson file holds the lessons and the learner's progress.")
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# SDL opens the OpenGL library it makes the context with, libGL.so.1, by
# itself, so that no link of the program names it. dpkg-shlibdeps (from
# dpkg-dev) adds the libraries the program links, with the versions the
# build needs; without it they are named here.
set(CPACK_DEBIAN_PACKAGE_DEPENDS libgl1)
# contapuntos-record-voice records with arecord and shapes with sox;
# contapuntos-make-curriculum is a Python 3 script. The lessons need none.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "alsa-utils, sox, python3")
find_program(DPKG_SHLIBDEPS dpkg-shlibdeps)
if(DPKG_SHLIBDEPS)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
else()
  string(APPEND CPACK_DEBIAN_PACKAGE_DEPENDS
    ", libc6, libgcc-s1, libstdc++6, libsdl2-2.0-0, libopengl0, libglu1-mesa | libglu1")
endif()

include(CPack)
