#include "form1.h"

#include "runtime/desktopplatform.h"
#include "runtime/desktopsetup.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    rt::setUpDesktop(app);
    rt::DesktopPlatform desktop; // boxes, sound and the program's end
    rt::Platform::install(&desktop);

    Form1 form;     // built from its layout, still hidden
    form.Form_Load();
    form.show();
    return app.exec();
}
