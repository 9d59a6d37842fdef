#pragma once

#include <QByteArray>
#include <QString>

// Small file helpers the tests share.
QByteArray fileContents(const QString &path);          // "<missing>" when there is none
bool writeFile(const QString &path, const QByteArray &bytes);

// Rows "step" (a FileTable::Step) and "file" for every way a save of the two record
// files can fail before they replace the old ones.
void addSaveFailureRows();
