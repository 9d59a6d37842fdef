#include "form1.h"

#include "ui_form1.h"

#include "runtime/layoutfinish.h"

// Q_INIT_RESOURCE cannot stand inside a namespace.
static void initResources() { Q_INIT_RESOURCE(resources); }

namespace {

std::unique_ptr<Ui::Form1> buildLayout(QMainWindow *window)
{
    // The pictures live in a static library, whose resources must be asked for by name.
    initResources();
    auto ui = std::make_unique<Ui::Form1>();
    ui->setupUi(window);
    // The client area keeps its designed size below the menu bar (a fixed dialog frame),
    // and the window opens centred: the layout's window settings.
    rt::finishLayout(window);
    return ui;
}

} // namespace

Form1::Form1(QWidget *parent)
    : QMainWindow(parent),
      ui(buildLayout(this)),
      Command1(ui->Command1),
      Command4(ui->Command4),
      Option1(1, {ui->Option1_1, ui->Option1_2, ui->Option1_3, ui->Option1_4,
                  ui->Option1_5, ui->Option1_6, ui->Option1_7}),
      Image1(1, {ui->Image1_1, ui->Image1_2, ui->Image1_3, ui->Image1_4,
                 ui->Image1_5, ui->Image1_6, ui->Image1_7}),
      lblScore(ui->lblScore),
      lblScore1(ui->lblScore1),
      lblnome(ui->lblnome),
      lblnome1(ui->lblnome1),
      lblpunti(ui->lblpunti),
      lblconto(ui->lblconto),
      Timer1(1000, true, this)
{
    connect(Command1, &QAbstractButton::clicked, this, [this] { Command1_Click(); });
    connect(Command4, &QAbstractButton::clicked, this, [this] { Command4_Click(); });
    for (int index = Option1.lowerBound(); index <= Option1.upperBound(); ++index) {
        rt::OptionButton *button = Option1[index];
        connect(button, &QAbstractButton::clicked, this, [this, index] { Option1_Click(index); });
        connect(button, &rt::OptionButton::gotFocus, this, [this, index] { Option1_GotFocus(index); });
    }
    connect(&Timer1, &rt::TimerControl::timer, this, &Form1::Timer1_Timer);
    connect(ui->ripeti, &QAction::triggered, this, &Form1::ripeti_Click);
    connect(ui->esatte, &QAction::triggered, this, &Form1::esatte_Click);
    connect(ui->sbagliate, &QAction::triggered, this, &Form1::sbagliate_Click);
    connect(ui->help, &QAction::triggered, this, &Form1::help_Click);
    connect(ui->exit, &QAction::triggered, this, [this] { exit_Click(); });
}

Form1::~Form1() = default;
