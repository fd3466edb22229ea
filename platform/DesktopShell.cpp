#include "platform/DesktopShell.h"

#include "platform/PropertiesWindow.h"

#include <QDesktopServices>

namespace {

TShellHandlers& Handlers()
{
    static TShellHandlers handlers;
    return handlers;
}

} // namespace

QUrl LocalFileUrl(const QByteArray& path)
{
    return QUrl::fromEncoded("file://" + path.toPercentEncoding("/"), QUrl::StrictMode);
}

void ShellOpen(const QByteArray& path)
{
    const QUrl url = LocalFileUrl(path);
    if (Handlers().Open)
        Handlers().Open(url);
    else
        QDesktopServices::openUrl(url);
}

void ShellShowProperties(const QByteArray& path)
{
    if (Handlers().ShowProperties) {
        Handlers().ShowProperties(path);
        return;
    }
    auto* window = new TPropertiesWindow(path);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
}

void SetShellHandlers(TShellHandlers handlers)
{
    Handlers() = std::move(handlers);
}
