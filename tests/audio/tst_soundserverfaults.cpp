// rt::SoundPlayer against audio servers that do not answer: a socket that accepts and
// never replies, and a PulseAudio server stopped with SIGSTOP. The caller's thread must
// never wait on them, and sound must come back once the server does. The test starts
// that server itself (its pid is needed to stop it); run it through run-with-null-sink.sh,
// which gives it a home of its own.

#include "runtime/soundplayer.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSaveFile>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <optional>

#include <csignal>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

// The longest a call may keep its caller: a few ms, with room for a loaded machine.
constexpr qint64 handOverMs = 20;
// The player leaves a sound thread that is stuck with the server after 250 ms.
constexpr qint64 destroyMs = 250 + 250;

QString soundPath(const QString &name)
{
    return QStringLiteral(VELMORA_SOUND_DIR "/") + name;
}

} // namespace

class SoundServerFaultsTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void neverWaitsForAServerThatDoesNotAnswer();
    void neverWaitsForAStoppedServerAndPlaysOnceItIsBack();

private:
    // The server the players connect to from now on (the client configuration file,
    // which the client library reads at each connection, is rewritten whole).
    void useServer(const QString &socket);
    // The files that the server plays now, newest last.
    QStringList playing();
    bool waitPlaying(const QString &file, int timeoutMs);

    // Runs calls on a player in a loop for durationMs and returns the longest call.
    qint64 longestCall(rt::SoundPlayer &player, int durationMs);

    QTemporaryDir m_dir;
    QString m_serverSocket;
    QProcess m_server;
    int m_listener = -1;      // the socket that accepts and never answers
    QString m_hungSocket;
};

