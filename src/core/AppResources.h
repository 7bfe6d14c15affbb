#pragma once

// The compiled QML documents, assets and message catalogues are built into parlavine_core;
// a static library needs this call before the first ":/" or "qrc:/" access.
void initResources();
