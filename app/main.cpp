#include "app/AppIcon.h"
#include "app/ImageViewForm.h"
#include "app/MainForm.h"
#include "platform/Application.h"

int main(int argc, char** argv)
{
    TApplication app(argc, argv);
    TApplication::setApplicationName(QStringLiteral("Twinpics"));
    TApplication::setWindowIcon(AppIcon());
    // Lets the desktop match the windows with the installed menu entry and its icon.
    TApplication::setDesktopFileName(QStringLiteral(TWINPICS_APP_ID));
    // The main window first: it is the one whose closing ends the program.
    TForm1 mainWindow;
    TForm2 imageView;
    mainWindow.show();
    return app.exec();
}
