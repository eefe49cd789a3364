# The Debian package of what `cmake --install` lays out: `cmake --build build --target package`
# (or ./package) writes build/skedora_<version>_<arch>.deb.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME skedora)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Skedora developers")
set(CPACK_PACKAGE_CONTACT
  "The Skedora developers <maintainers@users.noreply.c-seed-357211cb.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "programme catalogue and day broadcast planner for TV")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
# The long description; the summary above is its first line.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
  "Skedora is the desktop application with which the staff of a television
channel keep the catalogue of programmes the channel can air and lay out a
day's broadcast schedule: a day planner of ten-minute rows in which programmes
from the catalogue become blocks moved and stretched with the mouse, saved to
a Firebird database and exchanged as XML broadcast files.
.
It opens the user's own database through the embedded Firebird engine, or the
Firebird server an administrator names in /etc/skedora/SQL.ini.
.
License: GPL-3.0-or-later.")
# The libraries it links, found by dpkg-shlibdeps, and the ones it loads at run time: the
# Firebird client library and the embedded engine the client library loads for a local file.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libfbclient2, firebird3.0-server-core")

include(CPack)
