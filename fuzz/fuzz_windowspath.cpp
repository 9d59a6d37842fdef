// rt::resolvePath turns the program's Windows-style file names into local ones: the
// result must be a clean local path, and resolving it again must change nothing.
#include "fuzzcheck.h"
#include "runtime/windowspath.h"

#include <QStringList>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString path = textFromBytes(data, size);
    const QString local = rt::resolvePath(path);

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
    const QString again = rt::resolvePath(local);
    if (again != local)
        propertyFailed("resolving the result again changes nothing", path,
                       local + QStringLiteral(" became ") + again);
    return 0;
}
