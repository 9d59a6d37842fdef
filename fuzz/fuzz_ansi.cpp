// rt::fromAnsi reads the records file, rt::toAnsi writes it: the bytes of a file must
// come back unchanged, and any text is written one byte per composed character.
#include "fuzzcheck.h"
#include "runtime/ansitext.h"

#include <cstring>

namespace {

QString hex(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes.toHex(' '));
}

qsizetype codePoints(const QString &text)
{
    qsizetype count = 0;
    for (qsizetype i = 0; i < text.size(); ++i, ++count)
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i;
    return count;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString read = rt::fromAnsi(bytes);
    if (read.size() != bytes.size())
        propertyFailed("one character per byte read", read, hex(bytes));
    const QByteArray written = rt::toAnsi(read);
    if (written != bytes)
        propertyFailed("bytes read and written again are unchanged", read,
                       hex(bytes) + QStringLiteral(" became ") + hex(written));

    // The same bytes as UTF-16 code units reach every character, lone surrogates too.
    QString text(qsizetype(size / 2), Qt::Uninitialized);
    std::memcpy(text.data(), data, size / 2 * 2);
    const QByteArray encoded = rt::toAnsi(text);
    // The code page has one byte per character of the composed text (a letter and its
    // combining accent are one), and "?" stands for one it lacks.
    const qsizetype characters = codePoints(text.normalized(QString::NormalizationForm_C));
    if (encoded.size() > characters)
        propertyFailed("never more bytes than characters", text, hex(encoded));
    if (encoded.size() < characters)
        propertyFailed("no character is dropped", text, hex(encoded));
    if (encoded.contains('\x1a') && !text.contains(QChar(0x1a)))
        propertyFailed("a character the code page lacks is written as ?", text, hex(encoded));
    return 0;
}
