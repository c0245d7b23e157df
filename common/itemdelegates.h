#pragma once
// Item delegates of the frame table and the transfer file list: a combo box
// chosen by a list type, and a spin box.

#include <QItemDelegate>
#include <QStringList>
#include <QStyledItemDelegate>

// A combo box editor. Types 0 to 5 (frame table lists) store the chosen item's
// index as an integer; types 6 to 10 (transfer file list) store the item's text.
class ComboDelegate : public QItemDelegate
{
    Q_OBJECT

public:
    enum Type {
        LoopFlag = 0,       // "----", "loop start", "loop end"
        LedBrightness = 1,  // "0%" .. "100%"
        LedFrequency = 2,   // "0 Hz" .. "3 Hz", "random"
        MusicControl = 3,   // "----", "pause", "stop", "play"
        MusicType = 4,      // "mp3", "wav"
        MusicFolder = 5,    // "sd card", "flash"
        FileType = 6,       // "remote motion file", "fall motion file", "common file"
        CombinationKey = 7, // "no", "yes"
        Key = 8,            // the 24 key names in key-number order
        FallType = 9,       // "fall left", "fall right", "fall forward", "fall back"
        RobotPath = 10,     // "sd card", "flash"
    };

    ComboDelegate(int type, QObject *parent = nullptr);

    int type() const { return type_; }
    // The untranslated item texts of a type (empty for unknown types).
    static QStringList items(int type);
    // Whether the type stores the item index (true) or the item text (false).
    static bool storesIndex(int type) { return type >= 0 && type <= MusicFolder; }

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override;
    void updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                              const QModelIndex &index) const override;

private:
    int type_;
};

// A spin box editor with the range -1500 to 65535, storing an integer.
class SpinDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    static constexpr int Minimum = -1500;
    static constexpr int Maximum = 65535;

    explicit SpinDelegate(QObject *parent = nullptr);

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override;
    void updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                              const QModelIndex &index) const override;
};
