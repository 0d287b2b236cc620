# The Windows program's own resources besides the recordings, and the
# Windows download, in the windows build:
#   contapuntos.ico         the icon, drawn from dist/linux/contapuntos.svg at
#                           16, 24, 32, 48, 64 and 256 pixels (rsvg-convert,
#                           icotool; the 256 one stored as PNG);
#   in contapuntos.exe      that icon, the application manifest
#                           (dist/windows/contapuntos.manifest.in) and the
#                           version information (dist/windows/contapuntos.rc.in);
#   descarga/contapuntos/   the folder the zip carries: the program stripped,
#                           the example lesson file, the courses, the notes
#                           and the licences, as text for Windows
#                           (tools/windows-text);
#   installer-side.bmp      the picture of the installer's welcome and finish
#                           pages, drawn from dist/windows/installer-side.svg
#                           (rsvg-convert, ImageMagick's convert);
#   contapuntos-setup.exe   the installer, from that folder
#                           (dist/windows/contapuntos.nsi, NSIS's makensis).
# tools/package zips the folder and puts the installer beside the zip.

# herramienta(<variable> <program> <Debian package>): a tool of the build
# machine, which tools/setup.sh installs.
function(herramienta variable programa paquete)
  find_program(${variable} ${programa})
  if(NOT ${variable})
    message(FATAL_ERROR "${programa} is missing: the Windows build needs Debian's ${paquete}")
  endif()
endfunction()
herramienta(RSVG_CONVERT rsvg-convert librsvg2-bin)
herramienta(ICOTOOL icotool icoutils)
herramienta(CONVERT convert imagemagick)
herramienta(MAKENSIS makensis nsis)

set(DIST_WINDOWS ${CMAKE_SOURCE_DIR}/dist/windows)

# The icon.
set(svg ${CMAKE_SOURCE_DIR}/dist/linux/contapuntos.svg)
set(icono ${CMAKE_BINARY_DIR}/contapuntos.ico)
set(imagenes)
foreach(lado IN ITEMS 16 24 32 48 64 256)
  set(png ${CMAKE_BINARY_DIR}/icono/${lado}.png)
  add_custom_command(OUTPUT ${png}
    COMMAND ${RSVG_CONVERT} -w ${lado} -h ${lado} -o ${png} ${svg}
    DEPENDS ${svg} VERBATIM)
  list(APPEND imagenes ${png})
endforeach()
# The small sizes as bitmaps, which every Windows reads; 256 as PNG, as
# Windows Vista and later read it.
list(POP_BACK imagenes grande)
add_custom_command(OUTPUT ${icono}
  COMMAND ${ICOTOOL} -c -o ${icono} ${imagenes} --raw=${grande}
  DEPENDS ${imagenes} ${grande} VERBATIM)

# The installer's picture: a 164 x 314 bitmap without transparency, in the
# BMP version every Windows reads (BMP3).
set(lateral_svg ${DIST_WINDOWS}/installer-side.svg)
set(lateral_png ${CMAKE_BINARY_DIR}/installer-side.png)
set(lateral ${CMAKE_BINARY_DIR}/installer-side.bmp)
add_custom_command(OUTPUT ${lateral}
  COMMAND ${RSVG_CONVERT} -w 164 -h 314 -o ${lateral_png} ${lateral_svg}
  COMMAND ${CONVERT} ${lateral_png} -background white -alpha remove -type TrueColor BMP3:${lateral}
  DEPENDS ${lateral_svg} VERBATIM)

# The manifest and the resource script. The publisher is named by the
# program's version information and by the installer (its own, and the
# installed apps' entry). Windows versions have four parts.
set(EDITOR "The Contapuntos maintainers")
set(VERSION_WINDOWS ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH}.0)
string(REPLACE "." "," VERSION_COMAS ${VERSION_WINDOWS})
set(MANIFIESTO ${CMAKE_BINARY_DIR}/contapuntos.manifest)
set(ICONO ${icono})
configure_file(${DIST_WINDOWS}/contapuntos.manifest.in ${MANIFIESTO} @ONLY)
configure_file(${DIST_WINDOWS}/contapuntos.rc.in ${CMAKE_BINARY_DIR}/contapuntos.rc @ONLY)
add_library(recursos_del_programa OBJECT ${CMAKE_BINARY_DIR}/contapuntos.rc)
# The resource ids, shared with the program's code.
target_include_directories(recursos_del_programa PRIVATE ${CMAKE_SOURCE_DIR})
set_source_files_properties(${CMAKE_BINARY_DIR}/contapuntos.rc PROPERTIES
  OBJECT_DEPENDS "${icono};${MANIFIESTO};${CMAKE_SOURCE_DIR}/app/recursos.h")
target_sources(contapuntos PRIVATE $<TARGET_OBJECTS:recursos_del_programa>)

# The folder of the zip.
set(carpeta ${CMAKE_BINARY_DIR}/descarga/contapuntos)
set(archivos ${carpeta}/contapuntos.exe)
add_custom_command(OUTPUT ${carpeta}/contapuntos.exe
  COMMAND ${CMAKE_STRIP} -o ${carpeta}/contapuntos.exe $<TARGET_FILE:contapuntos>
  DEPENDS contapuntos VERBATIM)
foreach(par IN ITEMS
    "examples/CPControl.ini;CPControl.ini"
    "examples/curso-100-es.ini;curso-100-es.ini"
    "examples/course-100-en.ini;course-100-en.ini"
    "dist/windows/README.txt;README.txt"
    "dist/windows/LEEME.txt;LEEME.txt"
    "LICENSE;LICENSE.txt"
    "LICENSE-recordings;LICENSE-recordings.txt"
    "LICENSE-font;LICENSE-font.txt")
  list(GET par 0 origen)
  list(GET par 1 nombre)
  add_custom_command(OUTPUT ${carpeta}/${nombre}
    COMMAND ${CMAKE_SOURCE_DIR}/tools/windows-text ${CMAKE_SOURCE_DIR}/${origen} ${carpeta}/${nombre}
    DEPENDS ${CMAKE_SOURCE_DIR}/${origen} ${CMAKE_SOURCE_DIR}/tools/windows-text VERBATIM)
  list(APPEND archivos ${carpeta}/${nombre})
endforeach()

# The installer.
set(instalador ${CMAKE_BINARY_DIR}/contapuntos-setup.exe)
add_custom_command(OUTPUT ${instalador}
  COMMAND ${MAKENSIS} -V2 -INPUTCHARSET UTF8 -DVERSION=${PROJECT_VERSION} -DVERSION_WINDOWS=${VERSION_WINDOWS}
    -DEDITOR=${EDITOR}
    -DCARPETA=${carpeta} -DICONO=${icono} -DLATERAL=${lateral} -DSALIDA=${instalador}
    ${DIST_WINDOWS}/contapuntos.nsi
  DEPENDS ${archivos} ${icono} ${lateral} ${DIST_WINDOWS}/contapuntos.nsi VERBATIM)
add_custom_target(instalador ALL DEPENDS ${instalador})
