// One question: the draw of a note value, and the judging of the player's answer.

#include "form1.h"

#include "runtime/commandbutton.h"
#include "runtime/conversions.h"
#include "runtime/label.h"
#include "runtime/optionbutton.h"
#include "runtime/services.h"

#include <QLabel>

using namespace rt;

namespace {

// The sound of each note value, below the program's folder.
QString suonoDellaNota(Integer nota)
{
    switch (nota) {
    case 1: return QStringLiteral("\\suoni\\1A.wav");
    case 2: return QStringLiteral("\\suoni\\2A.wav");
    case 3: return QStringLiteral("\\suoni\\3A.wav");
    case 4: return QStringLiteral("\\suoni\\4A.wav");
    case 5: return QStringLiteral("\\suoni\\5A.wav");
    case 6: return QStringLiteral("\\suoni\\6A.wav");
    case 7: return QStringLiteral("\\suoni\\7A.wav");
    default: return QString();
    }
}

} // namespace

void Form1::Command1_Click()
{
    Command1->setVisible(true);

    Randomize();
    Randomize();

    indice = 1;
    while (indice <= 7) {
        Image1[indice]->setVisible(false);
        Option1[indice]->setBackColor(0x00FFFFFF);
        Option1[indice]->setForeColor(0x00FF00FF);
        Option1[indice]->setVisible(true);
        Option1[indice]->setEnabled(true);
        Option1[indice]->setValue(false);
        indice += 1;
    }

    lblScore->setCaption(CStr(nesatte));

    figura = CInt(Int(Rnd() * 7.0f + 1.0f));

    const QString suono = suonoDellaNota(figura);
    if (!suono.isEmpty())
        Suonafilewav(AppPath() + suono);
}

void Form1::Command4_Click()
{
    Command1_Click();
}

void Form1::Suonafilewav(const QString &percorso)
{
    sndPlaySound(percorso, SND_ASYNC | SND_NODEFAULT);
}

void Form1::Option1_Click(Integer Index)
{
    Command1->setVisible(false);

    // Right answer: the button of the note asked is the one selected.
    if (Option1[figura]->value()) {
        MsgBox(QStringLiteral("Bravo è esatto"), 0);
        nesatte += 1;
    }

    // Wrong answer: counted before its box.
    if (Index != figura) {
        nerrate += 1;
        MsgBox(QStringLiteral("HAI SBAGLIATO"), 0);
        lblScore1->setCaption(CStr(nerrate));
        Suonafilewav(AppPath() + QStringLiteral(".\\suoni\\no.wav"));
    }

    // After a right answer, the next note.
    if (Option1[figura]->value()) {
        Command1->setVisible(true);
        Command4_Click();
    }
}

void Form1::Option1_GotFocus(Integer Index)
{
    Q_UNUSED(Index);
    Option1[figura]->setValue(false);
    Option1[figura]->setBackColor(0x00FFFFFF);
}
