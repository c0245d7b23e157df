// Angles shown in degrees and times in milliseconds, while the stored numbers
// stay tenths of a degree and milliseconds: the text rules, the angle spin box
// (what typing means), and the window's joint panel and frame table.

#include <QtTest>
#include <QAbstractItemDelegate>
#include <QSpinBox>
#include <QStandardItemModel>
#include <QTableView>
#include <QTemporaryDir>

#include "app/mainwindow.h"
#include "motion/anglespinbox.h"
#include "motion/angletext.h"
#include "motion/frametable.h"
#include "motion/motiondocument.h"
#include "support/scriptedprompt.h"
#include "support/windowfixture.h"
#include "ui_mainwindow.h"

using namespace frametable;

namespace {

// Types text over the whole number of a spin box and presses Enter.
void typeInto(QSpinBox *box, const QString &text)
{
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, text);
    QTest::keyClick(box, Qt::Key_Return);
}

QString shownIn(QTableView *view, int row, int column)
{
    const QModelIndex index = view->model()->index(row, column);
    QAbstractItemDelegate *d = view->itemDelegate(index);
    auto *styled = qobject_cast<QStyledItemDelegate *>(d);
    return styled ? styled->displayText(index.data(Qt::DisplayRole), QLocale()) : QString();
}

} // namespace

class TestAngleUnits : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> workDir;
    QString startDir;

