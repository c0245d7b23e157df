// The window at its start size: every page fits without being cut off, every
// text shows whole in each of the three languages, the tab bar stays put from
// page to page, and the mouse wheel scrolls a page instead of changing the
// spin and combo boxes it passes over. A picture of each page is saved under
// the build folder for a look by eye.

#include <QtTest>
#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QStyleOption>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QToolBar>
#include <QTranslator>
#include <QWindow>

#include "app/initfile.h"
#include "app/mainwindow.h"
#include "app/startup.h"
#include "motion/filecommands.h"
#include "motion/framelist.h"
#include "ui_mainwindow.h"

// The windowing system's entry for input events: part of Qt's platform
// interface (qpa), whose header ships only with Qt's private headers.
class Q_GUI_EXPORT QWindowSystemInterface
{
public:
    static bool handleWheelEvent(QWindow *window, ulong timestamp, const QPointF &local, const QPointF &global,
                                 QPoint pixelDelta, QPoint angleDelta, Qt::KeyboardModifiers mods,
                                 Qt::ScrollPhase phase, Qt::MouseEventSource source, bool inverted);
    static bool flushWindowSystemEvents(QEventLoop::ProcessEventsFlags flags);
};

namespace {

struct Page { int main; int joint; int frames; const char *name; };
// Every page of the window, the joint panel's three pages and the frame
// table beside the frame list included.
const Page kPages[] = {{0, 0, 0, "edit"},          {0, 1, 0, "edit-led"},      {0, 2, 0, "edit-files"},
                       {0, 0, 1, "edit-table"},    {1, 0, 0, "robot-setting"}, {2, 0, 0, "remote-setting"},
                       {3, 0, 0, "servo-setting"}};

void showPage(Ui::MainWindow *ui, const Page &p)
{
    ui->tabWidget->setCurrentIndex(p.main);
    ui->tabWidgetJoint->setCurrentIndex(p.joint);
    ui->tabWidget_3->setCurrentIndex(p.frames);
    QTest::qWait(30);
}

// The text as drawn: a single "&" marks a shortcut and is not shown.
QString drawnText(const QString &text)
{
    QString out;
    for (int i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('&') && i + 1 < text.size()) {
            ++i;
            out += text[i];
            continue;
        }
        out += text[i];
    }
    return out;
}

int widest(const QFontMetrics &fm, const QString &text)
{
    int w = 0;
    for (const QString &line : text.split(QLatin1Char('\n')))
        w = qMax(w, fm.horizontalAdvance(line));
    return w;
}

QString describe(const QWidget *w, const QString &text, int need, int have)
{
    return QStringLiteral("%1 \"%2\": needs %3 px, has %4").arg(w->objectName(), text).arg(need).arg(have);
}

