# Installation as a Linux desktop program and the Debian package.
#
#   cmake --install build --prefix <dir>    installs into <dir>
#   cmake --build build --target package    builds build/paquete/tesmaro_<version>-1_<arch>.deb
#
# Layout under the prefix (the .deb uses /usr):
#   bin/tesmaro, bin/tesmaro-lote              (app/ and cli/ install them)
#   share/tesmaro/sped2et.gsb, egm08_rednap.gtx, egm08_rednap_canarias.gtx,
#     coast.geojson, their .sha256 and check points   (data/ installs them)
#   share/applications/tesmaro.desktop
#   share/icons/hicolor/{48x48,128x128,256x256}/apps/tesmaro.png, scalable/apps/tesmaro.svg
#   share/doc/tesmaro/copyright, changelog.Debian.gz, README.md, licencias/, herramientas/
#   share/man/man1/tesmaro.1.gz, tesmaro-lote.1.gz

set(TESMARO_PAQUETERIA_DIR "${CMAKE_CURRENT_LIST_DIR}/../packaging")
cmake_path(NORMAL_PATH TESMARO_PAQUETERIA_DIR)
set(TESMARO_DOC_INSTALL_DIR "${CMAKE_INSTALL_DATADIR}/doc/tesmaro")

# The program looks for its data in <folder of the executable>/../share/tesmaro
# (CarpetaDatosPrograma in grid/): bin/ and share/ must be siblings under the prefix.
cmake_path(GET CMAKE_INSTALL_BINDIR PARENT_PATH tesmaro_padre_bin)
cmake_path(GET TESMARO_DATA_INSTALL_DIR PARENT_PATH tesmaro_padre_datos)
cmake_path(GET tesmaro_padre_datos PARENT_PATH tesmaro_padre_datos)
if(IS_ABSOLUTE "${CMAKE_INSTALL_BINDIR}" OR IS_ABSOLUTE "${TESMARO_DATA_INSTALL_DIR}"
   OR NOT tesmaro_padre_bin STREQUAL tesmaro_padre_datos
   OR NOT TESMARO_DATA_INSTALL_DIR MATCHES "share/tesmaro$")
  message(WARNING
    "CMAKE_INSTALL_BINDIR (${CMAKE_INSTALL_BINDIR}) and the data folder "
    "(${TESMARO_DATA_INSTALL_DIR}) are not bin/ and share/tesmaro/ under one prefix: "
    "the installed program will not find its grid and map data.")
endif()

