#include "view3d/view3dlog.h"

// Debug output is off by default; warnings (shader failures) stay on.
Q_LOGGING_CATEGORY(lcView3dLoad, "gaitforge.view3d.load", QtInfoMsg)
Q_LOGGING_CATEGORY(lcView3dFrame, "gaitforge.view3d.frame", QtInfoMsg)
Q_LOGGING_CATEGORY(lcView3dCamera, "gaitforge.view3d.camera", QtInfoMsg)
