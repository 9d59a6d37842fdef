// The fifteen-minute countdown, one tick a second.

#include "form1.h"

#include "runtime/conversions.h"
#include "runtime/label.h"

using namespace rt;

QString Form1::orologio() const
{
    return Format(ore, QStringLiteral("00")) + u':' + Format(minuti, QStringLiteral("00")) + u':'
           + Format(secondi, QStringLiteral("00"));
}

void Form1::Avviatempo()
{
    Timer1.setEnabled(true);
    ore = 0;
    minuti = 15;
    secondi = 0;
    restanti = 900;
    lblconto->setCaption(orologio());
}

void Form1::Timer1_Timer()
{
    // Once the farewell is on screen the game is over: a late tick starts nothing.
    if (m_fineIniziata)
        return;

    if (lblconto->caption() == QLatin1String("00:00:00")) {
        Finepartita();
    }

    if (secondi == 0) {
        secondi = 60;
        minuti = minuti - 1;
    }
    secondi = secondi - 1.0f;
    restanti = restanti - 1;
    lblconto->setCaption(orologio());
}