// Texts of visible widgets under root that do not fit in the room they are
// given (each is cut off or elided when drawn).
QStringList cutTexts(QWidget *root)
{
    QStringList out;
    for (QLabel *label : root->findChildren<QLabel *>()) {
        if (!label->isVisible() || label->text().isEmpty() || !label->pixmap(Qt::ReturnByValue).isNull())
            continue;
        const QRect room = label->contentsRect().adjusted(label->margin(), label->margin(), -label->margin(),
                                                          -label->margin());
        const int indent = qMax(0, label->indent());
        const bool rich = label->textFormat() == Qt::RichText
                          || (label->textFormat() == Qt::AutoText && Qt::mightBeRichText(label->text()));
        if (label->wordWrap()) {
            if (label->heightForWidth(label->width()) > label->height())
                out << describe(label, label->text(), label->heightForWidth(label->width()), label->height());
            continue;
        }
        int need = 0;
        if (rich) {
            QTextDocument doc;
            doc.setDefaultFont(label->font());
            doc.setDocumentMargin(0);
            doc.setHtml(label->text());
            need = qCeil(doc.idealWidth());
        } else {
            const QString text = label->buddy() ? drawnText(label->text()) : label->text();
            need = widest(label->fontMetrics(), text);
        }
        if (need + indent > room.width())
            out << describe(label, label->text(), need + indent, room.width());
    }
    for (QAbstractButton *button : root->findChildren<QAbstractButton *>()) {
        if (!button->isVisible() || button->text().isEmpty())
            continue;
        const QString text = drawnText(button->text());
        const int iconRoom = button->icon().isNull() ? 0 : button->iconSize().width() + 4;
        const int need = widest(button->fontMetrics(), text) + iconRoom;
        QStyleOptionButton opt;
        opt.initFrom(button);
        opt.text = text;
        QStyle::SubElement contents;
        if (qobject_cast<QCheckBox *>(button))
            contents = QStyle::SE_CheckBoxContents;
        else if (qobject_cast<QRadioButton *>(button))
            contents = QStyle::SE_RadioButtonContents;
        else if (qobject_cast<QPushButton *>(button))
            contents = QStyle::SE_PushButtonContents;
        else
            continue; // tool buttons in the tool bars show icons only
        const int have = button->style()->subElementRect(contents, &opt, button).width();
        if (need > have)
            out << describe(button, text, need, have);
    }
    for (QComboBox *combo : root->findChildren<QComboBox *>()) {
        if (!combo->isVisible())
            continue;
        QStyleOptionComboBox opt;
        opt.initFrom(combo);
        opt.editable = combo->isEditable();
        opt.frame = combo->hasFrame();
        const int have =
            combo->style()->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, combo).width();
        for (int i = 0; i < combo->count(); ++i) {
            const int iconRoom = combo->itemIcon(i).isNull() ? 0 : combo->iconSize().width() + 4;
            // Qt sizes a combo box by the ink of its texts, not their advance.
            const int need = combo->fontMetrics().boundingRect(combo->itemText(i)).width() + iconRoom;
            if (need > have)
                out << describe(combo, combo->itemText(i), need, have);
        }
    }
    for (QHeaderView *header : root->findChildren<QHeaderView *>()) {
        if (!header->isVisible() || !header->model())
            continue;
        const int margin = header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
        for (int i = 0; i < header->count(); ++i) {
            if (header->isSectionHidden(i))
                continue;
            const QString text = header->model()->headerData(i, header->orientation()).toString();
            const int need = widest(header->fontMetrics(), text) + 2 * margin;
            if (need > header->sectionSize(i))
                out << describe(header, text, need, header->sectionSize(i));
        }
    }
    for (QSpinBox *spin : root->findChildren<QSpinBox *>()) {
        if (!spin->isVisible() || spin->parentWidget()->inherits("QAbstractItemView"))
            continue;
        // The widest value it can show: a spin box at its bounds.
        QLineEdit *edit = spin->findChild<QLineEdit *>();
        const int value = spin->value();
        const QSignalBlocker quiet(spin);
        int need = 0;
        for (int bound : {spin->minimum(), spin->maximum()}) {
            spin->setValue(bound);
            need = qMax(need, edit->fontMetrics().horizontalAdvance(spin->text()));
        }
        spin->setValue(value);
        const QMargins m = edit->textMargins();
        const int have = edit->contentsRect().width() - m.left() - m.right() - 4; // the line edit's own margin
        if (need > have)
            out << describe(spin, spin->text(), need, have);
    }
    return out;
}

// Sends a wheel turn (one notch up) over the centre of w as the windowing
// system does, so the application delivers it to the widget under the pointer
// and hands it on to the parents while none takes it (Qt passes a wheel event
// on only when it comes from the windowing system).
void wheelOver(QWidget *w)
{
    const QPoint global = w->mapToGlobal(w->rect().center());
    QWidget *window = w->window();
    QVERIFY(window->windowHandle());
    QVERIFY2(QApplication::widgetAt(global), "nothing under the pointer");
    QWindowSystemInterface::handleWheelEvent(window->windowHandle(), 0, window->mapFromGlobal(global), global,
                                             QPoint(), QPoint(0, 120), Qt::NoModifier, Qt::NoScrollPhase,
                                             Qt::MouseEventNotSynthesized, false);
    QWindowSystemInterface::flushWindowSystemEvents(QEventLoop::AllEvents);
}

} // namespace

class TestLayout : public QObject
{
    Q_OBJECT

    QString startDir;

private slots:
    void initTestCase() { startDir = QDir::currentPath(); }
    void cleanupTestCase() { QDir::setCurrent(startDir); }

    void pagesFitTheStartSize_data()
    {
        QTest::addColumn<int>("language");
        QTest::newRow("english") << int(initfile::LanguageEnglish);
        QTest::newRow("zh_simple") << int(initfile::LanguageZhSimple);
        QTest::newRow("zh_traditional") << int(initfile::LanguageZhTraditional);
    }

