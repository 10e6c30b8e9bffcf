# The Debian package of what `cmake --install` installs (scripts/package.sh
# builds it). Its dependencies are read from the shared libraries the
# installed files link; what is loaded otherwise is named here.
set(DICT_PACKAGE_VERSION ${PROJECT_VERSION} CACHE STRING "Version of the Debian package")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${DICT_PACKAGE_NAME})
set(CPACK_PACKAGE_VERSION ${DICT_PACKAGE_VERSION})
set(CPACK_PACKAGE_VENDOR "English-Bulgarian Dictionary developers")
set(CPACK_PACKAGE_CONTACT "Seed ce85347e maintainers <maintainers@users.noreply.c-seed-ce85347e.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "English-Bulgarian dictionary with study aids")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION text)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${DICT_REPOSITORY_URL})
# dpkg-shlibdeps reads the installed programs and library; scripts/package.sh
# runs it and names what it found here. (CPack's own run of it first asks
# `file` about each of the data folder's thirty thousand files.)
set(DICT_SHLIBS_DEPENDS "" CACHE STRING
    "Dependencies dpkg-shlibdeps found for the installed ELF files")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# Qt finds its X11 and Wayland platform plugins at run time, the windows'
# fonts are looked up by name, the export loads libzip when it writes a
# package, and dictool builds from the installed FreeDict.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-dejavu-core, libzip4")
if(DICT_SHLIBS_DEPENDS)
    string(PREPEND CPACK_DEBIAN_PACKAGE_DEPENDS "${DICT_SHLIBS_DEPENDS}, ")
endif()
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-dejavu-extra")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "dict-freedict-eng-bul")
# The summary above is its first line; CPack indents these lines and marks
# the empty one as a paragraph break.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "A desktop English-Bulgarian and Bulgarian-English dictionary built from
the FreeDict English-Bulgarian dictionary. Words are looked up as they are
typed, from the letter tabs, from copied text and by double-click; inflected
words find their base word and misspelt words get suggestions. English
head-words are pronounced, the learner's own voice can be recorded and
compared, and words go into study lists practised in six exercises.

The package also holds dictool, which builds and checks dictionary folders,
and wavegen, which speaks their English head-words into MP3 files.")

include(CPack)
