#pragma once

#include <QFutureWatcher>
#include <QObject>
#include <QProgressDialog>

#include <functional>
#include <memory>
#include <stop_token>

namespace skyvane {

// Watches work that runs off the interface thread behind a progress window. Cancel requests
// `stop` and drops the result, whenever the work then ends; a run that ends closes the window
// and hands its result to `done`. Either way `ended` runs first, once. The caller connects the
// watcher's progress to the window, then sets its future. The watcher and the window delete
// themselves.
template <typename Result>
QFutureWatcher<Result>*
WatchWorkAside(QObject* context, QProgressDialog* progress, std::shared_ptr<std::stop_source> stop,
               std::function<void()> ended, std::function<void(const Result&)> done) {
    auto* watcher = new QFutureWatcher<Result>(context);
    QObject::connect(progress, &QProgressDialog::canceled, context,
                     [context, progress, watcher, stop, ended] {
                         stop->request_stop();
                         QObject::disconnect(watcher, nullptr, context, nullptr);
                         QObject::connect(watcher, &QFutureWatcherBase::finished, watcher,
                                          &QObject::deleteLater);
                         progress->deleteLater();
                         ended();
                     });
    QObject::connect(watcher, &QFutureWatcherBase::finished, context,
                     [context, progress, watcher, ended, done] {
                         QObject::disconnect(progress, nullptr, context, nullptr);
                         progress->hide();
                         progress->deleteLater();
                         watcher->deleteLater();
                         ended();
                         done(watcher->result());
                     });
    return watcher;
}

} // namespace skyvane