    // Each page fits (or scrolls) and no text on it is cut off, with the
    // translators the program installs at start for that language.
    void pagesFitTheStartSize()
    {
        QFETCH(int, language);
        const QString out = startDir + QStringLiteral("/artifacts");
        QDir().mkpath(out);
        QTemporaryDir work;
        QDir::setCurrent(work.path());
        QTranslator qtTranslator;
        QTranslator appTranslator;
        const int installed = installStartupTranslators(*QCoreApplication::instance(), language, qtTranslator,
                                                        appTranslator);
        QCOMPARE(installed, language == initfile::LanguageEnglish ? 0 : 2);
        const QString suffix = language == initfile::LanguageEnglish ? QString()
                               : QStringLiteral("-") + QLatin1String(QTest::currentDataTag());

        QStringList problems;
        {
            MainWindow window;
            Ui::MainWindow *ui = window.form();
            window.show();
            QVERIFY(QTest::qWaitForWindowExposed(&window));
            for (const Page &p : kPages) {
                showPage(ui, p);
                QWidget *page = ui->tabWidget->currentWidget();
                // A page either fits or scrolls; it is never squeezed below its minimum.
                const QSize min = page->minimumSizeHint();
                if (min.width() > page->width() || min.height() > page->height())
                    problems << QStringLiteral("%1: needs %2x%3, has %4x%5")
                                    .arg(QLatin1String(p.name)).arg(min.width()).arg(min.height())
                                    .arg(page->width()).arg(page->height());
                for (const QString &cut : cutTexts(&window))
                    problems << QLatin1String(p.name) + QStringLiteral(": ") + cut;
                // For a look by eye: a JPEG is written six times as fast as a PNG.
                QVERIFY(window.grab().save(out + QStringLiteral("/window-%1%2.jpg").arg(QLatin1String(p.name), suffix),
                                           "JPG", 90));
            }
        }
        QCoreApplication::removeTranslator(&qtTranslator);
        QCoreApplication::removeTranslator(&appTranslator);
        problems.removeDuplicates();
        // Every problem on its own line (a test message is cut short).
        for (const QString &p : problems)
            fprintf(stderr, "%s\n", qPrintable(p));
        QVERIFY2(problems.isEmpty(), qPrintable(QStringLiteral("%1 texts or pages do not fit").arg(problems.size())));
    }

    // The frame list's captions show whole in each language and picture
    // size: each item is as tall as its caption needs when wrapped at the
    // item's width, fits in the list's visible height at the start size, and
    // no two items overlap after their captions have grown.
    void frameCaptionsShowWhole_data() { pagesFitTheStartSize_data(); }
    void frameCaptionsShowWhole()
    {
        QFETCH(int, language);
        QTemporaryDir work;
        QDir::setCurrent(work.path());
        QTranslator qtTranslator;
        QTranslator appTranslator;
        installStartupTranslators(*QCoreApplication::instance(), language, qtTranslator, appTranslator);
        const QByteArray angles = QByteArray("0,").repeated(18) + "0";
        {
            QFile motion(work.filePath(QStringLiteral("walk.ini")));
            QVERIFY(motion.open(QIODevice::WriteOnly));
            motion.write("FLP:65535;\r\nLPS:2;\r\nFR:1,60,600,100,61445," + angles + ";\r\nFR:1,60,600,100,0," + angles
                         + ";\r\nLPE:;\r\nFR:1,60,1200,1000,0," + angles + ";\r\nEND:;\r\n");
        }
        QStringList problems;
        {
            MainWindow window;
            Ui::MainWindow *ui = window.form();
            window.show();
            QVERIFY(QTest::qWaitForWindowExposed(&window));
            window.fileCommands().openFromArguments({QStringLiteral("gaitforge"), work.filePath(QStringLiteral("walk.ini"))});
            QListWidget *list = ui->listWidgetGraphicOperation;
            QTRY_COMPARE(list->count(), 3);
            for (int side : {64, 128}) {
                window.frameList().setPictureSize(side);
                QTRY_VERIFY_WITH_TIMEOUT(window.frameList().refreshState() == FrameList::Idle, 10000);
                QTest::qWait(50);
                const QFontMetrics metrics = list->fontMetrics();
                for (int i = 0; i < list->count(); ++i) {
                    const QRect rect = list->visualItemRect(list->item(i));
                    const QString caption = list->item(i)->text();
                    // The caption wrapped as the style wraps it, at the item's
                    // width less a margin on each side.
                    const int margin = list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 1;
                    const QRect needed = metrics.boundingRect(QRect(0, 0, rect.width() - 2 * margin, 100000),
                                                              Qt::AlignHCenter | Qt::TextWordWrap, caption);
                    const QString where = QStringLiteral("%1 px, frame %2 (\"%3\")").arg(side).arg(i + 1).arg(caption);
                    if (rect.height() < side + needed.height())
                        problems << where + QStringLiteral(": item %1 high, caption needs %2 below the picture")
                                                .arg(rect.height()).arg(needed.height());
                    if (rect.height() > list->viewport()->height())
                        problems << where + QStringLiteral(": item %1 high, the list shows %2")
                                                .arg(rect.height()).arg(list->viewport()->height());
                    for (int j = 0; j < i; ++j)
                        if (rect.intersects(list->visualItemRect(list->item(j))))
                            problems << where + QStringLiteral(": overlaps frame %1 (%2,%3 %4x%5 and %6,%7 %8x%9)")
                                                    .arg(j + 1).arg(rect.x()).arg(rect.y()).arg(rect.width())
                                                    .arg(rect.height()).arg(list->visualItemRect(list->item(j)).x())
                                                    .arg(list->visualItemRect(list->item(j)).y())
                                                    .arg(list->visualItemRect(list->item(j)).width())
                                                    .arg(list->visualItemRect(list->item(j)).height());
                }
            }
        }
        QCoreApplication::removeTranslator(&qtTranslator);
        QCoreApplication::removeTranslator(&appTranslator);
        for (const QString &p : problems)
            fprintf(stderr, "%s\n", qPrintable(p));
        QVERIFY2(problems.isEmpty(), qPrintable(QStringLiteral("%1 captions do not show whole").arg(problems.size())));
    }

