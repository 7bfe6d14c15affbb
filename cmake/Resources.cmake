# Builds one resource file from src/ui (as "/ui/..."), src/assets (as "/assets/...") and the
# message catalogues compiled from src/translations/*.ts (as "/translations/<lang>.qm").
# The generated code is listed in <out_var>; call initResources() (core/AppResources.h) before use.
function(parlavine_resources out_var)
    set(src ${PROJECT_SOURCE_DIR}/src)
    file(GLOB_RECURSE ui_files CONFIGURE_DEPENDS RELATIVE ${src} ${src}/ui/*)
    file(GLOB_RECURSE asset_files CONFIGURE_DEPENDS RELATIVE ${src} ${src}/assets/*)
    list(FILTER asset_files EXCLUDE REGEX "(^|/)(README[^/]*|.*\\.(py|sh|svg))$")
    file(GLOB ts_files CONFIGURE_DEPENDS ${src}/translations/*.ts)

    # The icon font is generated from the SVG icons under src/assets/iconfont.
    find_program(FONTFORGE_EXECUTABLE fontforge REQUIRED)
    set(iconfont ${CMAKE_CURRENT_BINARY_DIR}/assets/fonts/iconfont.ttf)
    file(GLOB icon_svgs CONFIGURE_DEPENDS ${src}/assets/iconfont/*.svg)
    add_custom_command(OUTPUT ${iconfont}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/assets/fonts
        COMMAND ${FONTFORGE_EXECUTABLE} -quiet -lang=py -script ${src}/assets/iconfont/make_iconfont.py ${iconfont}
        DEPENDS ${src}/assets/iconfont/make_iconfont.py ${icon_svgs}
        COMMENT "Generating the icon font" VERBATIM)

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
    string(APPEND body "    <file alias=\"assets/fonts/iconfont.ttf\">${iconfont}</file>\n")
    foreach(qm ${qm_files})
        get_filename_component(name ${qm} NAME)
        string(APPEND body "    <file alias=\"translations/${name}\">${qm}</file>\n")
    endforeach()
    string(APPEND body "  </qresource>\n</RCC>\n")
    file(CONFIGURE OUTPUT ${qrc} CONTENT "${body}" @ONLY)

    qt5_add_resources(rcc_sources ${qrc} OPTIONS -name parlavine)
    set_source_files_properties(${rcc_sources} PROPERTIES SKIP_AUTOMOC ON)
    set(${out_var} ${rcc_sources} ${qm_files} ${iconfont} PARENT_SCOPE)
endfunction()
