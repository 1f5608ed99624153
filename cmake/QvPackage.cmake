# The Debian package: "cpack -G DEB" in a build folder makes
# qvrecipe_<version>_<arch>.deb, installing into /usr.
set(CPACK_PACKAGE_NAME qvrecipe)
set(CPACK_PACKAGE_VENDOR "QVRECIPE")
set(CPACK_PACKAGE_CONTACT "QVRECIPE developers <qvrecipe@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "recipe book for Japanese home cooking, printing onto organiser refills")
set(CPACK_PACKAGE_DESCRIPTION "Recipes are kept in Shift-JIS comma-separated files, browsed in a \
filtered list and edited in entry fields. Recipe text copied from a web page is analysed into the \
fields, a meal finder suggests dishes from the ingredients at hand, and recipes print onto 25 \
personal-organiser refill formats. The user interface is in Japanese.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The Qt libraries come from dpkg-shlibdeps; the fonts the printed pages and
# the windows use, and Qt's own Japanese dialog texts, are named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont, qt6-translations-l10n")
include(CPack)
