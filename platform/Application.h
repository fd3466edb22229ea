#pragma once

#include <QApplication>
#include <exception>
#include <functional>

// The application object. Every event goes through notify(), so an exception that escapes any
// handler is caught there and shown in the standard error box; the window stays usable and
// nothing crosses Qt's event dispatch uncaught. Qt itself is built without exceptions, so an
// exception unwinding through its frames skips their clean-up: handlers connected to signals are
// therefore wrapped with Guarded() below, which stops the exception before it reaches Qt, and
// notify() is the last net.
class TApplication : public QApplication
{
    Q_OBJECT
public:
    using ErrorHandler = std::function<void(const QString& message)>;

    TApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    // Shows the standard error box with the message (or hands it to the installed handler).
    void ShowException(const QString& message);
    // Shows the exception in flight, whatever its type.
    void ShowException(std::exception_ptr error);
    // Replaces the error box, for example to record the messages in tests; an empty handler
    // restores the box.
    void SetErrorHandler(ErrorHandler handler);

    static TApplication* Instance();

private:
    ErrorHandler m_errorHandler;
};

// Wraps a handler so that an exception it raises is shown in the standard error box where it
// leaves the handler, before it can unwind through Qt's signal dispatch. The handler takes no
// arguments; Qt drops the signal's.
template <typename Handler> auto Guarded(Handler handler)
{
    return [handler = std::move(handler)] {
        try {
            handler();
        } catch (...) {
            TApplication::Instance()->ShowException(std::current_exception());
        }
    };
}

// Lets pending window messages be handled. Long handlers call it once per item so that the
// window repaints and its buttons stay usable; the caller must stay correct when re-entered.
void ProcessMessages();
