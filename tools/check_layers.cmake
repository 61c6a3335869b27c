# Checks the dependency levels of the source tree: a file may include headers of its own folder
# and of the folders listed for it, and nothing of the engine includes Qt.
#
#   cmake -DSOURCE_DIR=<tree> -P tools/check_layers.cmake

set(allowed_app "app")
set(allowed_codecs "app;codecs")
set(allowed_render "app;document;render")
set(allowed_document "app;render;document")
set(allowed_output "app;document;render;codecs;output")
set(allowed_persist "app;document;render;codecs;output;persist")

# The style record and the colour model sit below the renderer, the rest of the document above.
set(model_headers "document/obj_style.h;document/colour_model.h;document/bar_mappings.h;document/role_faces.h")

set(failures "")
foreach(level app codecs render document output persist)
    file(GLOB_RECURSE files "${SOURCE_DIR}/${level}/*.h" "${SOURCE_DIR}/${level}/*.cpp" "${SOURCE_DIR}/${level}/*.inc")
    foreach(file ${files})
        file(STRINGS "${file}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
        file(RELATIVE_PATH rel "${SOURCE_DIR}" "${file}")
        foreach(line ${includes})
            if(line MATCHES "[<\"](Q[A-Za-z]+|Qt[A-Za-z]*/[^>\"]*)[>\"]")
                list(APPEND failures "${rel}: the engine includes Qt (${CMAKE_MATCH_1})")
            endif()
            if(line MATCHES "\"([a-z]+)/([^\"]+)\"")
                set(target_level "${CMAKE_MATCH_1}")
                set(header "${CMAKE_MATCH_1}/${CMAKE_MATCH_2}")
                if(target_level STREQUAL "tests" OR target_level STREQUAL "ui" OR target_level STREQUAL "cli")
                    list(APPEND failures "${rel}: includes ${header}")
                elseif(target_level MATCHES "^(app|codecs|render|document|persist|output)$")
                    list(FIND allowed_${level} "${target_level}" found)
                    if(found EQUAL -1)
                        list(APPEND failures "${rel}: ${level}/ may not include ${header}")
                    endif()
                    # The renderer may only see the document's model, not the logo document.
                    if(level STREQUAL "render" AND target_level STREQUAL "document")
                        list(FIND model_headers "${header}" is_model)
                        if(is_model EQUAL -1)
                            list(APPEND failures "${rel}: render/ may not include ${header}")
                        endif()
                    endif()
                endif()
            endif()
        endforeach()
    endforeach()
endforeach()

if(failures)
    list(JOIN failures "\n  " text)
    message(FATAL_ERROR "Layering violations:\n  ${text}")
endif()
message(STATUS "layering: ok")
