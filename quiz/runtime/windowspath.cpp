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

    QStringList names;
    QString name;
    auto flush = [&] {
        if (name == u"." || name.isEmpty()) {
            // nothing: the folder itself, or a repeated separator
        } else if (name == u"..") {
            if (!names.isEmpty())
                names.removeLast();
        } else {
            if (name.endsWith(u'.') && !allDots(name) && !name.endsWith(u".."))
                name.chop(1);
            names.append(name);
        }
        name.clear();
    };
    for (QChar c : windowsPath) {
        if (isSeparator(c))
            flush();
        else
            name.append(c);
    }
    flush();

    if (!endsWithSeparator && !names.isEmpty()) {
        QString &last = names.last();
        while (!last.isEmpty() && !allDots(last) && (last.endsWith(u'.') || last.endsWith(u' ')))
            last.chop(1);
        if (last.isEmpty())
            names.removeLast();
    }

    const QString joined = names.join(u'/');
    if (absolute)
        return u'/' + joined;
    return joined.isEmpty() ? QStringLiteral(".") : joined;
}

} // namespace rt
