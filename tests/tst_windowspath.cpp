#include "runtime/windowspath.h"

#include <QTest>

using namespace rt;

class tst_WindowsPath : public QObject
{
    Q_OBJECT

private slots:
    void resolve_data();
    void resolve();
};

void tst_WindowsPath::resolve_data()
{
    QTest::addColumn<QStringList>("systemFolders");
    QTest::addColumn<QString>("windowsPath");
    QTest::addColumn<QString>("localPath");

    const QStringList none;
    QTest::newRow("note sound") << none << "/opt/velmora\\suoni\\3A.wav" << "/opt/velmora/suoni/3A.wav";
    QTest::newRow("dot after the folder's name")
        << none << "/opt/velmora.\\suoni\\no.wav" << "/opt/velmora/suoni/no.wav";
    QTest::newRow("program at the root, note") << none << "/\\suoni\\1A.wav" << "/suoni/1A.wav";
    QTest::newRow("program at the root, wrong-answer sound")
        << none << "/.\\suoni\\no.wav" << "/suoni/no.wav";
    QTest::newRow("replay, added backslash") << none << "/opt/velmora\\5.wav" << "/opt/velmora/5.wav";
    QTest::newRow("record folder with closing backslash")
        << none << "/home/anna/.local/share/Corvane/Velmora\\\\figX.txt"
        << "/home/anna/.local/share/Corvane/Velmora/figX.txt";
    QTest::newRow("slashes and backslashes mixed") << none << "/a/b\\c//d" << "/a/b/c/d";
    QTest::newRow("parent folder") << none << "/a/b\\..\\c.txt" << "/a/c.txt";
    QTest::newRow("parent of the root stays the root") << none << "/..\\x" << "/x";
    QTest::newRow("trailing dots and blanks of the last name") << none << "/a/nome.txt. ." << "/a/nome.txt";
    QTest::newRow("three dots are a name") << none << "/a/...\\b" << "/a/.../b";
    QTest::newRow("trailing blank leaves no dot name") << none << "/a\\. ." << "/a";
    QTest::newRow("trailing blank leaves no parent name") << none << "/opt/x/.. ." << "/opt";
    QTest::newRow("a closing separator keeps the blank") << none << "/a \\" << "/a /";
    QTest::newRow("relative") << none << "suoni\\1A.wav" << "suoni/1A.wav";
    QTest::newRow("empty") << none << "" << "";

    // The folders the system gave are taken as they are; only the program's own names
    // that follow them are read the Windows way.
    const QString home = QStringLiteral("/home/j.r./.local/share/Corvane/Velmora");
    QTest::newRow("record file, home folder ending in a dot")
        << QStringList{home} << home + "\\\\figX.txt" << home + "/figX.txt";
    const QString data = QStringLiteral("/srv/a\\b/dotend./Corvane/Velmora");
    QTest::newRow("record file, data folder with a backslash and a closing dot")
        << QStringList{data} << data + "\\\\nfigX.txt" << data + "/nfigX.txt";
    QTest::newRow("wrong-answer sound, program folder ending in a dot")
        << QStringList{"/opt/anna."} << "/opt/anna..\\suoni\\no.wav" << "/opt/anna./suoni/no.wav";
    QTest::newRow("note, program folder with a backslash")
        << QStringList{"/opt/a\\b"} << "/opt/a\\b\\suoni\\1A.wav" << "/opt/a\\b/suoni/1A.wav";
    QTest::newRow("replay, program folder of dots and blanks")
        << QStringList{"/opt/v. ."} << "/opt/v. .\\5.wav" << "/opt/v. ./5.wav";
    QTest::newRow("wrong-answer sound, program at the root")
        << QStringList{"/"} << "/.\\suoni\\no.wav" << "/suoni/no.wav";
    QTest::newRow("the longest folder is the one")
        << QStringList{"/opt", "/opt/a."} << "/opt/a.\\x.wav" << "/opt/a./x.wav";
    QTest::newRow("a path on no folder given follows the Windows rules")
        << QStringList{"/other"} << "/opt/anna.\\x.wav" << "/opt/anna/x.wav";
}

void tst_WindowsPath::resolve()
{
    QFETCH(QStringList, systemFolders);
    QFETCH(QString, windowsPath);
    QFETCH(QString, localPath);
    QCOMPARE(resolvePath(windowsPath, systemFolders), localPath);
}

QTEST_APPLESS_MAIN(tst_WindowsPath)
#include "tst_windowspath.moc"
