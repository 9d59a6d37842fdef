// rt::resolvePath turns the program's Windows-style file names into local ones: the
// result must be a clean local path, and resolving it again must change nothing. An
// input with a line break is a folder the system gave (before it) and the program's own
// names added to it (after it): the folder must come out as it went in.
#include "fuzzcheck.h"
#include "runtime/windowspath.h"

#include <QRegularExpression>
#include <QStringList>

namespace {

void checkWindowsRules(const QString &path)
{
    const QString local = rt::resolvePath(path, {});

    if (local.contains(u'\\'))
        propertyFailed("no backslash is left", path, local);
    // "", "." and "/" stand for a folder and have no names.
    if (!local.isEmpty() && local != u"." && local != u"/") {
        QStringList names = local.split(u'/');
        if (local.startsWith(u'/'))
            names.removeFirst();
        if (local.endsWith(u'/')) // a closing separator is kept
            names.removeLast();
        for (const QString &name : names) {
            if (name.isEmpty())
                propertyFailed("no empty name", path, local);
            if (name == u"." || name == u"..")
                propertyFailed("no . or .. name", path, local);
        }
    }
    const QString again = rt::resolvePath(local, {});
    if (again != local)
        propertyFailed("resolving the result again changes nothing", path,
                       local + QStringLiteral(" became ") + again);
}

void checkSystemFolder(QString folder, const QString &added)
{
    if (!folder.startsWith(u'/'))
        folder.prepend(u'/'); // the system gives absolute folders
    const QString path = folder + added;
    const QString local = rt::resolvePath(path, {folder});

    // Names of dots and blanks alone (".." and the like) may climb out of the folder.
    for (const QString &name : added.split(QRegularExpression(QStringLiteral("[\\\\/]")))) {
        if (name.count(u'.') > 1 && name.count(u'.') + name.count(u' ') == name.size())
            return;
    }
    if (!local.startsWith(folder))
        propertyFailed("the folder given is kept as it is", path, local);
    const QString again = rt::resolvePath(local, {folder});
    if (again != local)
        propertyFailed("resolving the result again changes nothing", path,
                       local + QStringLiteral(" became ") + again);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = textFromBytes(data, size);
    const qsizetype lineBreak = text.indexOf(u'\n');
    if (lineBreak > 0)
        checkSystemFolder(text.left(lineBreak), text.mid(lineBreak + 1));
    else
        checkWindowsRules(text);
    return 0;
}
