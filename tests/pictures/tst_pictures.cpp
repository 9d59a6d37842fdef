// The committed pictures: every file the window loads is there, in the exact layout the
// window and the icon loader expect, and readable by Qt at its size.

#include <QFile>
#include <QImage>
#include <QSet>
#include <QtEndian>
#include <QtTest>

namespace {

enum Kind { Bmp24, Bmp8, Ico8, Ico4, Jpeg };

const QString ResourcesDir = QStringLiteral(VELMORA_RESOURCES_DIR);

quint16 le16(const QByteArray &b, int at)
{
    return qFromLittleEndian<quint16>(b.constData() + at);
}

quint32 le32(const QByteArray &b, int at)
{
    return qFromLittleEndian<quint32>(b.constData() + at);
}

quint16 be16(const QByteArray &b, int at)
{
    return qFromBigEndian<quint16>(b.constData() + at);
}

QByteArray readAll(const QString &name)
{
    QFile file(ResourcesDir + "/" + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

Q_DECLARE_METATYPE(Kind)

class TestPictures : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void pictureFile_data();
    void pictureFile();
    void pointerMasks_data();
    void pointerMasks();
};

void TestPictures::pictureFile_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("bytes"); // -1: any
    QTest::addColumn<bool>("threeColours");

    QTest::newRow("sfondo") << "sfondo.jpg" << Jpeg << QSize(906, 711) << -1 << false;
    QTest::newRow("icona") << "icona.ico" << Ico8 << QSize(32, 32) << 2238 << false;
    QTest::newRow("puntatore") << "puntatore.ico" << Ico4 << QSize(32, 32) << 766 << false;
    QTest::newRow("puntatore_nota") << "puntatore_nota.ico" << Ico4 << QSize(32, 32) << 766 << false;
    QTest::newRow("tavolozza") << "tavolozza.bmp" << Bmp8 << QSize(886, 691) << 614686 << false;
    QTest::newRow("striscia") << "striscia.bmp" << Bmp24 << QSize(300, 100) << 90054 << false;
    QTest::newRow("chiave") << "chiave.bmp" << Bmp24 << QSize(50, 80) << 12214 << false;
    QTest::newRow("chiave_sfocata") << "chiave_sfocata.bmp" << Bmp24 << QSize(50, 80) << 12214 << false;

    const QSize buttons[] = {{84, 66}, {73, 62}, {86, 61}, {54, 54}, {72, 62}, {60, 51}, {51, 50}};
    const int buttonBytes[] = {16686, 13694, 15914, 8910, 13446, 9234, 7854};
    const QSize figures[] = {{103, 197}, {102, 197}, {95, 197}, {96, 201}, {90, 199}, {106, 236}, {90, 201}};
    const int figureBytes[] = {61518, 60730, 56790, 57942, 54182, 75574, 54726};
    for (int i = 0; i < 7; ++i) {
        const QString button = QString("pulsante%1.bmp").arg(i + 1);
        QTest::newRow(qPrintable(button)) << button << Bmp24 << buttons[i] << buttonBytes[i] << false;
        const QString figure = QString("figura%1.bmp").arg(i + 1);
        QTest::newRow(qPrintable(figure)) << figure << Bmp24 << figures[i] << figureBytes[i] << true;
    }
}

void TestPictures::pictureFile()
{
    QFETCH(QString, name);
    QFETCH(Kind, kind);
    QFETCH(QSize, size);
    QFETCH(int, bytes);
    QFETCH(bool, threeColours);

    const QByteArray data = readAll(name);
    QVERIFY2(!data.isEmpty(), qPrintable(name + " is missing or empty"));
    if (bytes >= 0)
        QCOMPARE(data.size(), bytes);

    switch (kind) {
    case Bmp24:
    case Bmp8: {
        const int bits = kind == Bmp24 ? 24 : 8;
        QVERIFY(data.size() >= 54);
        QCOMPARE(data.left(2), QByteArray("BM"));
        QCOMPARE(le32(data, 2), quint32(data.size()));
        QCOMPARE(le32(data, 10), quint32(54 + (bits == 8 ? 1024 : 0)));
        QCOMPARE(le32(data, 14), 40u);
        QCOMPARE(int(le32(data, 18)), size.width());
        QCOMPARE(int(le32(data, 22)), size.height()); // positive: bottom-up
        QCOMPARE(le16(data, 28), quint16(bits));
        QCOMPARE(le32(data, 30), 0u);
        break;
    }
    case Ico8:
    case Ico4: {
        const int bits = kind == Ico8 ? 8 : 4;
        QVERIFY(data.size() >= 62);
        QCOMPARE(le16(data, 0), quint16(0));
        QCOMPARE(le16(data, 2), quint16(1)); // icon, not cursor
        QCOMPARE(le16(data, 4), quint16(1));
        QCOMPARE(uchar(data[6]), uchar(size.width()));
        QCOMPARE(uchar(data[7]), uchar(size.height()));
        QCOMPARE(le16(data, 12), quint16(bits));
        QCOMPARE(le32(data, 14), quint32(data.size() - 22));
        QCOMPARE(le32(data, 18), 22u);
        QCOMPARE(le32(data, 22), 40u);
        QCOMPARE(int(le32(data, 30)), 2 * size.height()); // colour bitmap plus mask
        QCOMPARE(le16(data, 36), quint16(bits));
        QCOMPARE(le32(data, 38), 0u);
        break;
    }
    case Jpeg: {
        QCOMPARE(data.left(2), QByteArray("\xff\xd8"));
        QCOMPARE(data.mid(2, 2), QByteArray("\xff\xe0"));
        QCOMPARE(data.mid(6, 5), QByteArray("JFIF\0", 5));
        // Walk the segments up to the first frame header: it must be baseline, greyscale.
        int at = 2;
        int frame = -1;
        while (at + 4 <= data.size() && uchar(data[at]) == 0xff) {
            const uchar marker = uchar(data[at + 1]);
            if (marker >= 0xc0 && marker <= 0xcf && marker != 0xc4 && marker != 0xc8 && marker != 0xcc) {
                frame = marker;
                break;
            }
            at += 2 + be16(data, at + 2);
        }
        QCOMPARE(frame, 0xc0);
        QVERIFY(at + 10 <= data.size());
        QCOMPARE(int(be16(data, at + 5)), size.height());
        QCOMPARE(int(be16(data, at + 7)), size.width());
        QCOMPARE(int(uchar(data[at + 9])), 1);
        break;
    }
    }

    const QImage image = QImage::fromData(data);
    QVERIFY2(!image.isNull(), qPrintable(name + " does not load"));
    QCOMPARE(image.size(), size);

    if (threeColours) {
        const QSet<QRgb> allowed{qRgb(255, 255, 255), qRgb(0, 0, 0), qRgb(0xc0, 0xc0, 0xc0)};
        QSet<QRgb> found;
        const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
        for (int y = 0; y < rgb.height(); ++y)
            for (int x = 0; x < rgb.width(); ++x)
                found.insert(rgb.pixel(x, y));
        QCOMPARE(found, allowed);
    }
}

void TestPictures::pointerMasks_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("hasTransparency");

    QTest::newRow("window icon fully opaque") << "icona.ico" << false;
    QTest::newRow("pointer") << "puntatore.ico" << true;
    QTest::newRow("note pointer") << "puntatore_nota.ico" << true;
}

// A mask written inverted or upside down shows a pointer as a black square, or hides it.
void TestPictures::pointerMasks()
{
    QFETCH(QString, name);
    QFETCH(bool, hasTransparency);

    const QImage image = QImage::fromData(readAll(name)).convertToFormat(QImage::Format_ARGB32);
    QVERIFY(!image.isNull());
    int hidden = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            hidden += qAlpha(image.pixel(x, y)) == 0;
    if (!hasTransparency) {
        QCOMPARE(hidden, 0);
        return;
    }
    // Mostly see-through, with the drawing opaque, and the corner where nothing is drawn clear.
    QVERIFY2(hidden > 512 && hidden < 1024 - 64, qPrintable(QString::number(hidden)));
    QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
    QCOMPARE(qAlpha(image.pixel(31, 0)), 0);
}

QTEST_GUILESS_MAIN(TestPictures)
#include "tst_pictures.moc"
