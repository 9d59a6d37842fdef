#include "ansitext.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace rt {

namespace {

constexpr auto codePage = "windows-1252";

// Qt converts Windows-1252 only through ICU. A Qt without it would write every name as
// an empty text without a word: better to stop the program at the first file it reads.
void requireCodePage()
{
    static const bool available =
        QStringEncoder(codePage).isValid() && QStringDecoder(codePage).isValid();
    if (!available)
        qFatal("This Qt cannot convert %s text (it needs ICU): the record files cannot be "
               "read or written", codePage);
}

} // namespace

QByteArray toAnsi(const QString &unnormalised)
{
    requireCodePage();
    // A name typed as "e" and a combining accent is the code page's "é".
    const QString text = unnormalised.normalized(QString::NormalizationForm_C);
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
    requireCodePage();
    QStringDecoder decoder(codePage);
    return decoder.decode(bytes);
}

} // namespace rt
