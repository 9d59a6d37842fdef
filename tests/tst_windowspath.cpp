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
    QTest::addColumn<QString>("windowsPath");
    QTest::addColumn<QString>("localPath");

    QTest::newRow("note sound") << "/opt/velmora\\suoni\\3A.wav" << "/opt/velmora/suoni/3A.wav";
    QTest::newRow("dot after the folder's name")
        << "/opt/velmora.\\suoni\\no.wav" << "/opt/velmora/suoni/no.wav";
    QTest::newRow("program at the root, note") << "/\\suoni\\1A.wav" << "/suoni/1A.wav";
    QTest::newRow("program at the root, wrong-answer sound")
        << "/.\\suoni\\no.wav" << "/suoni/no.wav";
    QTest::newRow("replay, added backslash") << "/opt/velmora\\5.wav" << "/opt/velmora/5.wav";
    QTest::newRow("record folder with closing backslash")
        << "/home/anna/.local/share/Corvane/Velmora\\\\figX.txt"
        << "/home/anna/.local/share/Corvane/Velmora/figX.txt";
    QTest::newRow("slashes and backslashes mixed") << "/a/b\\c//d" << "/a/b/c/d";
    QTest::newRow("parent folder") << "/a/b\\..\\c.txt" << "/a/c.txt";
    QTest::newRow("parent of the root stays the root") << "/..\\x" << "/x";
    QTest::newRow("trailing dots and blanks of the last name") << "/a/nome.txt. ." << "/a/nome.txt";
    QTest::newRow("three dots are a name") << "/a/...\\b" << "/a/.../b";
    QTest::newRow("trailing blank leaves no dot name") << "/a\\. ." << "/a";
    QTest::newRow("trailing blank leaves no parent name") << "/opt/x/.. ." << "/opt";
    QTest::newRow("a closing separator keeps the blank") << "/a \\" << "/a /";
    QTest::newRow("relative") << "suoni\\1A.wav" << "suoni/1A.wav";
    QTest::newRow("empty") << "" << "";
}

void tst_WindowsPath::resolve()
{
    QFETCH(QString, windowsPath);
    QFETCH(QString, localPath);
    QCOMPARE(resolvePath(windowsPath), localPath);
}

QTEST_APPLESS_MAIN(tst_WindowsPath)
#include "tst_windowspath.moc"
