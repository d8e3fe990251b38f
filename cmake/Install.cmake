# Installation into any prefix, and the Debian package. The build tree already holds the installed
# layout (bin/, lib/velomira/, share/), so the program finds its libraries and data relative to
# itself in both, and a moved prefix keeps working.
install(TARGETS velomira RUNTIME DESTINATION bin)
install(TARGETS VelomiraIS VelomiraISE LIBRARY DESTINATION ${VELOMIRA_LIBDIR})
install(DIRECTORY ${CMAKE_BINARY_DIR}/share/ DESTINATION share)

# cpack -G DEB in the build folder. Library dependencies come from dpkg-shlibdeps; the rest are
# the TIFF and Wayland plugins and the fonts the program loads at run time, which no linker records.
set(CPACK_PACKAGE_NAME velomira)
set(CPACK_PACKAGE_VENDOR Korbinheim)
set(CPACK_PACKAGE_CONTACT "Korbinheim <velomira@korbinheim.de>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION} mit Textstempel und Kalender")
set(CPACK_PACKAGE_DESCRIPTION "Velomira wechselt in festen Abständen das Hintergrundbild: es nimmt
das nächste Bild aus den gewählten Ordnern, passt es an den Bildschirm an
und stempelt auf Wunsch einen Text und einen Monatskalender mit Feiertagen,
Ferien und Terminen darauf. Es wartet im Infobereich.")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION x11)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-image-formats-plugins, qt6-wayland, qt6-translations-l10n, fonts-liberation")
include(CPack)

# velomira_gzip(TARGET SOURCE OUTPUT): OUTPUT is SOURCE compressed without a time stamp (as Debian
# wants for manual pages and changelogs), built with `all` by TARGET.
function(velomira_gzip target source output)
    get_filename_component(name ${source} NAME)
    set(work ${CMAKE_BINARY_DIR}/generated/gzip)
    add_custom_command(OUTPUT ${output}
        COMMAND ${CMAKE_COMMAND} -E copy ${source} ${work}/${name}
        COMMAND gzip -9nf ${work}/${name}
        COMMAND ${CMAKE_COMMAND} -E copy ${work}/${name}.gz ${output}
        DEPENDS ${source} VERBATIM)
    add_custom_target(${target} ALL DEPENDS ${output})
endfunction()

configure_file(${PROJECT_SOURCE_DIR}/data/velomira.1.in ${CMAKE_BINARY_DIR}/generated/velomira.1 @ONLY)
velomira_gzip(velomira_manpage ${CMAKE_BINARY_DIR}/generated/velomira.1
              ${CMAKE_BINARY_DIR}/share/man/man1/velomira.1.gz)

# Debian wants the copyright and a compressed changelog beside every package's documentation. The
# changelog's date follows SOURCE_DATE_EPOCH when set, so that packages can be built reproducibly.
configure_file(${CMAKE_CURRENT_LIST_DIR}/debian/copyright ${CMAKE_BINARY_DIR}/share/doc/velomira/copyright
               COPYONLY)
string(TIMESTAMP VELOMIRA_CHANGELOG_DATE "%a, %d %b %Y %H:%M:%S +0000" UTC)
configure_file(${CMAKE_CURRENT_LIST_DIR}/debian/changelog.in ${CMAKE_BINARY_DIR}/generated/changelog @ONLY)
velomira_gzip(velomira_changelog ${CMAKE_BINARY_DIR}/generated/changelog
              ${CMAKE_BINARY_DIR}/share/doc/velomira/changelog.gz)
