#include "link/downloadtime.h"

#include "link/packet.h"

namespace downloadtime {

double framesMs(const QVector<Row> &rows, qint32 baud, int gapMs)
{
    if (baud <= 0)
        return 0.0;
    packet::RequestFields fields;
    quint8 frame[packet::kMaxFrame];
    double total = 0.0;
    for (int r = 0; r < rows.size(); ++r) {
        packet::fillDebugFrame(fields.debugFrame, rows[r].data(), r);
        const int bytes = packet::buildRequest(fields, packet::DebugFrame, packet::Write, frame);
        total += bytes * 10.0 * 1000.0 / baud + gapMs;
    }
    return total;
}

} // namespace downloadtime
