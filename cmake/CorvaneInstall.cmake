# What `cmake --install` puts under CMAKE_INSTALL_PREFIX, in the usual places: the program and
# the simulator, the desktop file, the icon in the hicolor sizes and the AppStream metainfo. Every
# piece carries the one application id. Tests, benchmarks and fuzzers are not installed.
include(GNUInstallDirs)

set(CORVANE_APP_ID org.corvane.Corvane)
# The data folder's choice (src/app/appsettings.cpp) looks for this desktop file beside bin/.
set(CORVANE_DESKTOP_FILE ${CORVANE_APP_ID}.desktop)

install(TARGETS corvane corvane-devicesim RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${CMAKE_SOURCE_DIR}/packaging/${CORVANE_DESKTOP_FILE}
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/${CORVANE_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The icon is drawn once, as resources/icons-src/applogo.svg; the fixed sizes are rendered from
# it at build time so they never drift from it.
set(CORVANE_ICON_SVG ${CMAKE_SOURCE_DIR}/resources/icons-src/applogo.svg)
install(FILES ${CORVANE_ICON_SVG} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME ${CORVANE_APP_ID}.svg)

add_executable(corvane_svgtopng ${CMAKE_SOURCE_DIR}/packaging/svgtopng.cpp)
target_link_libraries(corvane_svgtopng PRIVATE Qt5::Gui Qt5::Svg)
set_target_properties(corvane_svgtopng PROPERTIES RUNTIME_OUTPUT_DIRECTORY
                                                  ${CMAKE_BINARY_DIR}/packaging)

set(icon_pngs)
foreach(size 16 24 32 48 64 128 256)
    set(png ${CMAKE_BINARY_DIR}/packaging/icons/${size}x${size}/${CORVANE_APP_ID}.png)
    add_custom_command(OUTPUT ${png}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/packaging/icons/${size}x${size}
        COMMAND corvane_svgtopng ${CORVANE_ICON_SVG} ${png} ${size}
        DEPENDS corvane_svgtopng ${CORVANE_ICON_SVG}
        COMMENT "Rendering the ${size}x${size} application icon"
        VERBATIM)
    list(APPEND icon_pngs ${png})
    install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
add_custom_target(corvane_icons ALL DEPENDS ${icon_pngs})

# Debian wants the copyright notice and a changelog of every package in its doc folder. The
# date follows SOURCE_DATE_EPOCH when that is set.
string(TIMESTAMP CORVANE_CHANGELOG_DATE "%a, %d %b %Y %H:%M:%S +0000" UTC)
configure_file(${CMAKE_SOURCE_DIR}/packaging/changelog.in ${CMAKE_BINARY_DIR}/packaging/changelog
               @ONLY)
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/packaging/changelog.gz
    COMMAND gzip -9nf -k ${CMAKE_BINARY_DIR}/packaging/changelog
    DEPENDS ${CMAKE_BINARY_DIR}/packaging/changelog
    VERBATIM)
add_custom_target(corvane_changelog ALL DEPENDS ${CMAKE_BINARY_DIR}/packaging/changelog.gz)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/copyright ${CMAKE_BINARY_DIR}/packaging/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/corvane)
