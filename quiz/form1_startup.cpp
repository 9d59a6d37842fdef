// Start-up: the player's name, the countdown, the stored record and the first note,
// all before the window shows.

#include "form1.h"

#include "runtime/conversions.h"
#include "runtime/label.h"
#include "runtime/services.h"

using namespace rt;

void Form1::Form_Load()
{
    Randomize(Clock());

    // No tick may come while the name prompt or the greeting is open.
    Timer1.setEnabled(false);

    const QString nome = InputBox(QStringLiteral("Come ti chiami?"), QStringLiteral("Velmora"));

    MsgBox(QStringLiteral(" ") + nome + QStringLiteral(" vediamo se sei un vero campione  "), 48,
           QStringLiteral("Velmora"));

    lblnome1->setCaption(nome);

    Avviatempo();

    dirsistema = GetSystemDir();

    // Both record files exist from here on: a missing one is created empty.
    nfile = FreeFile();
    Open(dirsistema + QStringLiteral("\\figX.txt"), OpenMode::Append, nfile);
    Close(nfile);
    Open(dirsistema + QStringLiteral("\\nfigX.txt"), OpenMode::Append, nfile);
    Close(nfile);

    lblpunti->setCaption(Leggifiletxt(dirsistema + QStringLiteral("\\figX.txt")));
    lblnome->setCaption(Leggifiletxt(dirsistema + QStringLiteral("\\nfigX.txt")));

    restanti = CInt(secondi + 900);

    lblconto->setCaption(orologio());

    lblScore1->setCaption(CStr(nerrate));
    lblScore->setCaption(CStr(nesatte));

    Command4_Click();
}
