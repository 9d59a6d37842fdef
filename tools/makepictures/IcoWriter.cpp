#include "IcoWriter.h"

#include "LittleEndian.h"

#include <QSaveFile>

bool IcoWriter::write(const QString &path, const QImage &indexed, const QImage &transparent,
                      int bitsPerPixel)
{
    if (indexed.format() != QImage::Format_Indexed8 || (bitsPerPixel != 4 && bitsPerPixel != 8)
        || transparent.size() != indexed.size())
        return false;
    const int w = indexed.width();
    const int h = indexed.height();
    const int colours = 1 << bitsPerPixel;
    const int xorRow = ((w * bitsPerPixel + 31) / 32) * 4;
    const int andRow = ((w + 31) / 32) * 4;
    const quint32 imageBytes = quint32(xorRow * h + andRow * h);
    const quint32 resourceBytes = 40 + 4 * quint32(colours) + imageBytes;

    const QImage mask = transparent.convertToFormat(QImage::Format_RGB32);
    auto hidden = [&](int x, int y) { return qRed(mask.pixel(x, y)) != 0; };

    QByteArray out;
    LittleEndian::put16(out, 0);
    LittleEndian::put16(out, 1); // icon
    LittleEndian::put16(out, 1); // one image

    out.append(char(w));
    out.append(char(h));
    out.append(char(colours == 256 ? 0 : colours));
    out.append('\0');
    LittleEndian::put16(out, 1);
    LittleEndian::put16(out, quint16(bitsPerPixel));
    LittleEndian::put32(out, resourceBytes);
    LittleEndian::put32(out, 6 + 16);

    LittleEndian::put32(out, 40);
    LittleEndian::put32(out, quint32(w));
    LittleEndian::put32(out, quint32(2 * h)); // XOR and AND bitmaps stacked
    LittleEndian::put16(out, 1);
    LittleEndian::put16(out, quint16(bitsPerPixel));
    LittleEndian::put32(out, 0);
    LittleEndian::put32(out, imageBytes);
    LittleEndian::put32(out, 0);
    LittleEndian::put32(out, 0);
    LittleEndian::put32(out, 0);
    LittleEndian::put32(out, 0);

    const QList<QRgb> table = indexed.colorTable();
    for (int i = 0; i < colours; ++i) {
        const QRgb c = i < table.size() ? table.at(i) : qRgb(0, 0, 0);
        out.append(char(qBlue(c)));
        out.append(char(qGreen(c)));
        out.append(char(qRed(c)));
        out.append('\0');
    }

    for (int y = h - 1; y >= 0; --y) {
        QByteArray row(xorRow, '\0');
        const uchar *line = indexed.constScanLine(y);
        for (int x = 0; x < w; ++x) {
            // A hidden pixel must be black, so that screen AND mask XOR pixel leaves the screen.
            const uchar index = hidden(x, y) ? 0 : line[x];
            if (bitsPerPixel == 8)
                row[x] = char(index);
            else
                row[x / 2] = char(uchar(row[x / 2]) | ((index & 0x0f) << (x % 2 ? 0 : 4)));
        }
        out.append(row);
    }
    for (int y = h - 1; y >= 0; --y) {
        QByteArray row(andRow, '\0');
        for (int x = 0; x < w; ++x)
            if (hidden(x, y))
                row[x / 8] = char(uchar(row[x / 8]) | (0x80 >> (x % 8)));
        out.append(row);
    }

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(out);
    return file.commit();
}
