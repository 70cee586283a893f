# `cpack -G DEB` in the build folder (`make package`): a Debian package of
# what cmake/Install.cmake installs, under /usr.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quoravel)
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_VENDOR "Quoravel developers")
set(CPACK_PACKAGE_CONTACT "Quoravel developers <quoravel@example.org>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS ${CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS})
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "level-premium term life insurance proposals")
set(CPACK_PACKAGE_DESCRIPTION "Quoravel prepares proposals for level-premium term life insurance.
Brokers and general agents enter the proposed insured (age or birth date,
sex, state, underwriting class, table rating, flat extras, riders and
payment mode), pick products and face amounts, and print a proposal: a
cover, a narrative summary, a year-by-year ledger of guaranteed premiums,
and the class and underwriting pages.

An outside illustration system can drive the program without a window
(relay mode) through a folder holding the case; the proposal is written as
a PDF beside an answer file. The package also holds the rate-file tool,
the page renderer, sample rate files and the carriers' forms.")

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
# The libraries' packages come from dpkg-shlibdeps; the pages are drawn with
# the Liberation fonts, files and e-mail are opened through xdg-utils, and
# the window needs Qt's display plugins (only recommended by Qt's own
# packages): no library names these.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2, xdg-utils, qt6-qpa-plugins")

include(CPack)
