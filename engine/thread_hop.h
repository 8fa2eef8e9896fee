// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QMetaObject>
#include <QObject>
#include <QThread>
#include <exception>
#include <type_traits>
#include <utility>

namespace zm {

// Runs `call` on the thread `home` lives on and returns its result, or throws its exception,
// on the calling thread, which waits meanwhile; on that thread itself it is a plain call. The
// home thread must be running its event loop and never wait for the caller, or both wait for
// ever.
template <typename Call>
std::invoke_result_t<Call> onThreadOf(QObject& home, Call&& call) {
    using Result = std::invoke_result_t<Call>;
    if (QThread::currentThread() == home.thread()) {
        return std::forward<Call>(call)();
    }
    std::conditional_t<std::is_void_v<Result>, bool, Result> result{};
    std::exception_ptr fault;
    QMetaObject::invokeMethod(
        &home,
        [&] {
            try {
                if constexpr (std::is_void_v<Result>) {
                    call();
                } else {
                    result = call();
                }
            } catch (...) {
                fault = std::current_exception();
            }
        },
        Qt::BlockingQueuedConnection);
    if (fault) {
        std::rethrow_exception(fault);
    }
    if constexpr (!std::is_void_v<Result>) {
        return result;
    }
}

}  // namespace zm
