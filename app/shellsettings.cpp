#include "app/shellsettings.h"
#include "ui_mainwindow.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTextStream>
#include <QTranslator>

#include "app/initfile.h"
#include "common/prompt.h"
#include "common/textfit.h"
#include "motion/framelist.h"
#include "music/musicpanel.h"
#include "view3d/openglwidget.h"

ShellSettings::ShellSettings(Ui::MainWindow *ui, QMainWindow *window, OpenGLWidget *view, Prompt &prompt,
                             FrameList &frames, MusicPanel &music)
    : QObject(window), ui(ui), window(window), view(view), prompt(prompt), frames(frames), music(music)
{
    const QList<int> languages = {initfile::LanguageEnglish, initfile::LanguageZhSimple,
                                  initfile::LanguageZhTraditional};
    for (int i = 0; i < languages.size(); ++i)
        connect(languageActions()[i], &QAction::triggered, this, [this, code = languages[i]] { changeLanguage(code); });
    for (int code = 1; code <= 5; ++code) {
        connect(pictureSizeActions()[code - 1], &QAction::triggered, this, [this, code] {
            applyPictureSize(initfile::pictureSizeOfCode(code));
            save(0, code, 0);
        });
        connect(backgroundActions()[code - 1], &QAction::triggered, this, [this, code] {
            applyBackground(code);
            save(0, 0, code);
        });
    }
    connect(&music, &MusicPanel::listeningVolumeChosen, this, [this](int percent) { save(0, 0, 0, percent); });
}

QList<QAction *> ShellSettings::languageActions() const
{
    return {ui->actionEnglish, ui->actionZhSimple, ui->actionZhTradition};
}

QList<QAction *> ShellSettings::pictureSizeActions() const
{
    return {ui->action64_64, ui->action128_128, ui->action192_192, ui->action256_256, ui->action320_320};
}

QList<QAction *> ShellSettings::backgroundActions() const
{
    return {ui->actionBubble, ui->actionSun, ui->actionMountains, ui->actionMoon, ui->actionAfternoon};
}

void ShellSettings::checkOnly(const QList<QAction *> &group, QAction *chosen)
{
    for (QAction *a : group)
        a->setChecked(a == chosen);
}

// Code of the first checked action of a group (1-based), or the fallback.
static int firstCheckedCode(const QList<QAction *> &group, int fallback)
{
    for (int i = 0; i < group.size(); ++i)
        if (group[i]->isChecked())
            return i + 1;
    return fallback;
}

void ShellSettings::save(int language, int pictureSize, int background, int musicVolume)
{
    if (language < 1 || language > 3)
        language = firstCheckedCode(languageActions(), initfile::LanguageEnglish);
    if (pictureSize < 1 || pictureSize > 5)
        pictureSize = firstCheckedCode(pictureSizeActions(), initfile::Picture128);
    if (background < 1 || background > 5)
        background = firstCheckedCode(backgroundActions(), initfile::BackgroundBubble);
    if (musicVolume < 0 || musicVolume > initfile::MaxMusicVolume)
        musicVolume = music.listeningVolume();
    // A folder or file that cannot be written is ignored: the choice holds for this run.
    initfile::write(QDir::currentPath(), language, pictureSize, background, musicVolume);
}

void ShellSettings::load()
{
    QFile file(initfile::filePath(QDir::currentPath()));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        checkOnly(languageActions(), ui->actionEnglish);
        checkOnly(pictureSizeActions(), ui->action128_128);
        checkOnly(backgroundActions(), ui->actionBubble);
        save(initfile::LanguageEnglish, initfile::Picture128, initfile::BackgroundBubble,
             initfile::DefaultMusicVolume);
        return;
    }
    QTextStream in(&file);
    for (const initfile::Entry &entry : initfile::readEntries(in)) {
        switch (entry.key) {
        case initfile::Entry::Language:
            checkOnly(languageActions(), languageActions().value(entry.code - 1, ui->actionEnglish));
            break;
        case initfile::Entry::PictureSize:
            applyPictureSize(initfile::pictureSizeOfCode(entry.code));
            break;
        case initfile::Entry::Background:
            applyBackground(entry.code);
            break;
        case initfile::Entry::MusicVolume:
            music.setListeningVolume(entry.code);
            break;
        }
    }
}

void ShellSettings::applyPictureSize(int size)
{
    const int code = initfile::pictureCodeOfSize(size);
    if (code == 0)
        return;
    frames.setPictureSize(size);
    checkOnly(pictureSizeActions(), pictureSizeActions().at(code - 1));
}

void ShellSettings::applyBackground(int code)
{
    if (code < 1 || code > 5)
        return;
    checkOnly(backgroundActions(), backgroundActions().at(code - 1));
    view->backgroundChoice = code;
    view->update();
    // The frame pictures show the background: draw them all again.
    frames.redrawPictures();
}

void ShellSettings::changeLanguage(int code)
{
    // The translator lives for this command only: the texts set by the
    // retranslation keep the new language, everything made later follows the
    // translators chosen at program start. Hence the restart notice.
    QTranslator translator;
    if (code == initfile::LanguageZhSimple)
        translator.load(QStringLiteral(":/language/language/gaitForge_zh_simple"));
    else if (code == initfile::LanguageZhTraditional)
        translator.load(QStringLiteral(":/language/language/gaitForge_zh_traditional"));
    QCoreApplication::installTranslator(&translator);
    ui->retranslateUi(window);
    fitCombosToItems(window);
    checkOnly(languageActions(), languageActions().at(code - 1));
    save(code, 0, 0);
    prompt.warning(nullptr, tr("warning"), tr("You have to reboot the software to get the full language support!"),
                   QMessageBox::Ok);
    QCoreApplication::removeTranslator(&translator);
}
