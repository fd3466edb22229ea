#include "app/MainForm.h"
#include "platform/Application.h"

int main(int argc, char** argv)
{
    TApplication app(argc, argv);
    TApplication::setApplicationName(QStringLiteral("Twinpics"));
    TForm1 form;
    form.show();
    return app.exec();
}