void SoundServerFaultsTest::initTestCase()
{
    for (const char *tool : {"pulseaudio", "pactl"})
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
            QSKIP(qPrintable(QStringLiteral("%1 is not installed").arg(QLatin1String(tool))));
    QVERIFY(m_dir.isValid());
    QVERIFY2(QFile::exists(soundPath(QStringLiteral("suoni/no.wav"))),
             "the sounds are not built: build the target 'sounds' first");

    // Set before any player exists: from then on only the file changes.
    qputenv("PULSE_CLIENTCONFIG", QFile::encodeName(m_dir.filePath(QStringLiteral("client.conf"))));
    qunsetenv("PULSE_SERVER");

    // A server of this test's own, so that its pid is known.
    const QString runtime = m_dir.filePath(QStringLiteral("runtime"));
    QVERIFY(QDir().mkpath(runtime));
    QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    m_serverSocket = m_dir.filePath(QStringLiteral("native"));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
    m_server.setProcessEnvironment(env);
    m_server.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_server.setStandardOutputFile(QProcess::nullDevice());
    m_server.start(QStringLiteral("pulseaudio"),
                   {QStringLiteral("--daemonize=no"), QStringLiteral("--system=false"),
                    QStringLiteral("--exit-idle-time=-1"), QStringLiteral("-n"),
                    QStringLiteral("--log-target=file:") + m_dir.filePath(QStringLiteral("pulse.log")),
                    QStringLiteral("--load=module-null-sink sink_name=null"),
                    QStringLiteral("--load=module-native-protocol-unix auth-anonymous=1 socket=")
                        + m_serverSocket});
    QVERIFY2(m_server.waitForStarted(), qPrintable(m_server.errorString()));
    useServer(m_serverSocket);
    QElapsedTimer ready;
    ready.start();
    const auto answers = [] {
        QProcess pactl;
        pactl.start(QStringLiteral("pactl"), {QStringLiteral("info")});
        return pactl.waitForFinished(5000) && pactl.exitStatus() == QProcess::NormalExit
               && pactl.exitCode() == 0;
    };
    while (!answers()) {
        if (ready.elapsed() > 10000 || m_server.state() != QProcess::Running)
            QSKIP("the PulseAudio server did not start");
        QTest::qWait(100);
    }

    // A socket that takes connections and never says a word.
    m_hungSocket = m_dir.filePath(QStringLiteral("hung"));
    m_listener = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray name = QFile::encodeName(m_hungSocket);
    QVERIFY(size_t(name.size()) < sizeof address.sun_path);
    memcpy(address.sun_path, name.constData(), size_t(name.size()));
    QVERIFY(bind(m_listener, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0);
    QVERIFY(listen(m_listener, 16) == 0);
}

void SoundServerFaultsTest::cleanupTestCase()
{
    if (m_server.state() == QProcess::Running) {
        kill(pid_t(m_server.processId()), SIGCONT);
        m_server.terminate();
        m_server.waitForFinished(5000);
    }
    if (m_listener >= 0)
        close(m_listener);
}

void SoundServerFaultsTest::useServer(const QString &socket)
{
    QSaveFile conf(m_dir.filePath(QStringLiteral("client.conf")));
    QVERIFY(conf.open(QIODevice::WriteOnly));
    conf.write("autospawn = no\ndefault-server = unix:" + QFile::encodeName(socket) + '\n');
    QVERIFY(conf.commit());
}

QStringList SoundServerFaultsTest::playing()
{
    QProcess pactl;
    pactl.start(QStringLiteral("pactl"), {QStringLiteral("list"), QStringLiteral("sink-inputs")});
    if (!pactl.waitForFinished(5000))
        return {};
    static const QRegularExpression file(QStringLiteral("media\\.filename = \"([^\"]*)\""));
    QStringList files;
    for (auto it = file.globalMatch(QString::fromUtf8(pactl.readAllStandardOutput())); it.hasNext();)
        files << it.next().captured(1);
    return files;
}

bool SoundServerFaultsTest::waitPlaying(const QString &file, int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    do {
        if (playing().contains(file))
            return true;
        QTest::qWait(20);
    } while (timer.elapsed() < timeoutMs);
    return false;
}

qint64 SoundServerFaultsTest::longestCall(rt::SoundPlayer &player, int durationMs)
{
    const QStringList files{soundPath(QStringLiteral("suoni/1A.wav")),
                            soundPath(QStringLiteral("suoni/no.wav")), soundPath(QStringLiteral("3.wav"))};
    qint64 longest = 0;
    QElapsedTimer total;
    total.start();
    for (int i = 0; total.elapsed() < durationMs; ++i) {
        QElapsedTimer call;
        call.start();
        if (i % 4 == 3)
            player.stop();
        else
            player.play(files[i % files.size()]);
        longest = qMax(longest, call.elapsed());
        QTest::qWait(25);
    }
    return longest;
}

// Every call comes back at once, from a player that is stuck connecting, and so does
// the player's end.
void SoundServerFaultsTest::neverWaitsForAServerThatDoesNotAnswer()
{
    useServer(m_hungSocket);
    QElapsedTimer timer;
    timer.start();
    auto player = std::make_unique<rt::SoundPlayer>();
    const qint64 madeMs = timer.elapsed();
    player->warmUp();
    const qint64 longest = longestCall(*player, 1500);
    timer.restart();
    player.reset();
    const qint64 destroyedMs = timer.elapsed();

    // The player did reach the socket: without that the check would prove nothing.
    pollfd waiting{m_listener, POLLIN, 0};
    QVERIFY2(poll(&waiting, 1, 0) == 1, "the player never connected to the socket");
    const int accepted = accept(m_listener, nullptr, nullptr); // and the socket says nothing
    QVERIFY(accepted >= 0);

    qInfo("made in %lld ms, longest call %lld ms, destroyed in %lld ms", madeMs, longest,
          destroyedMs);
    QVERIFY2(madeMs <= handOverMs, qPrintable(QStringLiteral("made in %1 ms").arg(madeMs)));
    QVERIFY2(longest <= handOverMs, qPrintable(QStringLiteral("a call took %1 ms").arg(longest)));
    QVERIFY2(destroyedMs <= destroyMs, qPrintable(QStringLiteral("destroyed in %1 ms").arg(destroyedMs)));
    close(accepted);
}

// A server stopped in the middle of the game: no call waits for it, and once it runs
// again the next sound plays, alone: what was asked for meanwhile is cut short by it.
void SoundServerFaultsTest::neverWaitsForAStoppedServerAndPlaysOnceItIsBack()
{
    useServer(m_serverSocket);
    const pid_t server = pid_t(m_server.processId());
    rt::SoundPlayer player;
    const QString first = soundPath(QStringLiteral("suoni/no.wav"));
    player.play(first);
    QVERIFY2(waitPlaying(first, 5000), "the player does not play on the running server");

    QCOMPARE(kill(server, SIGSTOP), 0);
    auto resume = qScopeGuard([server] { kill(server, SIGCONT); });
    const qint64 longest = longestCall(player, 1000);
    std::optional<rt::SoundPlayer> another(std::in_place);
    another->warmUp();
    QTest::qWait(300); // it is connecting to the stopped server now
    QElapsedTimer timer;
    timer.start();
    another->play(first);
    another.reset();
    const qint64 anotherMs = timer.elapsed();
    QCOMPARE(kill(server, SIGCONT), 0);
    resume.dismiss();

    qInfo("longest call %lld ms; a connecting player played and was destroyed in %lld ms",
          longest, anotherMs);
    QVERIFY2(longest <= handOverMs, qPrintable(QStringLiteral("a call took %1 ms").arg(longest)));
    QVERIFY2(anotherMs <= destroyMs + handOverMs,
             qPrintable(QStringLiteral("a player took %1 ms").arg(anotherMs)));

    const QString next = soundPath(QStringLiteral("suoni/7A.wav")); // asked for only now
    player.play(next);
    QVERIFY2(waitPlaying(next, 3000), "no sound after the server came back");
    QCOMPARE(playing(), QStringList{next});
}

QTEST_GUILESS_MAIN(SoundServerFaultsTest)
#include "tst_soundserverfaults.moc"
