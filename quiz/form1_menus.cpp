// The menu commands: the two counters, how to play, and the replay of the note asked.

#include "form1.h"

#include "runtime/conversions.h"
#include "runtime/services.h"

using namespace rt;

void Form1::esatte_Click()
{
    MsgBox(QStringLiteral("Esatte ") + CStr(nesatte), 0);
}

void Form1::sbagliate_Click()
{
    MsgBox(QStringLiteral("Errate ") + CStr(nerrate), 0);
}

void Form1::help_Click()
{
    MsgBox(QStringLiteral("Per iniziare a giocare clicca sul pulsante che riporta il nome della figura"),
           64, QStringLiteral("Velmora"));
}

void Form1::ripeti_Click()
{
    Suonafilewav(AppPath() + u'\\' + CStr(figura) + QStringLiteral(".wav"));
}
