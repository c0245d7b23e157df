#include "app/startup.h"

#include <QCoreApplication>
#include <QSurfaceFormat>
#include <QTranslator>

#include "app/initfile.h"
#include "app/resourceinit.h"

void setDefaultSurfaceFormat()
{
    QSurfaceFormat format;
    format.setProfile(QSurfaceFormat::CompatibilityProfile);
    format.setDepthBufferSize(24);
    QSurfaceFormat::setDefaultFormat(format);
}

int installStartupTranslators(QCoreApplication &app, int language, QTranslator &qtTranslator,
                              QTranslator &appTranslator)
{
    if (language != initfile::LanguageZhSimple && language != initfile::LanguageZhTraditional)
        return 0;
    initGaitForgeResources();
    const bool simple = language == initfile::LanguageZhSimple;
    int installed = 0;
    if (qtTranslator.load(simple ? QStringLiteral(":/language/language/qt_zh_CN")
                                 : QStringLiteral(":/language/language/qt_zh_TW"))) {
        app.installTranslator(&qtTranslator);
        ++installed;
    }
    if (appTranslator.load(simple ? QStringLiteral(":/language/language/gaitForge_zh_simple")
                                  : QStringLiteral(":/language/language/gaitForge_zh_traditional"))) {
        app.installTranslator(&appTranslator);
        ++installed;
    }
    return installed;
}
