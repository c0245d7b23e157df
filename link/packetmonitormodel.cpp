#include "link/packetmonitormodel.h"

#include <QCoreApplication>
#include <QColor>
#include <QDateTime>
#include <algorithm>

const QString PacketMonitorModel::kDiscardedType = QStringLiteral("-");

PacketMonitorModel::PacketMonitorModel(QObject *parent) : QAbstractTableModel(parent)
{
}

bool PacketMonitorModel::passes(const Row &row) const
{
    if (filter_.direction >= 0 && int(row.frame.direction) != filter_.direction)
        return false;
    if (filter_.typeName == kDiscardedType) {
        if (row.frame.reason == FrameReader::Discard::None)
            return false;
    } else if (!filter_.typeName.isEmpty() && row.typeName != filter_.typeName) {
        return false;
    }
    if (filter_.servo >= 0 && row.servo != filter_.servo)
        return false;
    return true;
}

void PacketMonitorModel::append(const QVector<LinkFrame> &frames)
{
    if (frames.isEmpty())
        return;
    // Only the newest kCapacity of a batch can stay; a batch that large
    // replaces every row held.
    const int skip = std::max(0, frames.size() - kCapacity);
    if (skip > 0) {
        beginResetModel();
        firstId += rows.size() + quint64(skip);
        rows.clear();
        visible.clear();
        endResetModel();
    }
    std::vector<Row> fresh;
    fresh.reserve(size_t(frames.size() - skip));
    for (int i = skip; i < frames.size(); ++i) {
        Row row;
        row.frame = frames[i];
        // Only what the filters need now; the rest when the view asks.
        const framedecoder::Decoded header = framedecoder::decodeWire(row.frame.wire, framedecoder::Detail::Header);
        if (header.framed) {
            row.typeName = header.typeName;
            row.servo = header.servo();
            if (!seenTypes.contains(row.typeName)) {
                seenTypes << row.typeName;
                emit typeSeen(row.typeName);
            }
        }
        fresh.push_back(std::move(row));
    }

    // The oldest rows that no longer fit go first, in one removal.
    const size_t total = rows.size() + fresh.size();
    const size_t drop = std::min(rows.size(), total > size_t(kCapacity) ? total - size_t(kCapacity) : size_t(0));
    if (drop > 0) {
        const quint64 newFirst = firstId + drop;
        int goneVisible = 0;
        while (goneVisible < int(visible.size()) && visible[size_t(goneVisible)] < newFirst)
            ++goneVisible;
        if (goneVisible > 0)
            beginRemoveRows(QModelIndex(), 0, goneVisible - 1);
        rows.erase(rows.begin(), rows.begin() + std::ptrdiff_t(drop));
        visible.erase(visible.begin(), visible.begin() + goneVisible);
        firstId = newFirst;
        if (goneVisible > 0)
            endRemoveRows();
    }
    std::vector<quint64> shown;
    quint64 id = firstId + rows.size();
    for (Row &row : fresh) {
        if (passes(row))
            shown.push_back(id);
        rows.push_back(std::move(row));
        ++id;
    }
    if (!shown.empty()) {
        const int first = int(visible.size());
        beginInsertRows(QModelIndex(), first, first + int(shown.size()) - 1);
        visible.insert(visible.end(), shown.begin(), shown.end());
        endInsertRows();
    }
}

void PacketMonitorModel::clear()
{
    beginResetModel();
    firstId += rows.size();
    rows.clear();
    visible.clear();
    endResetModel();
}

void PacketMonitorModel::setFilter(const Filter &filter)
{
    if (filter == filter_)
        return;
    beginResetModel();
    filter_ = filter;
    visible.clear();
    for (size_t i = 0; i < rows.size(); ++i)
        if (passes(rows[i]))
            visible.push_back(firstId + i);
    endResetModel();
}

const LinkFrame &PacketMonitorModel::frameAt(int visibleRow) const
{
    return row(visibleRow).frame;
}

QString PacketMonitorModel::copyHex(QList<int> visibleRows) const
{
    std::sort(visibleRows.begin(), visibleRows.end());
    QStringList lines;
    for (int r : visibleRows)
        if (r >= 0 && r < int(visible.size()))
            lines << framedecoder::hex(row(r).frame.wire);
    return lines.isEmpty() ? QString() : lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

int PacketMonitorModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(visible.size());
}

int PacketMonitorModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

const framedecoder::Decoded &PacketMonitorModel::decoded(const Row &row) const
{
    if (!row.decoded)
        row.decoded = std::make_shared<framedecoder::Decoded>(framedecoder::decodeWire(row.frame.wire));
    return *row.decoded;
}

QString PacketMonitorModel::reasonText(FrameReader::Discard reason) const
{
    return QCoreApplication::translate("FrameDecoder", framedecoder::reasonSource(reason));
}

QVariant PacketMonitorModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= int(visible.size()))
        return QVariant();
    const Row &r = row(index.row());
    const bool discarded = r.frame.reason != FrameReader::Discard::None;
    if (role == Qt::ForegroundRole)
        return discarded ? QVariant(QColor(Qt::red)) : QVariant();
    if (role == Qt::ToolTipRole && index.column() == FieldsColumn)
        return framedecoder::hex(r.frame.wire);
    if (role != Qt::DisplayRole)
        return QVariant();
    const framedecoder::Decoded &d = decoded(r);
    switch (index.column()) {
    case TimeColumn:
        if (r.timeText.isEmpty())
            r.timeText = QDateTime::fromMSecsSinceEpoch(r.frame.msSinceEpoch).toString(QStringLiteral("hh:mm:ss.zzz"));
        return r.timeText;
    case DirectionColumn:
        return r.frame.direction == LinkFrame::Sent ? tr("sent") : tr("received");
    case KindColumn:
        return d.framed ? d.kindName : tr("discarded");
    case TypeColumn:
        return d.typeName;
    case FromColumn:
        return d.sourceName;
    case ToColumn:
        return d.destinationName;
    case FieldsColumn: {
        if (d.framed)
            return d.fields;
        const QByteArray shown = r.frame.wire.left(48);
        return framedecoder::hex(shown) + (shown.size() < r.frame.wire.size() ? QStringLiteral(" …") : QString());
    }
    case ChecksumColumn:
        if (discarded)
            return tr("discarded: %1, %2 bytes").arg(reasonText(r.frame.reason)).arg(r.frame.wire.size());
        return tr("checksum ok");
    }
    return QVariant();
}

QVariant PacketMonitorModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case TimeColumn: return tr("Time");
    case DirectionColumn: return tr("Direction");
    case KindColumn: return tr("Kind");
    case TypeColumn: return tr("Type");
    case FromColumn: return tr("From");
    case ToColumn: return tr("To");
    case FieldsColumn: return tr("Fields");
    case ChecksumColumn: return tr("Checksum");
    }
    return QVariant();
}
