#pragma once

// The QML documents, assets and message catalogues are compiled into parlavine_core;
// a static library needs this call before the first ":/" or "qrc:/" access.
void initResources();
