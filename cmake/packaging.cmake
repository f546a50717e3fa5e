# The Debian package, built by CPack from what `cmake --install` puts in place.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${CALCULATOR_PROGRAM_NAME})
set(CPACK_PACKAGE_VERSION ${CALCULATOR_VERSION})
set(CPACK_PACKAGE_CONTACT "The Tarquel calculator developers <calculator@tarquel.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "small desktop calculator with two digit keypads")
set(CPACK_PACKAGE_DESCRIPTION
    "A calculator with one window: two operand boxes, each with an on-screen\n\
digit keypad, and four operations. Errors such as a division by zero are\n\
reported without losing what was typed.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION math)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries come from the binary; Qt's platform plugins, without which no
# window can open, are loaded at run time and so named here.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
# Natively on Wayland rather than through XWayland; and on GNOME, Xfce and
# Cinnamon the desktop's own fonts and colours, dark style included, which
# Qt takes only through its GTK platform theme. Both optional: it runs without.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland, qt6-gtk-platformtheme")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/package)
include(CPack)
