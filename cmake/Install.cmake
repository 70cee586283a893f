# What `cmake --install` puts where: the executables in bin, the program
# folder's data files in share/quoravel, and the desktop files (entry, icon,
# AppStream metadata, manual pages, copyright) where the desktop and man look.
include(GNUInstallDirs)

find_program(HELP2MAN help2man)
find_program(GZIP gzip)
if(NOT HELP2MAN OR NOT GZIP)
  message(FATAL_ERROR "The manual pages need help2man and gzip: run scripts/setup.sh")
endif()

# Debian wants 0755 folders whatever the umask of the machine that installs.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(QUORAVEL_DATA_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
set(QUORAVEL_DATA_DESTINATION "${CMAKE_INSTALL_DATADIR}/quoravel")
set(packaging "${PROJECT_SOURCE_DIR}/packaging")
set(generated "${PROJECT_BINARY_DIR}/packaging")

install(TARGETS quoravel quoravel-ratetool quoravel-render RUNTIME DESTINATION "${CMAKE_INSTALL_BINDIR}")
# A stripped install (the package) also drops the compiler's notes, as
# Debian's own packages do.
if(CMAKE_STRIP)
  foreach(program quoravel quoravel-ratetool quoravel-render)
    install(CODE "if(CMAKE_INSTALL_DO_STRIP)
      execute_process(COMMAND \"${CMAKE_STRIP}\" --remove-section=.comment --remove-section=.note
        \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/$<TARGET_FILE_NAME:${program}>\")
    endif()")
  endforeach()
endif()

# The data files by name, as the build made them, so that a file someone
# left in the program folder does not travel with the program.
get_property(program_data GLOBAL PROPERTY QUORAVEL_PROGRAM_DATA)
install(FILES ${program_data} DESTINATION "${QUORAVEL_DATA_DESTINATION}" PERMISSIONS ${QUORAVEL_DATA_PERMISSIONS})
get_property(web_data GLOBAL PROPERTY QUORAVEL_WEB_DATA)
install(FILES ${web_data} DESTINATION "${QUORAVEL_DATA_DESTINATION}/web" PERMISSIONS ${QUORAVEL_DATA_PERMISSIONS})
# The rate files are named by the manifest the build writes while making
# them, so they are listed when installing, not when configuring.
install(CODE "set(QUORAVEL_RATE_MANIFEST \"${PROJECT_BINARY_DIR}/sample-rate-tables/manifest.txt\")
set(QUORAVEL_PROGRAM_DIR \"${QUORAVEL_PROGRAM_DIR}\")
set(QUORAVEL_DATA_DESTINATION \"${QUORAVEL_DATA_DESTINATION}\")")
install(SCRIPT "${CMAKE_CURRENT_LIST_DIR}/InstallRateFiles.cmake")

# Manual pages, written by help2man from each program's --help and the
# sections of packaging/<program>.h2m (NAME, FILES, SEE ALSO), so they
# follow the programs.
set(man_pages)
foreach(program quoravel quoravel-ratetool quoravel-render)
  set(page "${generated}/${program}.1")
  add_custom_command(OUTPUT "${page}.gz"
    # The version is given: quoravel --version also names the rate set of
    # the build's program folder, which is no business of the manual.
    COMMAND "${HELP2MAN}" --no-info --version-string "${PROJECT_VERSION}" --include "${packaging}/${program}.h2m"
            --output "${page}" "$<TARGET_FILE:${program}>"
    # -n: no name or time stamp in the archive, so a rebuild gives the same bytes.
    COMMAND "${GZIP}" -9nf "${page}"
    DEPENDS ${program} "${packaging}/${program}.h2m"
    COMMENT "Manual page of ${program}"
    VERBATIM)
  list(APPEND man_pages "${page}.gz")
endforeach()

add_custom_command(OUTPUT "${generated}/changelog.gz"
  COMMAND ${CMAKE_COMMAND} -E copy "${packaging}/changelog" "${generated}/changelog"
  COMMAND "${GZIP}" -9nf "${generated}/changelog"
  DEPENDS "${packaging}/changelog"
  VERBATIM)
add_custom_target(install_files ALL DEPENDS ${man_pages} "${generated}/changelog.gz")

install(FILES ${man_pages} DESTINATION "${CMAKE_INSTALL_MANDIR}/man1")
install(FILES "${packaging}/quoravel.desktop" DESTINATION "${CMAKE_INSTALL_DATADIR}/applications")
# The HTTP server as a system service, installed but not enabled.
configure_file("${packaging}/quoravel-serve.service.in" "${generated}/quoravel-serve.service" @ONLY)
install(FILES "${generated}/quoravel-serve.service" DESTINATION "lib/systemd/system")
install(FILES "${packaging}/quoravel.metainfo.xml" DESTINATION "${CMAKE_INSTALL_DATADIR}/metainfo")
foreach(size IN LISTS QUORAVEL_ICON_SIZES)
  install(FILES "${PROJECT_BINARY_DIR}/icons/hicolor/${size}x${size}/apps/quoravel.png"
    DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps")
endforeach()
install(FILES "${packaging}/copyright" "${generated}/changelog.gz"
  DESTINATION "${CMAKE_INSTALL_DATADIR}/doc/quoravel")
# The documents of administrators and integrators, the schema quote.md links
# to, with the relay examples; the README's pictures stay in the repository.
install(DIRECTORY "${PROJECT_SOURCE_DIR}/docs/" DESTINATION "${CMAKE_INSTALL_DATADIR}/doc/quoravel"
  FILES_MATCHING PATTERN "*.md" PATTERN "*.json" PATTERN "images" EXCLUDE)
install(DIRECTORY "${PROJECT_SOURCE_DIR}/examples/relay" DESTINATION "${CMAKE_INSTALL_DATADIR}/doc/quoravel/examples")
install(FILES "${packaging}/lintian-overrides" DESTINATION "${CMAKE_INSTALL_DATADIR}/lintian/overrides" RENAME quoravel)

include("${CMAKE_CURRENT_LIST_DIR}/Package.cmake")
