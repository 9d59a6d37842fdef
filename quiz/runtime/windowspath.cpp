#include "windowspath.h"

#include <QStringList>

namespace rt {

namespace {

bool isSeparator(QChar c)
{
    return c == u'\\' || c == u'/';
}

bool allDots(const QString &name)
{
    for (QChar c : name)
        if (c != u'.')
            return false;
    return true;
}

} // namespace

QString resolvePath(const QString &windowsPath)
{
    if (windowsPath.isEmpty())
        return QString();

    const bool absolute = isSeparator(windowsPath.front());
    const bool endsWithSeparator = isSeparator(windowsPath.back());

    QStringList raw;
    QString name;
    for (QChar c : windowsPath) {
        if (isSeparator(c)) {
            raw.append(name);
            name.clear();
        } else {
            name.append(c);
        }
    }
    raw.append(name);

    QStringList names;
    for (qsizetype i = 0; i < raw.size(); ++i) {
        QString part = raw[i];
        if (part != u"." && part != u"..") {
            if (part.endsWith(u'.') && !part.endsWith(u".."))
                part.chop(1);
            // The last name loses its closing dots and blanks, unless a separator
            // follows it (which is how a name can keep a closing blank).
            if (i == raw.size() - 1 && !endsWithSeparator)
                while (!part.isEmpty() && !allDots(part) && (part.endsWith(u'.') || part.endsWith(u' ')))
                    part.chop(1);
        }
        if (part.isEmpty() || part == u".")
            continue; // a repeated separator, or the folder itself
        if (part == u"..") {
            if (!names.isEmpty())
                names.removeLast();
            continue;
        }
        names.append(part);
    }

    QString joined = names.join(u'/');
    if (endsWithSeparator && !names.isEmpty())
        joined += u'/';
    if (absolute)
        return u'/' + joined;
    return joined.isEmpty() ? QStringLiteral(".") : joined;
}

} // namespace rt
