#include "form1.h"

#include "runtime/desktopsetup.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    rt::setUpDesktop(app);

    Form1 form;     // built from its layout, still hidden
    form.Form_Load();
    form.show();
    return app.exec();
}
