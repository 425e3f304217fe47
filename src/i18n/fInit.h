#pragma once

#include "ui_fInit.h"

#include <QWidget>

namespace skyvane {

// The splash window shown while the main window is being created: the splash picture, the
// version and "Initializing ...". It takes no input and is never translated.
class TfrmInit : public QWidget, public Ui::TfrmInit {
    Q_OBJECT

public:
    explicit TfrmInit(QWidget* owner = nullptr);

    // Once shown: waits (briefly) until the window is on screen, paints the picture and the
    // status line at once and lets pending window messages through, so the splash is drawn
    // before the start-up work goes on.
    void PaintNow();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();
    void WaitUntilExposed();
};

} // namespace skyvane
