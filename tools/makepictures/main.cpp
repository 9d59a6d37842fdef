// Draws every picture of the window and writes them into one folder.
//   makepictures [--png PREVIEWDIR] [OUTPUTDIR]
// The output is the same, byte for byte, on every run.

#include "BackgroundPainter.h"
#include "BmpWriter.h"
#include "ColourQuantiser.h"
#include "IcoWriter.h"
#include "IconPainter.h"
#include "NotePicturePainter.h"

#include <QCoreApplication>
#include <QDir>
#include <QImageWriter>
#include <QStringList>

#include <cstdio>
#include <functional>

namespace {

QString previewDir;

void preview(const QString &name, const QImage &image)
{
    if (!previewDir.isEmpty())
        image.save(previewDir + "/" + QFileInfo(name).completeBaseName() + ".png");
}

bool writeJpeg(const QString &path, QImage image)
{
    image.setDotsPerMeterX(2835);
    image.setDotsPerMeterY(2835);
    QImageWriter writer(path, "jpeg");
    writer.setQuality(90);
    writer.setOptimizedWrite(false);
    writer.setProgressiveScanWrite(false);
    return writer.write(image.convertToFormat(QImage::Format_Grayscale8));
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    const int png = args.indexOf("--png");
    if (png >= 0 && png + 1 < args.size()) {
        previewDir = args.at(png + 1);
        args.remove(png, 2);
        QDir().mkpath(previewDir);
    }
    const QDir out(args.isEmpty() ? QStringLiteral(MAKEPICTURES_OUTPUT_DIR) : args.first());
    if (!QDir().mkpath(out.path())) {
        std::fprintf(stderr, "makepictures: cannot create %s\n", qPrintable(out.path()));
        return 1;
    }

    bool ok = true;
    // 24-bit bitmaps at 72 dpi: Qt's writer gives the bottom-up, 4-byte-padded layout
    // with a plain BITMAPINFOHEADER the window's loader reads.
    auto bmp24 = [&](const QString &name, const QImage &image) {
        preview(name, image);
        QImage rgb = image.convertToFormat(QImage::Format_RGB32);
        rgb.setDotsPerMeterX(2835);
        rgb.setDotsPerMeterY(2835);
        ok = rgb.save(out.filePath(name), "bmp") && ok;
    };
    auto icon = [&](const QString &name, const IconPainter::Icon &i, int bits) {
        QImage shown = i.indexed.convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x)
                if (qRed(i.transparent.pixel(x, y)))
                    shown.setPixel(x, y, qRgba(0, 0, 0, 0));
        preview(name, shown);
        ok = IcoWriter::write(out.filePath(name), i.indexed, i.transparent, bits) && ok;
    };

    const QImage background = BackgroundPainter::background();
    preview("sfondo.jpg", background);
    ok = writeJpeg(out.filePath("sfondo.jpg"), background) && ok;

    const QImage pastel = ColourQuantiser::toIndexed8(BackgroundPainter::pastel());
    preview("tavolozza.bmp", pastel);
    ok = BmpWriter::write8(out.filePath("tavolozza.bmp"), pastel) && ok;

    icon("icona.ico", IconPainter::windowIcon(), 8);
    {
        // The same icon for the desktop's menu entry, which wants a PNG.
        const IconPainter::Icon i = IconPainter::windowIcon();
        ok = i.indexed.convertToFormat(QImage::Format_RGB32).save(out.filePath("velmora.png"), "png") && ok;
    }
    icon("puntatore.ico", IconPainter::pointer(), 4);
    icon("puntatore_nota.ico", IconPainter::notePointer(), 4);

    bmp24("striscia.bmp", NotePicturePainter::strip());
    bmp24("chiave.bmp", NotePicturePainter::clef());
    bmp24("chiave_sfocata.bmp", NotePicturePainter::blurredClef());
    for (int n = 1; n <= 7; ++n) {
        bmp24(QString("pulsante%1.bmp").arg(n), NotePicturePainter::button(n));
        bmp24(QString("figura%1.bmp").arg(n), NotePicturePainter::figure(n));
    }

    if (!ok) {
        std::fprintf(stderr, "makepictures: could not write every file into %s\n",
                     qPrintable(out.path()));
        return 1;
    }
    return 0;
}
