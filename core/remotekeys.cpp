#include "core/remotekeys.h"

namespace remotekeys {

QStringList names()
{
    return {QStringLiteral("Y"), QStringLiteral("X"), QStringLiteral("B"), QStringLiteral("A"),
            QStringLiteral("START"), QStringLiteral("BACK"), QStringLiteral("UP"), QStringLiteral("RIGHT"),
            QStringLiteral("LEFT"), QStringLiteral("DOWN"), QStringLiteral("LB"), QStringLiteral("RB"),
            QStringLiteral("rocker B middle key"), QStringLiteral("rocker A middle key"),
            QStringLiteral("rocker B UP"), QStringLiteral("rocker B RIGHT"), QStringLiteral("rocker B LEFT"),
            QStringLiteral("rocker B DOWN"), QStringLiteral("rocker A UP"), QStringLiteral("rocker A RIGHT"),
            QStringLiteral("rocker A LEFT"), QStringLiteral("rocker A DOWN"), QStringLiteral("LT"),
            QStringLiteral("RT")};
}

}  // namespace remotekeys
