#pragma once
// Program entry helpers: the default surface format and the translators chosen
// by the init file's language line.

class QCoreApplication;
class QTranslator;

// Compatibility profile with a 24-bit depth buffer, installed as the process
// default; must run before the application object exists.
void setDefaultSurfaceFormat();

// For language 2 (simplified) or 3 (traditional Chinese), loads Qt's own and
// the program's translation into the two translators and installs each one
// that loaded. Returns how many were installed (0 for English or no choice).
int installStartupTranslators(QCoreApplication &app, int language, QTranslator &qtTranslator,
                              QTranslator &appTranslator);
