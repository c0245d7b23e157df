// The window at its start size: every page fits without being cut off, and a
// picture of each page is saved under the build folder for a look by eye.

#include <QtTest>
#include <QDir>
#include <QScrollArea>
#include <QTabWidget>
#include <QTemporaryDir>

#include "app/mainwindow.h"
#include "ui_mainwindow.h"

class TestLayout : public QObject
{
    Q_OBJECT

private slots:
    void pagesFitTheStartSize()
    {
        const QString out = QDir::currentPath() + QStringLiteral("/artifacts");
        QDir().mkpath(out);
        QTemporaryDir work;
        QDir::setCurrent(work.path());
        MainWindow window;
        Ui::MainWindow *ui = window.form();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        struct Page { int main; int joint; const char *name; };
        const Page pages[] = {{0, 0, "edit"}, {0, 1, "edit-led"}, {0, 2, "edit-files"},
                              {1, 0, "robot-setting"}, {2, 0, "remote-setting"}, {3, 0, "servo-setting"}};
        for (const Page &p : pages) {
            ui->tabWidget->setCurrentIndex(p.main);
            ui->tabWidgetJoint->setCurrentIndex(p.joint);
            QTest::qWait(50);
            QWidget *page = ui->tabWidget->currentWidget();
            // A page either fits or scrolls; it is never squeezed below its minimum.
            const QSize min = page->minimumSizeHint();
            QVERIFY2(min.width() <= page->width() && min.height() <= page->height(),
                     qPrintable(QStringLiteral("%1: needs %2x%3, has %4x%5")
                                    .arg(QLatin1String(p.name)).arg(min.width()).arg(min.height())
                                    .arg(page->width()).arg(page->height())));
            window.grab().save(out + QStringLiteral("/window-%1.png").arg(QLatin1String(p.name)));
        }
        QDir::setCurrent(out + QStringLiteral("/.."));
    }
};

QTEST_MAIN(TestLayout)
#include "tst_layout.moc"
