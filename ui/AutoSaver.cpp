#include "ui/AutoSaver.h"

#include "model/TD_Data.h"
#include "ui/SaveFailureDialog.h"

#include <QApplication>
#include <QMessageBox>
#include <QThread>

TAutoSaver::TAutoSaver(TD_Data &data, QWidget *window, QObject *parent)
    : QObject(parent), data_(data), window_(window)
{
    minute_.setTimerType(Qt::PreciseTimer);
    minute_.setInterval(IntervalMilliseconds);
    connect(&minute_, &QTimer::timeout, this, &TAutoSaver::SaveNow);
    minute_.start();
    retry_.setSingleShot(true);
    retry_.setInterval(RetryMilliseconds);
    connect(&retry_, &QTimer::timeout, this, &TAutoSaver::SaveNow);
}

bool TAutoSaver::CanSaveNow() const
{
    // A nested loop means a modal window is up and a command waits for it.
    return QApplication::activeModalWidget() == nullptr &&
           QThread::currentThread()->loopLevel() <= 1;
}

void TAutoSaver::SaveNow()
{
    if (!CanSaveNow()) {
        retry_.start();
        return;
    }
    Save();
}

void TAutoSaver::Save()
{
    data_.AutoSave();
    const std::vector<TTableFileError> &errors = data_.SaveErrors();
    if (errors.empty()) {
        failing_ = false;
        return;
    }
    if (failing_)
        return;
    failing_ = true;
    if (notice_)
        return;
    // Not modal: the game goes on, and the next minute tries again.
    notice_ =
        new QMessageBox(QMessageBox::Warning, "Not saved",
                        TSaveFailureDialog::Text(errors) + "\n\nThe game tries again every minute.",
                        QMessageBox::Ok, window_);
    notice_->setAttribute(Qt::WA_DeleteOnClose);
    notice_->setWindowModality(Qt::NonModal);
    notice_->show();
}
