#include "toolkit/EventGuard.h"

#include "toolkit/Exception.h"
#include "toolkit/MessageBox.h"

void ShowException(std::exception_ptr error)
{
    if (!error)
        return;
    QString message;
    try {
        std::rethrow_exception(error);
    } catch (const Exception &e) {
        message = e.Message();
    } catch (...) {
        // Anything that is not a toolkit error is shown as one without a message.
    }
    try {
        ShowErrorMessage(message);
    } catch (...) {
        // The display itself must never throw into the event loop.
    }
}

void RunGuarded(const std::function<void()> &action)
{
    try {
        action();
    } catch (...) {
        ShowException(std::current_exception());
    }
}
