# Embeds the program's version-information block (from cmake/version-info)
# into an executable, in the section where the version reader looks for it.
function(quelvo_embed_version target)
    set(data ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/version-info)
    set(source ${CMAKE_CURRENT_BINARY_DIR}/${target}-version-block.cpp)
    add_custom_command(OUTPUT ${source}
        COMMAND quelvo-versionblock ${data} ${source}
        DEPENDS quelvo-versionblock ${data}
        COMMENT "Generating the version block of ${target}"
        VERBATIM)
    set_source_files_properties(${source} PROPERTIES SKIP_AUTOGEN ON)
    target_sources(${target} PRIVATE ${source})
endfunction()
