# Builds the resources: the QML documents of src/ui (as "/ui/...") compiled ahead of time by the
# Qt Quick Compiler, so that start-up neither compiles them nor writes them to the disk cache;
# src/assets (as "/assets/...") and the message catalogues compiled from src/translations/*.ts
# (as "/translations/<lang>.qm") as plain files. The documents' text is not in the resources,
# only their compiled units, found under the same "qrc:/ui/..." URLs.
# The generated code is listed in <out_var>; call initResources() (core/AppResources.h) before use.

# parlavine_write_qrc(<qrc> [<alias> <file>]...)
function(parlavine_write_qrc qrc)
    set(entries ${ARGN})
    set(body "<RCC>\n  <qresource prefix=\"/\">\n")
    while(entries)
        list(POP_FRONT entries alias file)
        string(APPEND body "    <file alias=\"${alias}\">${file}</file>\n")
    endwhile()
    string(APPEND body "  </qresource>\n</RCC>\n")
    file(CONFIGURE OUTPUT ${qrc} CONTENT "${body}" @ONLY)
endfunction()

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

    set(ui_entries "")
    foreach(f ${ui_files})
        list(APPEND ui_entries ${f} ${src}/${f})
    endforeach()
    set(ui_qrc ${CMAKE_CURRENT_BINARY_DIR}/parlavine_ui.qrc)
    parlavine_write_qrc(${ui_qrc} ${ui_entries})
    # Defines qInitResources_parlavine_ui(), which registers the compiled units.
    find_package(Qt5QuickCompiler REQUIRED)
    qtquick_compiler_add_resources(ui_sources ${ui_qrc})

    set(entries assets/fonts/iconfont.ttf ${iconfont})
    foreach(f ${asset_files})
        list(APPEND entries ${f} ${src}/${f})
    endforeach()
    foreach(qm ${qm_files})
        get_filename_component(name ${qm} NAME)
        list(APPEND entries translations/${name} ${qm})
    endforeach()
    parlavine_write_qrc(${CMAKE_CURRENT_BINARY_DIR}/parlavine.qrc ${entries})
    qt5_add_resources(rcc_sources ${CMAKE_CURRENT_BINARY_DIR}/parlavine.qrc OPTIONS -name parlavine)

    set_source_files_properties(${rcc_sources} ${ui_sources} PROPERTIES SKIP_AUTOMOC ON)
    set(${out_var} ${rcc_sources} ${ui_sources} ${qm_files} ${iconfont} PARENT_SCOPE)
endfunction()
