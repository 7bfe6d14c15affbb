# Builds one resource file from src/ui (as "/ui/..."), src/assets (as "/assets/...") and the
# message catalogues compiled from src/translations/*.ts (as "/translations/<lang>.qm").
# The generated code is listed in <out_var>; call initResources() (core/AppResources.h) before use.
function(parlavine_resources out_var)
    set(src ${PROJECT_SOURCE_DIR}/src)
    file(GLOB_RECURSE ui_files CONFIGURE_DEPENDS RELATIVE ${src} ${src}/ui/*)
    file(GLOB_RECURSE asset_files CONFIGURE_DEPENDS RELATIVE ${src} ${src}/assets/*)
    list(FILTER asset_files EXCLUDE REGEX "(^|/)(README[^/]*|.*\\.(py|sh|svg))$")
    file(GLOB ts_files CONFIGURE_DEPENDS ${src}/translations/*.ts)

    set(qm_files "")
    if(ts_files)
        set_source_files_properties(${ts_files} PROPERTIES OUTPUT_LOCATION ${CMAKE_CURRENT_BINARY_DIR}/translations)
        qt5_add_translation(qm_files ${ts_files})
    endif()

    set(qrc ${CMAKE_CURRENT_BINARY_DIR}/parlavine.qrc)
    set(body "<RCC>\n  <qresource prefix=\"/\">\n")
    foreach(f ${ui_files} ${asset_files})
        string(APPEND body "    <file alias=\"${f}\">${src}/${f}</file>\n")
    endforeach()
    foreach(qm ${qm_files})
        get_filename_component(name ${qm} NAME)
        string(APPEND body "    <file alias=\"translations/${name}\">${qm}</file>\n")
    endforeach()
    string(APPEND body "  </qresource>\n</RCC>\n")
    file(CONFIGURE OUTPUT ${qrc} CONTENT "${body}" @ONLY)

    qt5_add_resources(rcc_sources ${qrc} OPTIONS -name parlavine)
    set_source_files_properties(${rcc_sources} PROPERTIES SKIP_AUTOMOC ON)
    set(${out_var} ${rcc_sources} ${qm_files} PARENT_SCOPE)
endfunction()
