#include "BmpWriter.h"

#include "LittleEndian.h"

#include <QSaveFile>

namespace {

QByteArray headers(const QSize &size, int bitsPerPixel, int rowBytes, int paletteEntries)
{
    const quint32 pixelBytes = quint32(rowBytes) * quint32(size.height());
    const quint32 offset = 14 + 40 + 4 * quint32(paletteEntries);
    QByteArray out;
    out.append("BM");
    LittleEndian::put32(out, offset + pixelBytes);
    LittleEndian::put16(out, 0);
    LittleEndian::put16(out, 0);
    LittleEndian::put32(out, offset);

    LittleEndian::put32(out, 40);
    LittleEndian::put32(out, quint32(size.width()));
    LittleEndian::put32(out, quint32(size.height())); // positive: rows run bottom-up
    LittleEndian::put16(out, 1);
    LittleEndian::put16(out, quint16(bitsPerPixel));
    LittleEndian::put32(out, 0); // BI_RGB
    LittleEndian::put32(out, pixelBytes);
    LittleEndian::put32(out, 2835); // 72 dpi
    LittleEndian::put32(out, 2835);
    LittleEndian::put32(out, quint32(paletteEntries));
    LittleEndian::put32(out, 0);
    return out;
}

bool save(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(bytes);
    return file.commit();
}

int paddedRow(int bytes)
{
    return (bytes + 3) & ~3;
}

} // namespace

bool BmpWriter::write24(const QString &path, const QImage &image)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    const int rowBytes = paddedRow(rgb.width() * 3);
    QByteArray out = headers(rgb.size(), 24, rowBytes, 0);
    for (int y = rgb.height() - 1; y >= 0; --y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(rgb.constScanLine(y));
        QByteArray row(rowBytes, '\0');
        for (int x = 0; x < rgb.width(); ++x) {
            row[3 * x] = char(qBlue(line[x]));
            row[3 * x + 1] = char(qGreen(line[x]));
            row[3 * x + 2] = char(qRed(line[x]));
        }
        out.append(row);
    }
    return save(path, out);
}

bool BmpWriter::write8(const QString &path, const QImage &indexed)
{
    if (indexed.format() != QImage::Format_Indexed8 || indexed.colorCount() > 256)
        return false;
    const int rowBytes = paddedRow(indexed.width());
    QByteArray out = headers(indexed.size(), 8, rowBytes, 256);
    const QList<QRgb> table = indexed.colorTable();
    for (int i = 0; i < 256; ++i) {
        const QRgb c = i < table.size() ? table.at(i) : qRgb(0, 0, 0);
        out.append(char(qBlue(c)));
        out.append(char(qGreen(c)));
        out.append(char(qRed(c)));
        out.append('\0');
    }
    for (int y = indexed.height() - 1; y >= 0; --y) {
        QByteArray row(rowBytes, '\0');
        memcpy(row.data(), indexed.constScanLine(y), size_t(indexed.width()));
        out.append(row);
    }
    return save(path, out);
}
