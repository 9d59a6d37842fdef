#include "windowspath.h"

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

void chopClosingDotsAndBlanks(QString &name)
{
    while (!name.isEmpty() && (name.endsWith(u'.') || name.endsWith(u' ')))
        name.chop(1);
}

// The names of a path written the Windows way, worked out: no empty name, no "." and
// no "..", but the ".." that climb above the first name, counted in `above`.
struct Names
{
    QStringList names;
    int above = 0;
    bool closingSeparator = false;
};

Names windowsNames(const QString &path)
{
    Names result;
    result.closingSeparator = !path.isEmpty() && isSeparator(path.back());

    QStringList raw;
    QString name;
    for (QChar c : path) {
        if (isSeparator(c)) {
            raw.append(name);
            name.clear();
        } else {
            name.append(c);
        }
    }
    raw.append(name);

    for (qsizetype i = 0; i < raw.size(); ++i) {
        QString part = raw[i];
        if (part != u"." && part != u"..") {
            if (part.endsWith(u'.') && !part.endsWith(u".."))
                part.chop(1);
            // The last name loses its closing dots and blanks, unless a separator
            // follows it (which is how a name can keep a closing blank).
            if (i == raw.size() - 1 && !result.closingSeparator)
                while (!part.isEmpty() && !allDots(part) && (part.endsWith(u'.') || part.endsWith(u' ')))
                    part.chop(1);
        }
        if (part.isEmpty() || part == u".")
            continue; // a repeated separator, or the folder itself
        if (part == u"..") {
            if (result.names.isEmpty())
                ++result.above;
            else
                result.names.removeLast();
            continue;
        }
        result.names.append(part);
    }
    // The name that ends up last is a last name too, though names followed it.
    while (!result.closingSeparator && !result.names.isEmpty() && !allDots(result.names.last())) {
        QString &last = result.names.last();
        const qsizetype before = last.size();
        chopClosingDotsAndBlanks(last);
        if (last.isEmpty())
            result.names.removeLast();
        else if (last.size() == before)
            break;
    }
    return result;
}

QString joined(QString base, const Names &tail)
{
    if (tail.names.isEmpty())
        return base;
    if (!base.isEmpty() && !base.endsWith(u'/'))
        base += u'/';
    base += tail.names.join(u'/');
    if (tail.closingSeparator)
        base += u'/';
    return base;
}

QString windowsRulesThroughout(const QString &windowsPath)
{
    if (windowsPath.isEmpty())
        return QString();
    const bool absolute = isSeparator(windowsPath.front());
    const Names tail = windowsNames(windowsPath);
    const QString result = joined(absolute ? QStringLiteral("/") : QString(), tail);
    return result.isEmpty() ? QStringLiteral(".") : result;
}

// The folder without its last `count` names, never above its root.
QString parentFolder(QString folder, int count)
{
    for (; count > 0; --count) {
        while (folder.size() > 1 && folder.endsWith(u'/'))
            folder.chop(1);
        const qsizetype slash = folder.lastIndexOf(u'/');
        if (slash < 0)
            return QStringLiteral(".");
        folder.truncate(slash == 0 ? 1 : slash);
    }
    return folder;
}

QString onSystemFolder(const QString &folder, const QString &tail)
{
    // What comes before the first separator of the tail continues the folder's last
    // name (unless the folder ends in a separator); the dots and blanks that would close
    // that name go, as Windows drops them.
    qsizetype cut = 0;
    while (!folder.endsWith(u'/') && cut < tail.size() && !isSeparator(tail[cut]))
        ++cut;
    QString head = tail.left(cut);
    chopClosingDotsAndBlanks(head);

    const Names names = windowsNames(tail.mid(cut));
    QString base = folder;
    if (!head.isEmpty()) {
        while (base.size() > 1 && base.endsWith(u'/'))
            base.chop(1);
        base += head;
    }
    return joined(parentFolder(base, names.above), names);
}

QStringList &registeredFolders()
{
    static QStringList folders;
    return folders;
}

} // namespace

QString resolvePath(const QString &windowsPath, const QStringList &systemFolders)
{
    const QString *folder = nullptr;
    for (const QString &candidate : systemFolders)
        if (!candidate.isEmpty() && windowsPath.startsWith(candidate)
            && (!folder || candidate.size() > folder->size()))
            folder = &candidate;
    if (!folder)
        return windowsRulesThroughout(windowsPath);
    return onSystemFolder(*folder, windowsPath.mid(folder->size()));
}

QString resolvePath(const QString &windowsPath)
{
    return resolvePath(windowsPath, registeredFolders());
}

void registerSystemFolder(const QString &folder)
{
    if (!folder.isEmpty() && !registeredFolders().contains(folder))
        registeredFolders().append(folder);
}

} // namespace rt