# Desktop entry and icon, with the windows. The PNGs are rendered from
# tesmaro.svg and kept in the sources:
#   rsvg-convert -w N -h N packaging/tesmaro.svg -o packaging/iconos/tesmaro-N.png
if(TESMARO_GUI)
  install(FILES "${TESMARO_PAQUETERIA_DIR}/tesmaro.desktop"
          DESTINATION "${CMAKE_INSTALL_DATADIR}/applications")
  install(FILES "${TESMARO_PAQUETERIA_DIR}/tesmaro.svg"
          DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps")
  foreach(lado 48 128 256)
    install(FILES "${TESMARO_PAQUETERIA_DIR}/iconos/tesmaro-${lado}.png"
            DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/${lado}x${lado}/apps"
            RENAME tesmaro.png)
  endforeach()
endif()

# Licences and credits of the shipped data (data/ installs the texts beside it).
install(FILES "${TESMARO_PAQUETERIA_DIR}/copyright" DESTINATION "${TESMARO_DOC_INSTALL_DIR}")

# ---- Debian package --------------------------------------------------------
set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGE_NAME "tesmaro")
set(CPACK_PACKAGE_VENDOR "Tesmaro")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_CONTACT "Equipo de Tesmaro <tesmaro@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "geodetic coordinate conversion (UTM, ED50/ETRS89, NTv2 grid)")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")  # the source archive drops it (OpcionesCPack.cmake)
set(CPACK_PROJECT_CONFIG_FILE "${TESMARO_PAQUETERIA_DIR}/OpcionesCPack.cmake")
set(CPACK_PACKAGE_DIRECTORY "${CMAKE_BINARY_DIR}/paquete")
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_PACKAGE_NAME "tesmaro")
set(CPACK_DEBIAN_FILE_NAME "DEB-DEFAULT")
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_SECTION "science")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
# dpkg-shlibdeps declares the libraries the two programs link (Qt, GeographicLib,
# libstdc++, libc).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_VERSION "${PROJECT_VERSION}")
# Qt's own dialogs (the file dialog) in Spanish.
if(TESMARO_GUI)
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
endif()
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE "xz")
# The summary line comes from CPACK_PACKAGE_DESCRIPTION_SUMMARY; this is the body.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
"Tesmaro converts coordinates for the region that straddles the Greenwich
meridian (UTM zones 30 and 31): UTM to and from longitude and latitude on
ED50 or ETRS89, ED50 to and from ETRS89 with the official NTv2 grid,
geographic to and from geocentric X, Y, Z on 24 ellipsoids, and the direct
and inverse geodesic problems. One point in a window, or whole point files
into a text and a CSV result file; tesmaro-lote does the file conversions
from the command line.
.
Tesmaro convierte coordenadas UTM y geográficas en ED50 y ETRS89 (husos 30
y 31), transforma entre ED50 y ETRS89 con la rejilla NTv2 oficial, pasa de
geográficas a cartesianas geocéntricas en 24 elipsoides y resuelve los
problemas geodésicos directo e inverso, punto a punto o por ficheros.")

# Manual pages and the package's changelog, compressed as Debian keeps them
# (gzip -9n: no name, no time stamp).
set(TESMARO_DATOS_PAQUETE "${CPACK_PACKAGING_INSTALL_PREFIX}/${TESMARO_DATA_INSTALL_DIR}")
set(TESMARO_DOC_PAQUETE "${CPACK_PACKAGING_INSTALL_PREFIX}/${TESMARO_DOC_INSTALL_DIR}")
find_program(TESMARO_GZIP gzip)
function(tesmaro_comprimido plantilla destino)
  cmake_path(GET plantilla STEM LAST_ONLY nombre)
  set(texto "${CMAKE_BINARY_DIR}/paqueteria/${nombre}")
  configure_file("${TESMARO_PAQUETERIA_DIR}/${plantilla}" "${texto}" @ONLY)
  if(TESMARO_GZIP)
    execute_process(COMMAND "${TESMARO_GZIP}" -9nc "${texto}" OUTPUT_FILE "${texto}.gz"
                    RESULT_VARIABLE estado)
    if(NOT estado EQUAL 0)
      message(FATAL_ERROR "gzip ${texto}: ${estado}")
    endif()
  else()
    file(ARCHIVE_CREATE OUTPUT "${texto}.gz" PATHS "${texto}"
         FORMAT raw COMPRESSION GZip COMPRESSION_LEVEL 9)
  endif()
  install(FILES "${texto}.gz" DESTINATION "${destino}")
endfunction()
tesmaro_comprimido(changelog.Debian.in "${TESMARO_DOC_INSTALL_DIR}")
if(TESMARO_GUI)
  tesmaro_comprimido(man/tesmaro.1.in "${CMAKE_INSTALL_MANDIR}/man1")
endif()
if(TARGET tesmaro-lote)
  tesmaro_comprimido(man/tesmaro-lote.1.in "${CMAKE_INSTALL_MANDIR}/man1")
endif()

# cmake --build build --target package_source: the sources, without git and build folders.
set(CPACK_SOURCE_GENERATOR "TXZ")
set(CPACK_SOURCE_IGNORE_FILES "/\\\\.git/" "/build[^/]*/" "/\\\\.cache/")

include(CPack)
