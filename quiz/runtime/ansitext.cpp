#include "ansitext.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace rt {

namespace {
constexpr auto codePage = "windows-1252";
} // namespace

QByteArray toAnsi(const QString &text)
{
    QStringEncoder encoder(codePage);
    QByteArray bytes = encoder.encode(text);
    // A closing high surrogate is held back by the encoder, waiting for its pair.
    if (!encoder.hasError() && !(!text.isEmpty() && text.back().isHighSurrogate()))
        return bytes;

    // The encoder marks a character it cannot hold with 0x1A and says no more, so go
    // one code point at a time and put "?" there instead.
    bytes.clear();
    bytes.reserve(text.size());
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype length = (text[i].isHighSurrogate() && i + 1 < text.size()
                                  && text[i + 1].isLowSurrogate()) ? 2 : 1;
        QStringEncoder one(codePage);
        const QByteArray encoded = one.encode(QStringView(text).mid(i, length));
        bytes += one.hasError() || encoded.size() != 1 ? QByteArray("?") : encoded;
        i += length;
    }
    return bytes;
}

QString fromAnsi(const QByteArray &bytes)
{
    QStringDecoder decoder(codePage);
    return decoder.decode(bytes);
}

} // namespace rt
