#pragma once

// Registers the seven list models as QML types of "TableModel" 1.0. Start-up calls it before
// loading QML; so do the QML tests.
void registerTableModels();
