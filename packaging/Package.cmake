# make package: one Debian package of the desk, the announcer's board, the
# command-line programs, their databases, menu entries and manual pages.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME aqgalarec)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT
    "AQGalaRec maintainers <maintainers@users.noreply.c-seed-bfaaa9df.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "recording desk of a team swimming gala")
set(CPACK_PACKAGE_DESCRIPTION
    "The officials prepare the gala, type each lane's time, and the program ranks
the swims, gives points, keeps every team's running total and saves the whole
gala after every event. It posts results to the announcer's board (AQAnnounce),
fetches finish times from the pool's timing database, prints its reports or
writes them as PDF, and writes web pages, ranking files and Lenex results
(aqgalarec-export).")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The library packages come from what the programs link; the display plugins
# Qt loads at run time do not show there.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
# The fonts that stand in for the ones the printed reports name.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation, fonts-dejavu-core, fonts-urw-base35")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)
