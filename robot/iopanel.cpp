#include "robot/iopanel.h"
#include "ui_mainwindow.h"

#include "link/robotlink.h"
#include "motion/frametable.h"
#include "motion/motiondocument.h"
#include "robot/ledio.h"

using namespace packet;

IoPanel::IoPanel(Ui::MainWindow *ui, RobotLink &link, MotionDocument &document, QObject *parent)
    : QObject(parent), ui(ui), link(link), document(document)
{
    const QVector<QSlider *> sliders = brightnessSliders();
    const QVector<QComboBox *> boxes = frequencyBoxes();
    for (int k = 0; k < sliders.size(); ++k) {
        connect(sliders[k], &QSlider::valueChanged, this, [this, k](int value) { brightnessChanged(k, value); });
        connect(boxes[k], QOverload<int>::of(&QComboBox::currentIndexChanged), this,
                [this, k](int index) { frequencyChanged(k, index); });
    }
    connect(ui->pushButtonSetLed, &QPushButton::clicked, this, &IoPanel::setLeds);
    connect(ui->pushButtonMainboardSetIo, &QPushButton::clicked, this, &IoPanel::setIo);
    connect(ui->pushButtonMainboardGetIo, &QPushButton::clicked, this, &IoPanel::getIo);
    connect(&link, &RobotLink::ioStateRead, this, &IoPanel::showIoState);
    // The page shows the document's current frame, also after an edit of it
    // in the table.
    connect(&document, &MotionDocument::currentRowChanged, this, &IoPanel::loadFrame);
    connect(&document, &MotionDocument::cellEdited, this, [this](int row) {
        if (row == this->document.currentRow())
            loadFrame(row);
    });
}

void IoPanel::loadFrame(int row)
{
    if (row < 0 || row >= document.rowCount())
        return;
    const QVector<QSlider *> sliders = brightnessSliders();
    const QVector<QComboBox *> boxes = frequencyBoxes();
    const bool wasLoading = loadingFrame;
    loadingFrame = true;
    for (int k = 0; k < frametable::LedChannelCount; ++k) {
        // The slider keeps 0..100.
        sliders[k]->setValue(qBound(-1000, document.cell(row, frametable::ledBrightnessColumn(k)), 1000) * 10);
        boxes[k]->setCurrentIndex(document.cell(row, frametable::ledFrequencyColumn(k)));
    }
    loadingFrame = wasLoading;
}

QVector<QSlider *> IoPanel::brightnessSliders() const
{
    return {ui->horizontalSliderLed1RBrightness, ui->horizontalSliderLed1GBrightness,
            ui->horizontalSliderLed1BBrightness, ui->horizontalSliderLed2RBrightness,
            ui->horizontalSliderLed2GBrightness, ui->horizontalSliderLed2BBrightness,
            ui->horizontalSliderLed3RBrightness, ui->horizontalSliderLed3GBrightness,
            ui->horizontalSliderLed3BBrightness};
}

QVector<QComboBox *> IoPanel::frequencyBoxes() const
{
    return {ui->comboBoxLed1RFrequency, ui->comboBoxLed1GFrequency, ui->comboBoxLed1BFrequency,
            ui->comboBoxLed2RFrequency, ui->comboBoxLed2GFrequency, ui->comboBoxLed2BFrequency,
            ui->comboBoxLed3RFrequency, ui->comboBoxLed3GFrequency, ui->comboBoxLed3BFrequency};
}

QVector<QPair<int, int>> IoPanel::ledChannels() const
{
    const QVector<QSlider *> sliders = brightnessSliders();
    const QVector<QComboBox *> boxes = frequencyBoxes();
    QVector<QPair<int, int>> channels;
    for (int k = 0; k < sliders.size(); ++k)
        channels.append({sliders[k]->value() / 10, boxes[k]->currentIndex()});
    return channels;
}

bool IoPanel::editing() const
{
    return !loadingFrame;
}

// ---------------------------------------------------------------- LEDs of the frame

// The slider rests on a multiple of 10 (its value in tenths is what the frame
// and the robot keep); the edit ends in an undo snapshot.
void IoPanel::brightnessChanged(int channel, int value)
{
    const int tenth = ledio::brightnessTenth(value);
    if (value != tenth * 10) {
        brightnessSliders()[channel]->setValue(tenth * 10);  // comes back here with the resting value
        return;
    }
    if (!editing())
        return;
    const int row = document.currentRow();
    if (row >= 0)
        document.setCell(row, frametable::ledBrightnessColumn(channel), tenth);
    document.noteEdit();
}

void IoPanel::frequencyChanged(int channel, int index)
{
    if (!editing() || index < 0)
        return;
    const int row = document.currentRow();
    if (row >= 0)
        document.setCell(row, frametable::ledFrequencyColumn(channel), index);
    document.noteEdit();
}

// ---------------------------------------------------------------- the robot

void IoPanel::setLeds()
{
    if (!link.isRunning())
        return;
    const QVector<QSlider *> sliders = brightnessSliders();
    const QVector<QComboBox *> boxes = frequencyBoxes();
    std::array<quint8, 9> leds{};
    for (int k = 0; k < sliders.size() && k < int(leds.size()); ++k)
        leds[size_t(k)] = quint8(ledio::ledByte(sliders[k]->value(), boxes[k]->currentIndex()));
    link.setLeds(leds);
}

void IoPanel::setIo()
{
    if (!link.isRunning())
        return;
    link.setIo(quint8(ledio::ioByte(ui->comboBoxMainboardIo1Dir->currentIndex(),
                                    ui->comboBoxMainboardIo2Dir->currentIndex())),
               quint8(ledio::ioByte(ui->comboBoxMainboardIo1Value->currentIndex(),
                                    ui->comboBoxMainboardIo2Value->currentIndex())));
}

void IoPanel::getIo()
{
    if (link.isRunning())
        link.readIo();
}

void IoPanel::showIoState(int state)
{
    ui->comboBoxMainboardIo1Value->setCurrentIndex(ledio::io1Level(state));
    ui->comboBoxMainboardIo2Value->setCurrentIndex(ledio::io2Level(state));
}
