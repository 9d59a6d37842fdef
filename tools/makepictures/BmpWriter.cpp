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
