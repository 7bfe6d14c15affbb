#include "core/ThemeColorTable.h"

namespace {

struct ColourEntry
{
    const char* key;
    const char* light;
    const char* dark;
};

const ColourEntry kColours[] = {
    {"windowBG", "#00000000", "#00000000"},
    {"windowBorder", "#881e90ff", "#881e90ff"},
    {"windowShadow", "#88333333", "#88333333"},
    {"contentBG", "#fff", "#101010"},
    {"contentBG2", "#f8fafe", "#1f1f1f"},
    {"contentBorder", "#1e90ff", "#1e90ff"},
    {"contentBorderLite", "#aaa", "#555"},
    {"mainBtnNormal", "#0052d9", "#0052d9"},
    {"mainBtnHover", "#880052d9", "#880052d9"},
    {"mainBtnDisable", "#97A4AD", "#97A4AD"},
    {"mainBtnNormal2", "#366CB3", "#366CB3"},
    {"iconBtnNormal", "#333", "#ccc"},
    {"iconBtnHover", "#88333333", "#88cccccc"},
    {"iconBtnSelect", "#333333", "#ccc"},
    {"iconBtnDisable", "#66333333", "#66cccccc"},
    {"iconBtnDisable2", "#e5e5e5", "#2c2c2c"},
    {"borderIconBtnNormal", "#333", "#ccc"},
    {"borderIconBtnHover", "#0052d9", "#4d94ff"},
    {"borderIconBtnBorder", "#d9d9d9", "#555"},
    {"borderIconBtnBorderHover", "#0052d9", "#1e90ff"},
    {"borderIconBtnBorderDisable", "#88d9d9d9", "#88d9d9d9"},
    {"borderIconBtnBG", "#fff", "#212121"},
    {"borderIconBtnBGDisable", "#f5f5f5", "#2c2c2c"},
    {"liteBtnNormal", "#333", "#ccc"},
    {"liteBtnHover", "#d4d4d4", "#88d4d4d4"},
    {"liteBtnSelect", "#707070", "#8c8c8c"},
    {"liteBtnNormal2", "#797979", "#8c8c8c"},
    {"liteBtnHover2", "#1e90ff", "#1e90ff"},
    {"liteBtnSelect2", "#0052d9", "#4d94ff"},
    {"liteBtnNormal3", "#555", "#555"},
    {"cancelBtnText", "#333", "#ccc"},
    {"cancelBtnNormal", "#fff", "#212121"},
    {"cancelBtnHover", "#d9d9d9", "#2c2c2c"},
    {"radioBtnText", "#333", "#ccc"},
    {"radioBtn", "#0052d9", "#0052d9"},
    {"radioBtnBG", "#fff", "#212121"},
    {"iconImg", "#3489ff", "#3489ff"},
    {"selectHover", "#0052d9", "#0052d9"},
    {"selectText", "#333", "#ccc"},
    {"selectText2", "#606266", "#ccc"},
    {"selectHover2", "#1e90ff", "#1e90ff"},
    {"selectBG", "#fff", "#212121"},
    {"selectBGHL", "#eee", "#2c2c2c"},
    {"dropAreaBorder", "#d9d9d9", "#555"},
    {"dropAreaBorderHover", "#0052d9", "#0052d9"},
    {"checkBtn", "#0052d9", "#0052d9"},
    {"checkBtnHover", "#880052d9", "#880052d9"},
    {"h1Text", "#000", "#fff"},
    {"bodyText", "#333", "#ccc"},
    {"bodyText2", "#555", "#b0b0b0"},
    {"bodyTextLite", "#aaa", "#999"},
    {"titleText", "#7f7f7f", "#8c8c8c"},
    {"hlText", "#0052d9", "#4d94ff"},
    {"line", "#f0f0f0", "#3a3a3a"},
    {"line2", "#aaa", "#555"},
    {"line3", "#f2f2f2", "#2c2c2c"},
    {"line4", "#d7d7d7", "#4a4a4a"},
    {"inputSelect", "#e0eafa", "#2c2c2c"},
    {"inputBorder", "#d9d9d9", "#555"},
    {"inputBorderHL", "#0052d9", "#0052d9"},
    {"passwdInputBG", "#fff", "#101010"},
    {"passwdInputText", "#000", "#fff"},
    {"transInputText", "#d9000000", "#d9ffffff"},
    {"transInputBG", "#fff", "#1f1f1f"},
    {"transInputBorder", "#aaa", "#aaa"},
    {"transInputBorderFocus", "#1e90ff", "#1e90ff"},
    {"transInputHoverText", "#d9000000", "#d9000000"},
    {"transInputHover", "#e0eafa", "#e0eafa"},
    {"transInputSelectText", "#d9000000", "#d9000000"},
    {"transInputSelect", "#e0eafa", "#e0eafa"},
    {"transInputHLText", "transparent", "transparent"},
    {"transInputHL", "#b8cff5", "#5A5B70"},
    {"transInputCursor", "#000", "#fff"},
    {"transHistoryBG", "#f2f2f2", "#2c2c2c"},
    {"transHistoryRow", "#fafafa", "#212121"},
    {"transHistoryRowHL", "#fff", "#3a3a3a"},
    {"transDictAreaBG", "#c8f8fafb", "#2c2c2c"},
    {"transTitleBtnTitle", "#333", "#ccc"},
    {"transTitleBtnTitleHover", "#0052d9", "#0052d9"},
    {"transTitleBtnBG", "#fff", "#212121"},
    {"transTitleBtnBGHover", "#fff", "#2c2c2c"},
    {"transTitleBtnBorder", "#d9d9d9", "#555"},
    {"transTitleBtnBorderHover", "#0052d9", "#0052d9"},
    {"HUDShadow", "#AAAAAA", "#555"},
    {"tableRowBG", "#fff", "#212121"},
    {"tableRowBGHover", "#8881d3f8", "#3a3a3a"},
    {"tableRowBGSelect", "#81d3f8", "#32414b"},
    {"topBar", "#e9edf0", "#1f1f1f"},
    {"avatar", "#9a9a9a", "#707070"},
    {"hotdot", "#e74c3c", "#e74c3c"},
    {"copyright", "#b8b8b8", "#888"},
    // Colours the components used to fix for the light theme, with their dark counterparts.
    {"hintText", "#bcbcbc", "#808080"},
    {"dimText", "#d7d7d7", "#8a8a8a"},
    {"infoBtn", "#1296db", "#0b6fa8"},
    {"dangerBtn", "#ef5350", "#c62828"},
    {"divider", "#e5e5e5", "#3a3a3a"},
    {"switchOff", "#e5e5e5", "#3a3a3a"},
    {"switchOffHover", "#88616161", "#4a4a4a"},
    {"switchOffText", "#616161", "#ccc"},
    {"progressTrack", "#f0f0f0", "#2c2c2c"},
    {"progressBorder", "#333", "#555"},
    {"socialLoginBG", "#f0f0f0", "#2c2c2c"},
};

} // namespace

QVariantMap ThemeColorTable::forType(int type)
{
    const bool dark = type == Dark;
    QVariantMap table;
    table.insert(QStringLiteral("type"), int(dark ? Dark : Light));
    for (const ColourEntry& entry : kColours)
        table.insert(QLatin1String(entry.key), QLatin1String(dark ? entry.dark : entry.light));
    return table;
}

std::optional<int> ThemeColorTable::typeForMode(int mode, bool systemPrefersDark)
{
    switch (mode) {
    case 1:
        return Light;
    case 2:
        return Dark;
    case 3:
        return std::nullopt;
    default:
        return systemPrefersDark ? Dark : Light;
    }
}
