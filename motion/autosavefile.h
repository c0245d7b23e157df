#pragma once
// The autosaved copy of a motion with unsaved changes: the whole frame table
// (46 values per frame, exactly as the table holds them, so that even a table
// the operation file writer would refuse, with a loop still open, survives),
// the loop key and the path of the document it belongs to. Text, one record
// per line:
//
//   #This is a gaitForge autosave.
//   SRC:/home/me/dance.ini        the document's path, percent-encoded; empty when unnamed
//   FLP:1;                        the loop key
//   ROW:0,0,...,0;                one frame, 46 values
//   END:;
//
// The copies live in the working folder's ".robot/autosave/", one per document.

#include <QByteArray>
#include <QString>
#include <QVector>

namespace autosavefile {

// The folder of the copies under a working folder.
QString folder(const QString &workingDir);
// File name (no folder) of the copy of a document: from the document's name
// and a hash of its whole path, so two documents of one name do not meet; an
// unnamed document takes unnamedTag (unique for the run that made it).
QString fileName(const QString &documentPath, const QString &unnamedTag);
// Extension of the copies (".autosave"), for listing the folder.
QString extension();

struct Content {
    QString documentPath; // empty: an unnamed document
    bool loopKey = false;
    QVector<int> frames;  // flat form, 46 values per frame
};

QByteArray encode(const Content &content);
// False when bytes are not a whole autosave (no end record, a frame without
// exactly 46 numbers, anything cut short); content is then left as it was.
bool decode(const QByteArray &bytes, Content *content);

} // namespace autosavefile
