#include "ColourQuantiser.h"

#include <QList>

#include <algorithm>
#include <array>
#include <vector>

namespace {

struct Entry
{
    std::array<int, 3> rgb;
    qint64 count;
};

struct Box
{
    std::vector<Entry> entries;

    qint64 weight() const
    {
        qint64 sum = 0;
        for (const Entry &e : entries)
            sum += e.count;
        return sum;
    }
    int widestChannel(int *range) const
    {
        int best = 0;
        *range = -1;
        for (int c = 0; c < 3; ++c) {
            int lo = 255, hi = 0;
            for (const Entry &e : entries) {
                lo = std::min(lo, e.rgb[size_t(c)]);
                hi = std::max(hi, e.rgb[size_t(c)]);
            }
            if (hi - lo > *range) {
                *range = hi - lo;
                best = c;
            }
        }
        return best;
    }
    QRgb average() const
    {
        qint64 sum[3] = {0, 0, 0};
        const qint64 n = std::max<qint64>(1, weight());
        for (const Entry &e : entries)
            for (int c = 0; c < 3; ++c)
                sum[c] += e.rgb[size_t(c)] * e.count;
        return qRgb(int((sum[0] + n / 2) / n), int((sum[1] + n / 2) / n), int((sum[2] + n / 2) / n));
    }
};

} // namespace

QImage ColourQuantiser::toIndexed8(const QImage &image)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    std::vector<quint32> pixels;
    pixels.reserve(size_t(rgb.width()) * size_t(rgb.height()));
    for (int y = 0; y < rgb.height(); ++y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x)
            pixels.push_back(line[x] & 0xffffff);
    }
    std::sort(pixels.begin(), pixels.end());
    Box all;
    for (size_t i = 0; i < pixels.size();) {
        size_t j = i;
        while (j < pixels.size() && pixels[j] == pixels[i])
            ++j;
        const quint32 c = pixels[i];
        all.entries.push_back({{int(c >> 16) & 0xff, int(c >> 8) & 0xff, int(c) & 0xff}, qint64(j - i)});
        i = j;
    }

    // Split the box that is heaviest times widest until there are 256 of them.
    std::vector<Box> boxes{all};
    while (boxes.size() < 256) {
        size_t pick = boxes.size();
        double bestScore = 0;
        for (size_t i = 0; i < boxes.size(); ++i) {
            int range = 0;
            boxes[i].widestChannel(&range);
            const double score = double(range) * double(boxes[i].weight());
            if (boxes[i].entries.size() > 1 && score > bestScore) {
                bestScore = score;
                pick = i;
            }
        }
        if (pick == boxes.size())
            break;
        Box &box = boxes[pick];
        int range = 0;
        const size_t channel = size_t(box.widestChannel(&range));
        std::sort(box.entries.begin(), box.entries.end(), [channel](const Entry &a, const Entry &b) {
            return a.rgb[channel] != b.rgb[channel] ? a.rgb[channel] < b.rgb[channel] : a.rgb < b.rgb;
        });
        const qint64 half = box.weight() / 2;
        qint64 run = 0;
        size_t cut = 1;
        for (size_t i = 0; i + 1 < box.entries.size(); ++i) {
            run += box.entries[i].count;
            cut = i + 1;
            if (run >= half)
                break;
        }
        Box upper;
        upper.entries.assign(box.entries.begin() + long(cut), box.entries.end());
        box.entries.resize(cut);
        boxes.push_back(std::move(upper));
    }

    QList<QRgb> table;
    for (const Box &box : boxes)
        table.append(box.average());
    std::sort(table.begin(), table.end()); // a stable order, independent of the splitting
    table.erase(std::unique(table.begin(), table.end()), table.end());
    while (table.size() < 256)
        table.append(qRgb(0, 0, 0));
    return rgb.convertToFormat(QImage::Format_Indexed8, table, Qt::ThresholdDither | Qt::AvoidDither);
}