private slots:
    void initTestCase() { startDir = QDir::currentPath(); }
    void cleanupTestCase() { QDir::setCurrent(startDir); }

    // ------------------------------------------------------------ text rules

    void formatting()
    {
        QCOMPARE(angletext::format(90), QStringLiteral("9.0°"));
        QCOMPARE(angletext::format(0), QStringLiteral("0.0°"));
        QCOMPARE(angletext::format(-5), QStringLiteral("-0.5°"));
        QCOMPARE(angletext::format(-3000), QStringLiteral("-300.0°"));
        QCOMPARE(angletext::format(65535), QStringLiteral("6553.5°"));
        QCOMPARE(angletext::number(125), QStringLiteral("12.5"));
        QCOMPARE(angletext::format(INT_MIN), QStringLiteral("-214748364.8°"));
    }

    void typing_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("state"); // 0 invalid, 1 on its way, 2 acceptable
        QTest::addColumn<int>("tenths");
        QTest::newRow("whole degrees") << "9" << 2 << 90;
        QTest::newRow("one decimal") << "9.0" << 2 << 90;
        QTest::newRow("with the sign") << "9.0°" << 2 << 90;
        QTest::newRow("blanks") << " 9.5 ° " << 2 << 95;
        QTest::newRow("decimal point last") << "9." << 2 << 90;
        QTest::newRow("half") << "-12.5" << 2 << -125;
        QTest::newRow("below one") << "-.5" << 2 << -5;
        QTest::newRow("plus") << "+3" << 2 << 30;
        QTest::newRow("empty") << "" << 1 << 0;
        QTest::newRow("minus") << "-" << 1 << 0;
        QTest::newRow("point") << "." << 1 << 0;
        QTest::newRow("two decimals") << "9.05" << 0 << 0;
        QTest::newRow("letters") << "9a" << 0 << 0;
        QTest::newRow("two signs") << "--9" << 0 << 0;
        QTest::newRow("too many digits") << "1234567" << 0 << 0;
        QTest::newRow("comma") << "9,5" << 0 << 0;
    }

    void typing()
    {
        QFETCH(QString, text);
        QFETCH(int, state);
        QFETCH(int, tenths);
        QCOMPARE(int(angletext::check(text)), state);
        bool ok = true;
        QCOMPARE(angletext::parse(text, &ok), tenths);
        QCOMPARE(ok, state == 2);
    }

    // ------------------------------------------------------------ the spin box

    void spinBoxShowsAndTakesDegrees()
    {
        AngleSpinBox box;
        box.setRange(-3000, 3000);
        box.setSingleStep(10);
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        box.setValue(90);
        QCOMPARE(box.text(), QStringLiteral("9.0°"));
        QCOMPARE(box.cleanText(), QStringLiteral("9.0"));

        // What the user types is degrees: 9 and 9.0 both mean 90 tenths.
        box.setValue(0);
        typeInto(&box, QStringLiteral("9"));
        QCOMPARE(box.value(), 90);
        box.setValue(0);
        typeInto(&box, QStringLiteral("9.0"));
        QCOMPARE(box.value(), 90);
        typeInto(&box, QStringLiteral("-12.5"));
        QCOMPARE(box.value(), -125);
        QCOMPARE(box.text(), QStringLiteral("-12.5°"));
        // A second decimal is refused as it is typed.
        typeInto(&box, QStringLiteral("9.05"));
        QCOMPARE(box.value(), 90);
        // Beyond the range (300.0°) the box keeps the last angle in range
        // ("30" as typed on the way to "301").
        typeInto(&box, QStringLiteral("301"));
        QCOMPARE(box.value(), 300);
        QCOMPARE(box.text(), QStringLiteral("30.0°"));
        // One step is one degree.
        QTest::keyClick(&box, Qt::Key_Up);
        QCOMPARE(box.value(), 310);
        QCOMPARE(box.text(), QStringLiteral("31.0°"));
    }

    // ------------------------------------------------------------ the window

    void jointPanelAndTableShowUnits()
    {
        StartedWindow s = startWindow(workDir);
        s.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(s.window.get()));
        s.ui->actionOrigin_frame->trigger();
        QCOMPARE(s.window->document().rowCount(), 1);
        QCOMPARE(s.window->document().currentRow(), 0);

        // Every angle box of the panel (the common one too) is an angle box.
        QList<QSpinBox *> boxes = s.window->findChildren<QSpinBox *>(QRegularExpression(QStringLiteral("^spinBoxAngle")));
        QCOMPARE(boxes.size(), 20);
        for (QSpinBox *box : boxes)
            QVERIFY2(qobject_cast<AngleSpinBox *>(box), qPrintable(box->objectName()));

        // Typing 9 in a joint's box stores 90 tenths in the frame.
        typeInto(s.ui->spinBoxAngleLleg2, QStringLiteral("9"));
        QCOMPARE(s.window->document().cell(0, 5), 90);
        QCOMPARE(s.ui->spinBoxAngleLleg2->text(), QStringLiteral("9.0°"));
        QCOMPARE(s.ui->spinBoxAngle->text(), QStringLiteral("9.0°"));
        QCOMPARE(s.ui->dialSetAngle->value(), 90);
        QVERIFY(s.ui->spinBoxOperationTime->text().endsWith(QStringLiteral(" ms")));
        QVERIFY(s.ui->spinBoxDelayTime->text().endsWith(QStringLiteral(" ms")));

        // The table shows the same frame with units; its cells keep the numbers.
        QTableView *view = s.ui->tableView;
        QCOMPARE(shownIn(view, 0, 5), QStringLiteral("9.0°"));
        QCOMPARE(shownIn(view, 0, 0), angletext::format(s.window->document().cell(0, 0)));
        QCOMPARE(shownIn(view, 0, ColOperationTime),
                 QString::number(s.window->document().cell(0, ColOperationTime)) + QStringLiteral(" ms"));
        QCOMPARE(shownIn(view, 0, ColDelayTime),
                 QString::number(s.window->document().cell(0, ColDelayTime)) + QStringLiteral(" ms"));
        QCOMPARE(view->model()->index(0, 5).data(Qt::EditRole).toInt(), 90);
        QCOMPARE(shownIn(view, 0, ColVolume), QString::number(s.window->document().cell(0, ColVolume)));

        // The file keeps tenths: servo 7 (the sixth angle) is written as 90.
        const QString path = workDir->filePath(QStringLiteral("units.ini"));
        QVERIFY(s.window->document().save(path, false).ok());
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        const int at = bytes.indexOf("FR:");
        QVERIFY(at >= 0);
        const QList<QByteArray> fields = bytes.mid(at + 3, bytes.indexOf(';', at) - at - 3).split(',');
        QCOMPARE(fields.value(5 + 5), QByteArray("90"));
    }
};

QTEST_MAIN(TestAngleUnits)
#include "tst_angleunits.moc"
