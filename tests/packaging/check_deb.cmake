cmake_minimum_required(VERSION 3.25)
# `cpack -G DEB` makes a package with its fields filled in, dependencies found by
# dpkg-shlibdeps, and the installed tree under /usr.
file(REMOVE_RECURSE ${SCRATCH})
file(MAKE_DIRECTORY ${SCRATCH})
# gzip instead of the release's xz: the same package, made in half the time.
execute_process(COMMAND ${CPACK} -G DEB -B ${SCRATCH} --config ${BUILD_DIR}/CPackConfig.cmake
                        -D CPACK_DEBIAN_COMPRESSION_TYPE=gzip
                WORKING_DIRECTORY ${BUILD_DIR}
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
file(GLOB deb ${SCRATCH}/*.deb)
if(NOT status EQUAL 0 OR NOT deb)
    message(FATAL_ERROR "cpack -G DEB failed (${status}):\n${out}\n${err}")
endif()

execute_process(COMMAND ${DPKG_DEB} -I ${deb} RESULT_VARIABLE status OUTPUT_VARIABLE info)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "dpkg-deb -I ${deb} failed")
endif()
set(problems "")
foreach(field "Package: qorvan-logo" "Version: ${VERSION}" "Section: graphics"
              "Maintainer: [^\n]+<[^\n]+@[^\n]+>" "Description: [^\n]+")
    if(NOT info MATCHES "\n ${field}")
        string(APPEND problems "  no field '${field}'\n")
    endif()
endforeach()
string(REGEX MATCH "\n Depends: [^\n]+" depends "${info}")
foreach(library libfreetype6 libqt6widgets6 libqt6gui6 libqt6core6 libpng16-16)
    if(NOT depends MATCHES "[ ,]${library}[ ,(]")
        string(APPEND problems "  Depends does not name ${library}\n")
    endif()
endforeach()

execute_process(COMMAND ${DPKG_DEB} -c ${deb} RESULT_VARIABLE status OUTPUT_VARIABLE contents)
foreach(path
        ./usr/bin/qorvan-logo
        ./usr/bin/qorvan-logo-cli
        ./usr/share/qorvan-logo/basgl.bgd
        ./usr/share/qorvan-logo/embedded/emb11.gld
        ./usr/share/qorvan-logo/embedded/fallback.gld
        ./usr/share/qorvan-logo/help/index.html
        ./usr/share/qorvan-logo/licenses/fonts-dejavu-core.txt
        ./usr/share/qorvan-logo/templates/
        ./usr/share/qorvan-logo/styles/
        ./usr/share/applications/${APP_ID}.desktop
        ./usr/share/metainfo/${APP_ID}.metainfo.xml
        ./usr/share/mime/packages/qorvan-logo.xml
        ./usr/share/icons/hicolor/256x256/apps/qorvan-logo.png
        ./usr/share/man/man1/qorvan-logo.1
        ./usr/share/man/man1/qorvan-logo-cli.1
        ./usr/share/doc/qorvan-logo/copyright)
    string(REPLACE "." "\\." pattern "${path}")
    string(REPLACE "+" "\\+" pattern "${pattern}")
    if(NOT contents MATCHES " ${pattern}")
        string(APPEND problems "  the package lacks ${path}\n")
    endif()
endforeach()
# A cache the system builds from the installed files must not ship in the package.
if(contents MATCHES "/mime/(mime\\.cache|globs)|/applications/mimeinfo\\.cache")
    string(APPEND problems "  the package carries a generated desktop cache\n")
endif()
if(problems)
    message(FATAL_ERROR "${deb}:\n${problems}\ndpkg-deb -I:\n${info}")
endif()

# The binaries are stripped: no debugging sections left. CPack's staging tree holds exactly
# what went into the package.
file(GLOB staged ${SCRATCH}/_CPack_Packages/*/DEB/*/usr/bin)
find_program(READELF readelf)
if(READELF AND staged)
    foreach(program qorvan-logo qorvan-logo-cli)
        execute_process(COMMAND ${READELF} -S ${staged}/${program} OUTPUT_VARIABLE sections)
        if(sections MATCHES "\\.debug_info")
            message(FATAL_ERROR "usr/bin/${program} in the package is not stripped")
        endif()
    endforeach()
endif()

find_program(LINTIAN lintian)
if(LINTIAN)
    execute_process(COMMAND ${LINTIAN} --no-tag-display-limit ${deb} OUTPUT_VARIABLE report
                    ERROR_VARIABLE report)
    message(STATUS "lintian (for information):\n${report}")
endif()
file(REMOVE_RECURSE ${SCRATCH})
