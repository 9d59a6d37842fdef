#include "testfiles.h"

#include "runtime/filetable.h"

#include <QFile>
#include <QTest>

QByteArray fileContents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

void addSaveFailureRows()
{
    QTest::addColumn<int>("step");
    QTest::addColumn<QString>("file");
    using Step = rt::FileTable::Step;
    for (const char *file : {"figX.txt", "nfigX.txt"}) {
        QTest::addRow("open %s", file) << int(Step::Open) << QString(file);
        QTest::addRow("write %s", file) << int(Step::Write) << QString(file);
        QTest::addRow("close %s", file) << int(Step::Close) << QString(file);
    }
}
