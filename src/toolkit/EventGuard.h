#pragma once

#include <QMetaObject>
#include <QObject>
#include <exception>
#include <functional>
#include <type_traits>
#include <utility>

// Every event handler runs inside this guard: whatever escapes it is shown by the top-level error
// display (a toolkit Exception with its message, anything else with an empty message), and the
// event loop goes on. No exception ever unwinds through Qt's event loop.

void RunGuarded(const std::function<void()> &action);

// Shows an exception that was caught (a toolkit Exception with its message, any other with an
// empty message). Call it from a catch block with std::current_exception().
void ShowException(std::exception_ptr error);

namespace GuardDetail {

template <typename Receiver, typename Handler, typename... Args>
void Invoke(QObject *sender, Receiver *receiver, Handler &handler, Args &&...args)
{
    if constexpr (std::is_member_function_pointer_v<Handler>) {
        if constexpr (std::is_invocable_v<Handler, Receiver *, Args...>)
            std::invoke(handler, receiver, std::forward<Args>(args)...);
        else if constexpr (std::is_invocable_v<Handler, Receiver *, QObject *>)
            std::invoke(handler, receiver, sender);
        else
            std::invoke(handler, receiver);
    } else {
        if constexpr (std::is_invocable_v<Handler &, Args...>)
            handler(std::forward<Args>(args)...);
        else
            handler();
    }
}

} // namespace GuardDetail

// Connects `signal` of `sender` to `handler`, run through the guard. `handler` is a member function
// of `receiver` taking the signal's arguments (or only a sender, or nothing), or any callable
// taking the signal's arguments or nothing. A handler that wants a sender but is connected to a
// signal that carries none receives the signal's sender.
template <typename Sender, typename Signal, typename Receiver, typename Handler>
QMetaObject::Connection ConnectGuarded(const Sender *sender, Signal signal, Receiver *receiver,
                                       Handler handler)
{
    QObject *senderObject = const_cast<Sender *>(sender);
    return QObject::connect(sender, signal, receiver,
                            [senderObject, receiver, handler](auto &&...args) mutable -> void {
                                RunGuarded([&] {
                                    GuardDetail::Invoke(senderObject, receiver, handler,
                                                        std::forward<decltype(args)>(args)...);
                                });
                            });
}