    // The tab bar stays where it is on every page (tool bars beside the pages
    // do not come and go), also with a tool bar moved to the left.
    void tabBarStaysPut()
    {
        QTemporaryDir work;
        QDir::setCurrent(work.path());
        MainWindow window;
        Ui::MainWindow *ui = window.form();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        for (int round = 0; round < 2; ++round) {
            if (round == 1) {
                window.addToolBar(Qt::LeftToolBarArea, ui->toolBar_2);
                ui->tabWidget->setCurrentIndex(0);
                QTest::qWait(30);
            }
            QTabBar *bar = ui->tabWidget->tabBar();
            const QRect first(bar->mapToGlobal(QPoint(0, 0)), bar->size());
            for (int index = ui->tabWidget->count() - 1; index >= 0; --index) {
                ui->tabWidget->setCurrentIndex(index);
                QTest::qWait(30);
                const QRect now(bar->mapToGlobal(QPoint(0, 0)), bar->size());
                QVERIFY2(now.topLeft() == first.topLeft(),
                         qPrintable(QStringLiteral("round %1, page %2: tab bar at %3,%4, was at %5,%6")
                                        .arg(round).arg(index).arg(now.x()).arg(now.y())
                                        .arg(first.x()).arg(first.y())));
            }
        }
    }

    // Over the robot setting page the wheel scrolls the page and leaves the
    // spin and combo boxes under the pointer alone; a box with the focus
    // takes the wheel.
    void wheelScrollsPastBoxes()
    {
        QTemporaryDir work;
        QDir::setCurrent(work.path());
        MainWindow window;
        Ui::MainWindow *ui = window.form();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        ui->tabWidget->setCurrentIndex(1);
        QTest::qWait(30);

        QSpinBox *spin = ui->spinBoxInitAutoPowerOffTime;
        QComboBox *combo = ui->comboBoxRemoteRFPower;
        QScrollArea *area = ui->rsScrollArea;
        area->ensureWidgetVisible(spin);
        QTest::qWait(30);
        QCOMPARE(spin->value(), 300);
        QVERIFY(!spin->hasFocus());
        QScrollBar *scroll = area->verticalScrollBar();
        const int scrolled = scroll->value();
        wheelOver(spin);
        QCOMPARE(spin->value(), 300);
        QVERIFY(!spin->hasFocus());
        // One notch up moves the page up when there is room to.
        if (scrolled > 0)
            QVERIFY2(scroll->value() < scrolled, qPrintable(QString::number(scroll->value())));

        area->ensureWidgetVisible(combo);
        QTest::qWait(30);
        combo->setCurrentIndex(2);
        wheelOver(combo);
        QCOMPARE(combo->currentIndex(), 2);

        // With the keyboard focus the box turns.
        window.activateWindow();
        spin->setFocus(Qt::MouseFocusReason);
        QVERIFY(QTest::qWaitFor([&] { return spin->hasFocus(); }, 2000));
        area->ensureWidgetVisible(spin);
        QTest::qWait(30);
        wheelOver(spin);
        QCOMPARE(spin->value(), 301);
        combo->setFocus(Qt::MouseFocusReason);
        QVERIFY(QTest::qWaitFor([&] { return combo->hasFocus(); }, 2000));
        area->ensureWidgetVisible(combo);
        QTest::qWait(30);
        wheelOver(combo);
        QCOMPARE(combo->currentIndex(), 1);

        // The wheel gives none of them the focus; a click or Tab still does.
        for (QWidget *w : window.findChildren<QWidget *>()) {
            if (qobject_cast<QAbstractSpinBox *>(w) || qobject_cast<QComboBox *>(w)) {
                w->ensurePolished();
                QVERIFY2(w->focusPolicy() == Qt::StrongFocus, qPrintable(w->objectName()));
            }
        }
    }
};

QTEST_MAIN(TestLayout)
#include "tst_layout.moc"
