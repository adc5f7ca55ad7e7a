# Read by cpack for each package it makes (CPACK_PROJECT_CONFIG_FILE): the
# /usr prefix is for the Debian package only; the source archive keeps the
# tree as it is.
if(CPACK_GENERATOR STREQUAL "DEB")
  set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
else()
  unset(CPACK_PACKAGING_INSTALL_PREFIX)
endif()
