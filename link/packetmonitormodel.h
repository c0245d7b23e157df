#pragma once
// The packet monitor's rows: a ring of the last kCapacity frames and runs of
// thrown-away bytes seen on the link, a filter by direction, type name and
// servo, and the rows as a table (time, direction, kind, type, from, to,
// fields, checksum). Rows arrive in batches; each batch is one insertion (and
// at most one removal of the oldest rows), so a busy line costs the view one
// update per batch. A row is decoded in full only when the view asks for it.

#include <QAbstractTableModel>
#include <QStringList>
#include <QVector>
#include <deque>
#include <memory>

#include "link/framedecoder.h"
#include "link/linkframe.h"

class PacketMonitorModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    static constexpr int kCapacity = 10000;
    enum Column { TimeColumn, DirectionColumn, KindColumn, TypeColumn, FromColumn, ToColumn, FieldsColumn,
                  ChecksumColumn, ColumnCount };

    struct Filter {
        int direction = -1;    // -1 both, else LinkFrame::Direction
        QString typeName;      // empty: every type; kDiscardedType: only thrown-away bytes
        int servo = -1;        // -1 every frame, else frames to or from this bus address
        bool operator==(const Filter &o) const
        {
            return direction == o.direction && typeName == o.typeName && servo == o.servo;
        }
    };
    // The type filter's name for rows of thrown-away bytes.
    static const QString kDiscardedType;

    explicit PacketMonitorModel(QObject *parent = nullptr);

    // Appends a batch (oldest first); the oldest rows beyond kCapacity go.
    void append(const QVector<LinkFrame> &frames);
    void clear();
    void setFilter(const Filter &filter);
    const Filter &filter() const { return filter_; }

    // Rows held (whatever the filter) and rows shown.
    int heldCount() const { return int(rows.size()); }
    // Type names seen so far, in the order first seen.
    const QStringList &typeNames() const { return seenTypes; }

    // The row shown at visibleRow.
    const LinkFrame &frameAt(int visibleRow) const;
    // The shown rows given, as hexadecimal on the wire, one row a line, in
    // their order on the line.
    QString copyHex(QList<int> visibleRows) const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

signals:
    // A type name seen for the first time (for the type filter's list).
    void typeSeen(const QString &name);

private:
    struct Row {
        LinkFrame frame;
        QString typeName;  // empty for bytes that hold no frame
        int servo = -1;
        mutable std::shared_ptr<framedecoder::Decoded> decoded;
        mutable QString timeText;
    };
    bool passes(const Row &row) const;
    const Row &row(int visibleRow) const { return rows[size_t(visible[size_t(visibleRow)] - firstId)]; }
    const framedecoder::Decoded &decoded(const Row &row) const;
    QString reasonText(FrameReader::Discard reason) const;

    std::deque<Row> rows;
    quint64 firstId = 0;           // id of rows.front()
    std::deque<quint64> visible;   // ids of the rows that pass the filter
    Filter filter_;
    QStringList seenTypes;
};
