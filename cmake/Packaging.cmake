# The Debian package (cpack -G DEB; scripts/package.sh builds it): the install rules of the tree under /usr, with
# dependencies from the linked libraries (dpkg-shlibdeps) plus the pieces that are loaded, not linked.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME veltrane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Veltrane developers")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "give, key, scan, score and report a risk questionnaire")
# The extended description; the summary above is the synopsis line.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Veltrane is used by testing supervisors of courts, probation offices and
treatment programs. It records a client's demographics and court history,
collects the answers to a 123-item questionnaire on screen (English or
Spanish, with spoken audio), keyed from a paper answer sheet, or read from a
scanned answer sheet, scores six scales against norms, and shows and prints
a fixed-width report.
.
The package carries a demo installation whose questions, norms and report
paragraphs are invented sample data, not a validated instrument.")
set(VELTRANE_PACKAGE_MAINTAINER "The Veltrane developers <veltrane@example.org>"
    CACHE STRING "Maintainer field of the Debian package")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${VELTRANE_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded at run time, so dpkg-shlibdeps cannot see them: the SQLite driver of the question database, the X11
# platform plugin, the media plugins of the spoken audio, and the metric twin of Courier New the report is set in.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libqt6sql6-sqlite, qt6-qpa-plugins, gstreamer1.0-plugins-base, gstreamer1.0-plugins-good, fonts-liberation2")
# Printing goes through a CUPS server; the spoken audio through a PulseAudio-compatible sound server; results go to
# a PostgreSQL server only through Qt's driver, which a workstation publishing to SQLite alone does without.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "cups, pulseaudio | pipewire-pulse, libqt6sql6-psql")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "sane-utils")
include(CPack)
