#include "scancommand.h"

#include <QEventLoop>
#include <QTextStream>
#include <QTimer>

#include "link/busscanner.h"
#include "link/robotlink.h"

namespace cli {

int scanCommand(RobotLink &link)
{
    BusScanner scanner(link);
    QList<BusScan::Entry> entries;
    QEventLoop loop;
    QObject::connect(&scanner, &BusScanner::finished, &loop, [&](const QList<BusScan::Entry> &result) {
        entries = result;
        loop.quit();
    });
    // A link that dies mid-scan ends it too.
    QObject::connect(&link, &RobotLink::openStatusChanged, &loop, [&](int status) {
        if (status != 1)
            loop.quit();
    });
    if (!scanner.start())
        return 1;
    loop.exec();
    if (entries.isEmpty())
        return 1;
    QTextStream out(stdout);
    bool missing = false;
    for (const BusScan::Entry &entry : entries) {
        out << BusScan::line(entry) << "\n";
        missing = missing || entry.state == BusScan::State::Missing;
    }
    return missing ? 1 : 0;
}

} // namespace cli
