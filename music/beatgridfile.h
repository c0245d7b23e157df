#pragma once
// The beat grids of the music files a user worked with, kept beside the init
// file in ".robot/beatgrid" under the working directory, so that a song's
// grid (with the user's shifts and nudges) is there again the next time it is
// opened instead of being found anew. One record per music file:
//
//   GRID:size,modified,period,first,bar,min,max,path;
//
// the music file's size in bytes and its modification time (ms since 1970),
// which tell whether the file is still the one the grid was made for; the
// beat period and first beat in ms, the beat that starts a bar; the tempo
// range searched (BPM); the music file's absolute path (the rest of the line
// up to its last ";"). Lines end with CR LF; the newest record comes first;
// at most MaxRecords are kept.

#include <QByteArray>
#include <QString>
#include <QVector>

#include "music/beatgrid.h"

namespace beatgridfile {

constexpr int MaxRecords = 200;

struct Record {
    QString musicPath;
    qint64 size = 0;
    qint64 modifiedMs = 0;
    music::BeatGrid grid;
    double minBpm = music::DefaultMinBpm;
    double maxBpm = music::DefaultMaxBpm;
};

// ".robot/beatgrid" under the working directory.
QString filePath(const QString &workingDirectory);

// The file's text, and its records read back; lines that are no record are
// skipped.
QByteArray text(const QVector<Record> &records);
QVector<Record> parse(const QByteArray &text);

// The record of the music file at musicPath when its size and modification
// time still match; false otherwise.
bool find(const QVector<Record> &records, const QString &musicPath, qint64 size, qint64 modifiedMs,
          Record *found);

// Reads the file. A missing file is an empty list; a file that exists but
// cannot be read is false (with the reason).
bool read(const QString &path, QVector<Record> *records, QString *error = nullptr);

// Puts record first in the file at path (replacing the record of the same
// music file), safely; the folder is made when missing. A file that cannot
// be read is left as it is (false, with the reason): writing it would drop
// the grids it holds.
bool store(const QString &path, const Record &record, QString *error = nullptr);

} // namespace beatgridfile
