#include "app/ImageViewForm.h"
#include "app/MainForm.h"
#include "platform/Application.h"

int main(int argc, char** argv)
{
    TApplication app(argc, argv);
    TApplication::setApplicationName(QStringLiteral("Twinpics"));
    // The main window first: it is the one whose closing ends the program.
    TForm1 mainWindow;
    TForm2 imageView;
    mainWindow.show();
    return app.exec();
}
