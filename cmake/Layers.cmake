# Each layer publishes only its own folder, as `<folder>/header.h`: a target sees the
# headers of the layers it links and no others, so an upward include fails to compile.
# The folder is reached through a link in a root of its own, since publishing the
# repository root would expose every layer at once.
function(volantra_publish_layer target)
    get_filename_component(layer "${CMAKE_CURRENT_SOURCE_DIR}" NAME)
    set(root "${PROJECT_BINARY_DIR}/layer-roots/${layer}")
    file(MAKE_DIRECTORY "${root}")
    if(NOT EXISTS "${root}/${layer}")
        file(CREATE_LINK "${CMAKE_CURRENT_SOURCE_DIR}" "${root}/${layer}" SYMBOLIC)
    endif()
    target_include_directories(${target} PUBLIC "${root}")
endfunction()
