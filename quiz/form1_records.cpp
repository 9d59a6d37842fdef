// Where the record lives, and how a record file is read.

#include "form1.h"

#include "runtime/services.h"

using namespace rt;

QString Form1::GetSystemDir()
{
    QString cartella = GetWindowsDirectory();
    if (!cartella.endsWith(u'\\') && !cartella.endsWith(u'/'))
        cartella += u'\\';
    return cartella;
}

QString Form1::Leggifiletxt(const QString &nomefile)
{
    const Integer numero = FreeFile();
    Open(nomefile, OpenMode::Input, numero);
    const QString contenuto = Input(LOF(numero), numero);
    Close(numero);
    return contenuto;
}
