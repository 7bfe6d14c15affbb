#include "StandinRoutes.h"

QList<StandinRoute> StandinRoutes::all()
{
    return textTranslation() + textTranslationExtra() + account() + update() + collector() + repositories()
        + fileTranslation() + crashUpload() + loginPage()
        + textRecognition();
}
