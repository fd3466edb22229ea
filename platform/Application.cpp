#include "platform/Application.h"

#include "platform/Exception.h"

#include <QMessageBox>

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool TApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        ShowException(std::current_exception());
    }
    return true;
}

void TApplication::ShowException(std::exception_ptr error)
{
    try {
        std::rethrow_exception(error);
    } catch (const Exception& e) {
        ShowException(e.Message());
    } catch (const std::exception& e) {
        ShowException(QString::fromLocal8Bit(e.what()));
    } catch (...) {
        ShowException(QStringLiteral("Unknown error"));
    }
}

void TApplication::ShowException(const QString& message)
{
    if (m_errorHandler) {
        m_errorHandler(message);
        return;
    }
    QMessageBox::critical(activeWindow(), applicationDisplayName(), message);
}

void TApplication::SetErrorHandler(ErrorHandler handler)
{
    m_errorHandler = std::move(handler);
}

TApplication* TApplication::Instance()
{
    return qobject_cast<TApplication*>(QCoreApplication::instance());
}

void ProcessMessages()
{
    QCoreApplication::processEvents();
}
