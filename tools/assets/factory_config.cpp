// Writes the factory configure file (robotcfg_factory.ini) with the program's
// own configure writer from the documented factory values, so the shipped file
// is exactly what the program itself would write:
//   gaitforge-factory-config resources/robotcfg_factory.ini

#include <QFile>
#include <QTextStream>
#include <cstdio>

#include "robot/configfile.h"

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: gaitforge-factory-config FILE\n");
        return 2;
    }
    QFile file(QString::fromLocal8Bit(argv[1]));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        std::fprintf(stderr, "gaitforge-factory-config: cannot write %s\n", argv[1]);
        return 1;
    }
    QTextStream out(&file);
    configfile::write(out, configfile::factorySettings());
    out.flush();
    return out.status() == QTextStream::Ok ? 0 : 1;
}
