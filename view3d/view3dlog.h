#pragma once
// Logging categories of the 3D view. Their debug messages are off unless
// QT_LOGGING_RULES turns them on, e.g. "gaitforge.view3d.*.debug=true":
//   gaitforge.view3d.load    meshes, materials and shaders being made
//   gaitforge.view3d.frame   frames over budget ("took"), resizes, GL version
//   gaitforge.view3d.camera  camera animation steps

#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lcView3dLoad)
Q_DECLARE_LOGGING_CATEGORY(lcView3dFrame)
Q_DECLARE_LOGGING_CATEGORY(lcView3dCamera)
