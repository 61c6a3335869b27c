cmake_minimum_required(VERSION 3.25)
# `cmake --install` into a fresh prefix lays out the standard tree, and the installed CLI
# finds its data under share/ from bin/.
file(REMOVE_RECURSE ${SCRATCH})
set(prefix ${SCRATCH}/prefix)
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix}
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "cmake --install failed (${status}):\n${out}\n${err}")
endif()

set(expected
    bin/qorvan-logo-cli
    share/qorvan-logo/basgl.bgd
    share/qorvan-logo/embedded/fallback.gld
    share/qorvan-logo/shapes.txt
    share/qorvan-logo/fontcategories.txt
    share/qorvan-logo/licenses/fonts-symbola.txt
    share/qorvan-logo/licenses/fonts-dejavu-core.txt
    share/doc/qorvan-logo/LICENSE
    share/doc/qorvan-logo/copyright
    share/man/man1/qorvan-logo-cli.1*)
foreach(n RANGE 1 11)
    list(APPEND expected share/qorvan-logo/embedded/emb${n}.gld)
endforeach()
if(WITH_EDITOR)
    list(APPEND expected
        bin/qorvan-logo
        share/qorvan-logo/help/index.html
        share/applications/${APP_ID}.desktop
        share/metainfo/${APP_ID}.metainfo.xml
        share/mime/packages/qorvan-logo.xml
        share/icons/hicolor/48x48/apps/qorvan-logo.png
        share/icons/hicolor/256x256/apps/qorvan-logo.png
        share/icons/hicolor/48x48/mimetypes/application-x-qorvan-logo.png
        share/man/man1/qorvan-logo.1*)
endif()
set(missing "")
foreach(pattern IN LISTS expected)
    file(GLOB found ${prefix}/${pattern})
    if(NOT found)
        string(APPEND missing "  ${pattern}\n")
    endif()
endforeach()
# The styles and templates are whole folders of the build's making; some of each must be there.
foreach(folder styles templates)
    file(GLOB found ${prefix}/share/qorvan-logo/${folder}/*)
    if(NOT found)
        string(APPEND missing "  share/qorvan-logo/${folder}/*\n")
    endif()
endforeach()
if(missing)
    message(FATAL_ERROR "not installed under ${prefix}:\n${missing}")
endif()

# Nothing of the build tree's own comes along: no tests, build tools or stamps.
file(GLOB_RECURSE installed RELATIVE ${prefix} ${prefix}/*)
foreach(file IN LISTS installed)
    if(file MATCHES "(^bin/.*_test|^bin/tst_|^bin/engine_|mkfonts|mkdesigns|mkicons|\\.stamp$)")
        message(FATAL_ERROR "the install carries a build-tree file: ${file}")
    endif()
endforeach()
# The programs themselves are in bin, not links to another folder.
foreach(program qorvan-logo-cli qorvan-logo)
    if(IS_SYMLINK ${prefix}/bin/${program})
        message(FATAL_ERROR "bin/${program} is a link, not the program")
    endif()
endforeach()

# The installed CLI reads the installed library: it counts the templates installed under
# share/qorvan-logo (none would be found from bin/ alone).
execute_process(COMMAND ${prefix}/bin/qorvan-logo-cli info
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 120)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "the installed qorvan-logo-cli info failed (${status}):\n${err}")
endif()
file(GLOB templates ${prefix}/share/qorvan-logo/templates/*.kuz)
list(LENGTH templates count)
if(count EQUAL 0 OR NOT out MATCHES "\nTemplates: ${count}\n")
    message(FATAL_ERROR "the installed qorvan-logo-cli info does not count the ${count} "
                        "templates of share/qorvan-logo:\n${out}")
endif()
file(REMOVE_RECURSE ${SCRATCH})
