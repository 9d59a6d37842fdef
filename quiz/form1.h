#pragma once

#include "runtime/controlarray.h"
#include "runtime/integer.h"
#include "runtime/timercontrol.h"

#include <QMainWindow>

#include <memory>

namespace Ui { class Form1; }
namespace rt { class CommandButton; class Label; class OptionButton; }
class QAction;
class QLabel;
class QPushButton;

// The quiz window: the player hears a note value and clicks its button before the
// fifteen minutes run out.
class Form1 : public QMainWindow
{
    Q_OBJECT

public:
    explicit Form1(QWidget *parent = nullptr);
    ~Form1() override;

    // Start-up: runs once, while the window is still hidden.
    void Form_Load();

    // The question draw.
    void Command1_Click();
    void Command4_Click();

    // The answer check.
    void Option1_Click(rt::Integer Index);
    void Option1_GotFocus(rt::Integer Index);

    // The countdown.
    void Timer1_Timer();

    // The menu commands.
    void ripeti_Click();
    void esatte_Click();
    void sbagliate_Click();
    void help_Click();
    [[noreturn]] void exit_Click();

    // The record files.
    QString GetSystemDir();
    QString Leggifiletxt(const QString &nomefile);

private:
    void Suonafilewav(const QString &percorso);
    void Avviatempo();
    [[noreturn]] void Finepartita();
    [[noreturn]] void controlloRecord();
    QString orologio() const;

    std::unique_ptr<Ui::Form1> ui;

public:
    // The controls, by the names the handlers use.
    rt::CommandButton *const Command1;
    QPushButton *const Command4;
    const rt::ControlArray<rt::OptionButton> Option1;
    const rt::ControlArray<QLabel> Image1;
    rt::Label *const lblScore;
    rt::Label *const lblScore1;
    rt::Label *const lblnome;
    rt::Label *const lblnome1;
    rt::Label *const lblpunti;
    rt::Label *const lblconto;
    rt::TimerControl Timer1;

    // The state of the game; every number is a 16-bit integer.
    rt::Integer figura;
    rt::Integer nesatte;
    rt::Integer nerrate;
    rt::Integer indice;
    rt::Integer ore;
    rt::Integer minuti;
    float secondi = 0;
    rt::Integer restanti;
    rt::Integer nfile;
    rt::Integer ritardo;
    QString dirsistema;
    QString testo;

private:
    bool m_fineIniziata = false; // an end of the game is under way
};
