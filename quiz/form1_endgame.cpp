// The end of the game: the farewell, the record check, the end of the program.

#include "form1.h"

#include "runtime/conversions.h"
#include "runtime/label.h"
#include "runtime/services.h"

using namespace rt;

void Form1::Finepartita()
{
    m_fineIniziata = true;
    MsgBox(QStringLiteral("Ciao a presto. Ore ") + CStr(restanti), 0,
           QStringLiteral("Data ") + Date());
    controlloRecord();
}

void Form1::exit_Click()
{
    m_fineIniziata = true;
    MsgBox(QStringLiteral("Ciao ") + lblnome1->caption() + QStringLiteral(", alla prossima sfida!"), 0,
           QStringLiteral("Data ") + Date());
    controlloRecord();
}

void Form1::controlloRecord()
{
    ritardo = 1;
    while (ritardo <= 1000)
        ritardo += 1;

    const double recordSalvato = Val(lblpunti->caption());
    const double punteggio = CDbl(lblScore->caption());
    if (recordSalvato >= punteggio)
        End();

    // A new record. Both files are written in full before either replaces the old one,
    // so the score and the name on disk always belong together.
    FileTable::instance().beginReplacingTogether();

    nfile = FreeFile();
    Open(dirsistema + QStringLiteral("\\figX.txt"), OpenMode::Output, nfile);
    testo = lblScore->caption();
    PrintLine(nfile, testo);
    Close(nfile);

    nfile = FreeFile();
    Open(dirsistema + QStringLiteral("\\nfigX.txt"), OpenMode::Output, nfile);
    testo = lblnome1->caption();
    PrintLine(nfile, testo);
    Close(nfile);

    FileTable::instance().commitReplacements();

    MsgBox(QStringLiteral("Ok ho registrato il tuo record, C A M P I O N E"), 0);
    End();
}
