#pragma once
// Composes the curves view and the ease command beside the frame list and
// the frame table: a third page of their tab widget. The view follows the
// preview's position; the ease command's download time follows the link's
// choice of cable or Bluetooth bridge.
// Widgets it owns: tabWidget_3

#include <QObject>

namespace Ui { class MainWindow; }
class ConnectionPanel;
class CurvesView;
class EaseCommand;
class FrameList;
class MotionDocument;
class Playback;
class Prompt;
class QWidget;

class CurvesPage : public QObject
{
    Q_OBJECT

public:
    CurvesPage(Ui::MainWindow *ui, QWidget *window, MotionDocument &document, FrameList &list,
               Playback &playback, const ConnectionPanel &connection, Prompt &prompt, QObject *parent = nullptr);

    CurvesView &view() const { return *view_; }
    EaseCommand &ease() const { return *ease_; }

private:
    CurvesView *view_ = nullptr;
    EaseCommand *ease_ = nullptr;
};
